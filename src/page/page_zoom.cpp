#include "page/page_zoom.h"

#include "names.h"
#include "page/address_rules.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quillane {

namespace {
constexpr std::array<double, 13> steps { 0.5, 0.67, 0.75, 0.8, 0.9, 1.0, 1.1, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0 };
// Zoom factors a step apart differ by far more than this.
constexpr double sameStep = 0.001;

// The site a page address belongs to, or none for pages of no site (the program's own).
std::optional<std::string> siteOf(const std::optional<platform::URL>& url)
{
    if (!url || !url->host())
        return std::nullopt;
    return site(url->scheme(), *url->host(), url->port().value_or(0));
}

std::optional<std::string> siteOf(const platform::WebView& page)
{
    return siteOf(platform::URL::parse(page.url().value_or("")));
}
} // namespace

double zoomedIn(double level)
{
    auto next = std::find_if(steps.begin(), steps.end(), [&](double step) { return step > level + sameStep; });
    return next == steps.end() ? steps.back() : *next;
}

double zoomedOut(double level)
{
    auto previous = std::find_if(steps.rbegin(), steps.rend(), [&](double step) { return step < level - sameStep; });
    return previous == steps.rend() ? steps.front() : *previous;
}

platform::OrderedMap<double> zoomRemembered(platform::OrderedMap<double> levels, const std::string& site, double level)
{
    if (std::abs(level - 1.0) < sameStep)
        levels.erase(site);
    else if (site.size() <= platform::Preferences::longestKey)
        levels.set(site, level);
    return levels;
}

std::string zoomText(double level)
{
    return std::to_string(std::lround(level * 100)) + " %";
}

PageZoom::PageZoom(platform::Preferences& preferences, platform::WebView& page, std::function<void(const std::string&)> tell)
    : m_preferences(preferences)
    , m_page(page)
    , m_tell(std::move(tell))
{
    // Set as the page's answer comes, so that the page's first scripts and layout already have it
    // (set at the commit only, it reached the page after them); at the commit for pages of ours.
    m_responded = m_page.responseArriving.add([this](const std::string& address) { zoomFor(platform::URL::parse(address)); });
    m_committed = m_page.loadCommitted.add([this] { zoomFor(platform::URL::parse(m_page.url().value_or(""))); });
}

void PageZoom::zoomIn()
{
    apply(zoomedIn(m_page.zoomLevel()));
}

void PageZoom::zoomOut()
{
    apply(zoomedOut(m_page.zoomLevel()));
}

void PageZoom::reset()
{
    apply(1.0);
}

void PageZoom::zoomFor(const std::optional<platform::URL>& address)
{
    auto site = siteOf(address);
    auto levels = m_preferences.numbers(keys::zoom).value_or(platform::OrderedMap<double> {});
    auto level = site ? levels.find(*site) : std::nullopt;
    double wanted = level && std::isfinite(*level) ? std::clamp(*level, steps.front(), steps.back()) : 1.0;
    if (std::abs(m_page.zoomLevel() - wanted) > sameStep)
        m_page.setZoomLevel(wanted);
}

void PageZoom::apply(double level)
{
    m_page.setZoomLevel(level);
    if (m_tell)
        m_tell(zoomText(level));
    auto site = siteOf(m_page);
    if (!site)
        return;
    // Read again now, as the store may have changed in another window of ours.
    auto levels = m_preferences.numbers(keys::zoom).value_or(platform::OrderedMap<double> {});
    auto remembered = zoomRemembered(levels, *site, level);
    if (remembered != levels)
        m_preferences.setNumbers(keys::zoom, remembered);
}

} // namespace quillane
