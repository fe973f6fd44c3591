#include "page/own_pages.h"

#include "page/failure_pages.h"

#include <string_view>

namespace quillane {

namespace {
// The dark background is also the blank window's (main_window/main_window.h).
constexpr std::string_view style = "<style>"
                                   ":root { color-scheme: light; --background: #f4f4f5; --text: #222; --quiet: #666; --button: #2a5db0 }"
                                   " @media (prefers-color-scheme: dark) {"
                                   " :root { color-scheme: dark; --background: #1f1f22; --text: #e4e4e7; --quiet: #a0a0a8; --button: #3d74d1 } }"
                                   " html { background: var(--background); color: var(--text); font: 15px/1.5 sans-serif }"
                                   " body { max-width: 34em; margin: 12vh auto; padding: 0 2em }"
                                   " h1 { font-size: 1.4em; font-weight: 600 } code { word-break: break-all } .quiet { color: var(--quiet) }"
                                   " .detail { font-size: .8em; color: var(--quiet); word-break: break-all }"
                                   " kbd { font: inherit; font-weight: 600 }"
                                   " a.button { display: inline-block; padding: .4em 1.2em; border-radius: 6px; background: var(--button);"
                                   " color: white; text-decoration: none }</style>";
} // namespace

std::string ownPageHead(const std::string& title)
{
    return "<!doctype html><html><meta charset='utf-8'><meta name='color-scheme' content='light dark'><title>" + escapedForHTML(title) + "</title>"
        + std::string(style);
}

std::string startPage()
{
    return ownPageHead("Quillane")
        + "<body><h1>No page is open</h1><p>Press <kbd>Ctrl+L</kbd> to open an address, such as example.com.</p>"
          "<p class='quiet'>A right-click here offers Open Address too; <kbd>F10</kbd> or <kbd>Ctrl+Shift+M</kbd> opens the menus.</p></body>";
}

} // namespace quillane
