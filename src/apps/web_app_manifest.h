#pragma once
// What a page's web application manifest says about installing it: its name and icon, where the
// application starts and what it holds as its own, its shortcuts, the links of other schemes it
// handles, and its colours.
#include "platform/colour.h"
#include "platform/script_value.h"
#include "platform/url.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillane {

struct ManifestShortcut {
    std::string name;
    // On the application's origin.
    std::string address;
    // Its largest usable icon, as an http(s) address.
    std::optional<std::string> icon;
};

struct ProtocolHandler {
    std::string scheme;
    // On the application's origin, with "%s" where the link goes.
    std::string address;
};

struct ManifestFacts {
    // "name", else "short_name": text without control characters, of a sane length.
    std::optional<std::string> name;
    // The largest usable icon (SVG first, then the largest PNG), as an http(s) address.
    std::optional<std::string> icon;
    // At most mostShortcuts, in the manifest's order; those that are not usable are left out.
    std::vector<ManifestShortcut> shortcuts;
    // One per scheme, the first the manifest gives.
    std::vector<ProtocolHandler> protocolHandlers;
    // "theme_color" and "background_color", opaque.
    std::optional<platform::Colour> themeColour;
    std::optional<platform::Colour> backgroundColour;
    // "start_url" resolved against the manifest, when it is on the page's site; the application
    // starts on the page's own address otherwise.
    std::optional<std::string> startAddress;
    // "scope" resolved against the manifest, when the start address (the page's, without one) lies
    // within it; the addresses the application holds as its own.
    std::optional<std::string> scope;
};

// `application` is the page's address being installed: shortcuts and handlers must be on its origin.
ManifestFacts readManifest(const platform::ScriptValue& manifest, const std::string& manifestAddress, const platform::URL& application);

// The page's own icon, for when its manifest gives none: the best of the icons its links name
// (`icons`, a list of { src, sizes, type } as a manifest's icons are), an SVG first, then the largest
// PNG, else the last of any other kind (an ICO, say), as browsers take it; else the site's
// /favicon.ico.
std::string pageIcon(const platform::ScriptValue& icons, const platform::URL& page);

// A name for an application made from any text (a manifest's name, a page's title): what is not a
// letter, digit, "-" or "_" becomes "-", at most 40 of them; "web-app" when nothing is left.
std::string appNameFor(std::string_view text);

} // namespace quillane
