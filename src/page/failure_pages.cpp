#include "page/failure_pages.h"

namespace quillane {

namespace {
// Light or dark as the desktop prefers (the dark background is also the blank window's, in
// main_window/main_window.h).
constexpr std::string_view style = "<meta name='color-scheme' content='light dark'>"
                                   "<style>html { background: #f4f4f5; color: #222; font: 15px/1.5 sans-serif }"
                                   " body { max-width: 34em; margin: 12vh auto; padding: 0 2em }"
                                   " h1 { font-size: 1.4em; font-weight: 600 } code { word-break: break-all }"
                                   " a.button { display: inline-block; padding: .4em 1.2em; border-radius: 6px; background: #2a5db0;"
                                   " color: white; text-decoration: none }"
                                   " @media (prefers-color-scheme: dark) { html { background: #1f1f22; color: #e4e4e7 }"
                                   " a.button { background: #3d74d1 } }</style>";

std::string page(const std::string& title, const std::string& body, const std::string& address)
{
    return "<!doctype html><meta charset='utf-8'><title>" + escapedForHTML(title) + "</title>" + std::string(style) + "<body><h1>"
        + escapedForHTML(title) + "</h1>" + body + "<p><a class='button' href='" + escapedForHTML(address)
        + "'>Try Again</a></p><p>To open another address, choose File &gt; Open Address\u2026 (Ctrl+L).</p></body>";
}

std::string headline(platform::LoadFailure::Kind kind)
{
    using Kind = platform::LoadFailure::Kind;
    switch (kind) {
    case Kind::refused:
        return "The site refused the connection";
    case Kind::nameNotFound:
        return "The site\u2019s address could not be found";
    case Kind::timedOut:
        return "The site took too long to answer";
    case Kind::certificate:
        return "The site\u2019s certificate was not accepted";
    case Kind::blockedPort:
        return "Pages may not use this port";
    case Kind::cancelled:
    case Kind::other:
        break;
    }
    return "The page could not be loaded";
}
} // namespace

std::string escapedForHTML(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            result += "&amp;";
            break;
        case '<':
            result += "&lt;";
            break;
        case '>':
            result += "&gt;";
            break;
        case '"':
            result += "&quot;";
            break;
        case '\'':
            result += "&#39;";
            break;
        default:
            result += c;
        }
    }
    return result;
}

std::string loadFailurePage(const platform::LoadFailure& failure)
{
    std::string body = "<p><code>" + escapedForHTML(failure.address) + "</code></p>";
    if (!failure.certificateProblems.empty()) {
        body += "<p>Quillane did not load the page, because the certificate the site showed has these problems:</p><ul>";
        for (const auto& problem : failure.certificateProblems)
            body += "<li>" + escapedForHTML(problem) + "</li>";
        body += "</ul>";
    } else if (!failure.message.empty()) {
        body += "<p>" + escapedForHTML(failure.message) + ".</p>";
    }
    return page(headline(failure.kind), body, failure.address);
}

std::string stoppedPage(const std::string& address)
{
    return page("The page stopped working",
        "<p><code>" + escapedForHTML(address) + "</code></p><p>Its process ended several times in a short while, so Quillane stopped bringing it back.</p>",
        address);
}

} // namespace quillane
