#include "apps/web_app_manifest.h"

#include "apps/app_links.h"
#include "page/address_rules.h"
#include "platform/url.h"
#include "text.h"

#include <algorithm>
#include <cstdlib>

namespace quillane {

namespace {
constexpr std::size_t longestName = 80;
constexpr std::size_t longestAppName = 40;
// A manifest of thousands of handlers is not read to its end.
constexpr std::size_t mostHandlersRead = 100;

std::optional<std::string> textOf(const platform::ScriptValue& manifest, const char* key)
{
    const platform::ScriptValue* value = manifest.find(key);
    if (!value || value->kind != platform::ScriptValue::Kind::text || value->text.empty() || value->text.size() > longestName)
        return std::nullopt;
    if (std::any_of(value->text.begin(), value->text.end(), [](unsigned char c) { return c < 0x20 || c == 0x7f; }))
        return std::nullopt;
    return value->text;
}

// A web address the manifest gives under `key`, resolved against the manifest's own.
std::optional<platform::URL> webAddressIn(const platform::ScriptValue& manifest, const char* key, const std::string& manifestAddress)
{
    const platform::ScriptValue* value = manifest.find(key);
    if (!value || value->kind != platform::ScriptValue::Kind::text || value->text.empty() || value->text.size() > longestAddress)
        return std::nullopt;
    auto resolved = platform::resolvedAgainst(manifestAddress, value->text);
    auto address = resolved ? webPage(*resolved) : std::nullopt;
    // Typed-address rules would turn "mail.example" into a site: only what already is one counts.
    if (!address || address->absoluteString() != *resolved)
        return std::nullopt;
    return address;
}

// How good an icon is: an SVG above everything, then the largest side of its sizes; 0 for unusable.
long scoreOf(const platform::ScriptValue& icon)
{
    const platform::ScriptValue* source = icon.find("src");
    if (!source || source->kind != platform::ScriptValue::Kind::text)
        return 0;
    const platform::ScriptValue* type = icon.find("type");
    std::string kind = type && type->kind == platform::ScriptValue::Kind::text ? lowercased(type->text) : "";
    std::string path = lowercased(source->text.substr(0, source->text.find_first_of("?#")));
    auto endsWith = [&](std::string_view ending) { return path.size() >= ending.size() && path.compare(path.size() - ending.size(), ending.size(), ending) == 0; };
    if (kind == "image/svg+xml" || (kind.empty() && endsWith(".svg")))
        return 1 << 30;
    if (kind != "image/png" && !(kind.empty() && endsWith(".png")))
        return 0;
    long largest = 1;
    const platform::ScriptValue* sizes = icon.find("sizes");
    if (sizes && sizes->kind == platform::ScriptValue::Kind::text) {
        for (std::size_t start = 0; start < sizes->text.size();) {
            std::size_t end = sizes->text.find(' ', start);
            std::string size = sizes->text.substr(start, end == std::string::npos ? std::string::npos : end - start);
            largest = std::max(largest, std::min(100000L, std::atol(size.c_str())));
            start = end == std::string::npos ? sizes->text.size() : end + 1;
        }
    }
    return largest;
}

const platform::ScriptValue* listOf(const platform::ScriptValue& value, const char* key)
{
    const platform::ScriptValue* list = value.find(key);
    return list && list->kind == platform::ScriptValue::Kind::list ? list : nullptr;
}

// An http(s) address given in a manifest or a page, resolved against `base`.
std::optional<std::string> webAddressFrom(const std::string& base, const std::string& given)
{
    auto address = platform::resolvedAgainst(base, given);
    auto url = address ? platform::URL::parse(*address) : std::nullopt;
    std::string scheme = url ? lowercased(url->scheme()) : "";
    if (url && url->host() && (scheme == "http" || scheme == "https"))
        return url->absoluteString();
    return std::nullopt;
}

// The best of a manifest's or a shortcut's "icons", as an http(s) address.
std::optional<std::string> bestIcon(const platform::ScriptValue& holder, const std::string& manifestAddress)
{
    const platform::ScriptValue* icons = listOf(holder, "icons");
    if (!icons)
        return std::nullopt;
    const platform::ScriptValue* best = nullptr;
    long bestScore = 0;
    for (const auto& icon : icons->items) {
        long score = icon.kind == platform::ScriptValue::Kind::dictionary ? scoreOf(icon) : 0;
        if (score > bestScore) {
            best = &icon;
            bestScore = score;
        }
    }
    if (!best)
        return std::nullopt;
    return webAddressFrom(manifestAddress, best->find("src")->text);
}

std::string anyTextOf(const platform::ScriptValue& value, const char* key)
{
    const platform::ScriptValue* found = value.find(key);
    return found && found->kind == platform::ScriptValue::Kind::text ? found->text : "";
}

std::vector<ManifestShortcut> shortcutsOf(const platform::ScriptValue& manifest, const std::string& manifestAddress, const platform::URL& application)
{
    std::vector<ManifestShortcut> shortcuts;
    const platform::ScriptValue* listed = listOf(manifest, "shortcuts");
    for (std::size_t index = 0; listed && index < listed->items.size() && shortcuts.size() < mostShortcuts; ++index) {
        const platform::ScriptValue& shortcut = listed->items[index];
        auto name = shortcutName(anyTextOf(shortcut, "name"));
        if (!name)
            name = shortcutName(anyTextOf(shortcut, "short_name"));
        // Without an address of its own, a shortcut would open the manifest.
        std::string url = anyTextOf(shortcut, "url");
        auto resolved = url.empty() ? std::nullopt : platform::resolvedAgainst(manifestAddress, url);
        auto address = resolved ? shortcutAddress(*resolved, application) : std::nullopt;
        if (name && address)
            shortcuts.push_back({ *name, *address, bestIcon(shortcut, manifestAddress) });
    }
    return shortcuts;
}

std::vector<ProtocolHandler> handlersOf(const platform::ScriptValue& manifest, const std::string& manifestAddress, const platform::URL& application)
{
    std::vector<ProtocolHandler> handlers;
    const platform::ScriptValue* listed = listOf(manifest, "protocol_handlers");
    for (std::size_t index = 0; listed && index < listed->items.size() && index < mostHandlersRead; ++index) {
        const platform::ScriptValue& handler = listed->items[index];
        std::string scheme = anyTextOf(handler, "protocol");
        bool taken = std::any_of(handlers.begin(), handlers.end(), [&](const ProtocolHandler& each) { return each.scheme == scheme; });
        if (taken || !isHandledScheme(scheme))
            continue;
        auto resolved = platform::resolvedKeepingPercentSigns(manifestAddress, anyTextOf(handler, "url"));
        if (auto address = resolved ? handlerAddress(*resolved, application) : std::nullopt)
            handlers.push_back({ scheme, *address });
    }
    return handlers;
}

std::optional<platform::Colour> colourOf(const platform::ScriptValue& manifest, const char* key)
{
    // A window's colours are opaque: a colour's alpha is not the page's to choose.
    auto colour = platform::cssColour(anyTextOf(manifest, key));
    if (colour)
        colour->alpha = 1;
    return colour;
}
} // namespace

ManifestFacts readManifest(const platform::ScriptValue& manifest, const std::string& manifestAddress, const platform::URL& application)
{
    ManifestFacts facts;
    if (manifest.kind != platform::ScriptValue::Kind::dictionary)
        return facts;
    facts.name = textOf(manifest, "name");
    if (!facts.name)
        facts.name = textOf(manifest, "short_name");
    auto start = webAddressIn(manifest, "start_url", manifestAddress);
    if (start && sameSite(*start, application))
        facts.startAddress = start->absoluteString();
    const platform::URL& startsAt = facts.startAddress ? *start : application;
    auto scope = webAddressIn(manifest, "scope", manifestAddress);
    if (scope && withinScope(startsAt, *scope))
        facts.scope = scope->absoluteString();
    facts.icon = bestIcon(manifest, manifestAddress);
    facts.shortcuts = shortcutsOf(manifest, manifestAddress, application);
    facts.protocolHandlers = handlersOf(manifest, manifestAddress, application);
    facts.themeColour = colourOf(manifest, "theme_color");
    facts.backgroundColour = colourOf(manifest, "background_color");
    return facts;
}

std::string pageIcon(const platform::ScriptValue& icons, const platform::URL& page)
{
    platform::ScriptValue holder;
    holder.kind = platform::ScriptValue::Kind::dictionary;
    holder.entries.push_back({ "icons", icons });
    if (auto best = bestIcon(holder, page.absoluteString()))
        return *best;
    if (icons.kind == platform::ScriptValue::Kind::list) {
        for (auto icon = icons.items.rbegin(); icon != icons.items.rend(); ++icon) {
            if (auto address = webAddressFrom(page.absoluteString(), anyTextOf(*icon, "src")))
                return *address;
        }
    }
    return webAddressFrom(page.absoluteString(), "/favicon.ico").value_or("");
}

std::string appNameFor(std::string_view text)
{
    std::string name;
    for (char c : text) {
        bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        if (kept)
            name += c;
        else if (!name.empty() && name.back() != '-')
            name += '-';
        if (name.size() >= longestAppName)
            break;
    }
    while (!name.empty() && name.back() == '-')
        name.pop_back();
    return name.empty() ? "web-app" : name;
}

} // namespace quillane
