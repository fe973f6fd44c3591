#pragma once
// What a page's web application manifest says about installing it: its name, its icon, where the
// application starts and what it holds as its own.
#include "platform/script_value.h"

#include <optional>
#include <string>
#include <string_view>

namespace quillane {

struct ManifestFacts {
    // "name", else "short_name": text without control characters, of a sane length.
    std::optional<std::string> name;
    // The largest usable icon (SVG first, then the largest PNG), as an http(s) address.
    std::optional<std::string> icon;
    // "start_url" resolved against the manifest, when it is on the page's site; the application
    // starts on the page's own address otherwise.
    std::optional<std::string> startAddress;
    // "scope" resolved against the manifest, when the start address (the page's, without one) lies
    // within it; the addresses the application holds as its own.
    std::optional<std::string> scope;
};

ManifestFacts readManifest(const platform::ScriptValue& manifest, const std::string& manifestAddress, const std::string& pageAddress);

// A name for an application made from any text (a manifest's name, a page's title): what is not a
// letter, digit, "-" or "_" becomes "-", at most 40 of them; "web-app" when nothing is left.
std::string appNameFor(std::string_view text);

} // namespace quillane
