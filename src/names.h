#pragma once
// The program's names and the keys of what it stores, each written once.
namespace quillane {

namespace names {
// Reverse-DNS id: D-Bus name, desktop entry and icon name.
inline constexpr const char* applicationId = "org.quillane.Quillane";
inline constexpr const char* programName = "quillane";
inline constexpr const char* windowClass = "Quillane";
inline constexpr const char* displayName = "Quillane";
inline constexpr const char* website = "https://quillane.org/";
// As the AppStream data says (data/org.quillane.Quillane.metainfo.xml).
inline constexpr const char* licence = "MIT";
// The handler our page scripts post to, and the script world they and it live in, apart from the page's.
inline constexpr const char* messageHandler = "quillane";
inline constexpr const char* scriptWorld = "quillane";
} // namespace names

namespace keys {
// Whether the main window floats above other windows (Boolean, true unless the user says otherwise).
inline constexpr const char* floating = "float";
// The last page opened (text).
inline constexpr const char* address = "address";
// The microphone answers per site (site text to Boolean).
inline constexpr const char* microphone = "microphone";
// The notification answers per site (site text to Boolean).
inline constexpr const char* notifications = "notifications";
// The page zoom per site (site text to a factor, 1 for the page's own size).
inline constexpr const char* zoom = "zoom";
// Schemes whose links a site may hand to another program without asking (site and scheme to Boolean).
inline constexpr const char* leavingLinks = "links";
// Where the main window was last, and on which monitor (text).
inline constexpr const char* windowFrame = "Window Frame Quillane";
// The folder the last download was saved to (text).
inline constexpr const char* downloadFolder = "download folder";
// An application's own colours, from its manifest (CSS text, "#rrggbb").
inline constexpr const char* themeColour = "theme colour";
inline constexpr const char* backgroundColour = "background colour";
// What an application installed from its page holds as its own: its manifest's scope (text).
inline constexpr const char* scope = "scope";
} // namespace keys


} // namespace quillane
