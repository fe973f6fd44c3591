#include "page/failure_pages.h"

#include "page/own_pages.h"

namespace quillane {

namespace {
std::string page(const std::string& title, const std::string& body, const std::string& address, bool dark)
{
    return ownPageHead(title, dark) + "<body><h1>" + escapedForHTML(title) + "</h1>" + body + "<p><a class='button' href='" + escapedForHTML(address)
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

std::string loadFailurePage(const platform::LoadFailure& failure, bool dark)
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
    return page(headline(failure.kind), body, failure.address, dark);
}

std::string stoppedPage(const std::string& address, bool dark)
{
    return page("The page stopped working",
        "<p><code>" + escapedForHTML(address) + "</code></p><p>Its process ended several times in a short while, so Quillane stopped bringing it back.</p>",
        address, dark);
}

} // namespace quillane
