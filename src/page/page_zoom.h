#pragma once
// The page's zoom: the browser's usual steps, remembered per site and restored when the site is
// loaded again.
#include "platform/preferences.h"
#include "platform/url.h"
#include "platform/web_view.h"

#include <functional>
#include <optional>
#include <string>

namespace quillane {

// The next step up or down from a zoom factor (1 is 100 %); the ends stay where they are.
double zoomedIn(double level);
double zoomedOut(double level);

// The levels remembered per site once a site is shown at `level`: the page's own size is forgotten,
// any other becomes the site's newest entry; a site text too long to store changes nothing.
platform::OrderedMap<double> zoomRemembered(platform::OrderedMap<double> levels, const std::string& site, double level);

// How a zoom factor is shown: "110 %".
std::string zoomText(double level);

class PageZoom {
public:
    // How long the level shows once told.
    static constexpr double toldFor = 1;
    // Gives each page the zoom of its site as soon as its load commits, before it is drawn. Each
    // zoom the user asks for is told, as zoomText puts it (at either end too, where nothing changes).
    PageZoom(platform::Preferences& preferences, platform::WebView& page, std::function<void(const std::string&)> tell);

    void zoomIn();
    void zoomOut();
    void reset();
private:
    // A page of this address is coming, or has come: it gets its site's zoom.
    void zoomFor(const std::optional<platform::URL>& address);
    void apply(double level);

    platform::Preferences& m_preferences;
    platform::WebView& m_page;
    std::function<void(const std::string&)> m_tell;
    platform::Subscription m_responded;
    platform::Subscription m_committed;
};

} // namespace quillane
