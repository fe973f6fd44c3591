#include "page/failure_pages.h"

#include "page/address_rules.h"
#include "page/leaving_links.h"
#include "page/own_pages.h"
#include "page/shown_addresses.h"
#include "platform/url.h"

namespace quillane {

namespace {
// The page: a headline and what it means in words, then the technical detail in smaller type.
// `body` is HTML already; the rest is escaped here.
std::string page(const std::string& title, const std::string& body, const std::string& address, const std::string& detail,
    bool tryAgain = true, bool openAddress = true)
{
    std::string details = "<p class='detail'>" + escapedForHTML(address);
    if (!detail.empty())
        details += "<br>" + escapedForHTML(detail);
    details += "</p>";
    std::string html = ownPageHead(title) + "<body><h1>" + escapedForHTML(title) + "</h1>" + body + details;
    if (tryAgain)
        html += "<p><a class='button' href='" + escapedForHTML(address) + "'>Try Again</a></p>";
    if (openAddress)
        html += "<p>To open another address, choose File &gt; Open Address\u2026 (Ctrl+L).</p>";
    return html + "</body>";
}

// "“host”" for the sentences, in the letters people read it in; the whole address when it has none.
std::string quotedSite(const std::string& address)
{
    auto url = platform::URL::parse(address);
    std::string site = url && url->host() ? hostForDisplay(*url->host()) : addressForDisplay(address);
    return "\u201c" + escapedForHTML(site) + "\u201d";
}

std::string headline(platform::LoadFailure::Kind kind)
{
    using Kind = platform::LoadFailure::Kind;
    switch (kind) {
    case Kind::refused:
        return "The site refused the connection";
    case Kind::nameNotFound:
        return "The site could not be found";
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

std::string explanation(const platform::LoadFailure& failure)
{
    using Kind = platform::LoadFailure::Kind;
    std::string site = quotedSite(failure.address);
    switch (failure.kind) {
    case Kind::refused:
        return "<p>The computer at " + site + " answered, but no web site there took the connection. The site may be down or starting up: "
               "try again in a moment.</p>";
    case Kind::nameNotFound:
        return "<p>Quillane could not find the site " + site + ". Check the address for a typing mistake, and check that this computer "
               "is connected to the internet.</p>";
    case Kind::timedOut:
        return "<p>" + site + " did not answer in time. The site may be busy, or the connection slow: try again in a moment.</p>";
    case Kind::certificate: {
        std::string text = "<p>Quillane did not load the page, because the certificate that " + site
            + " showed to prove who it is has these problems:</p><ul>";
        for (const auto& problem : failure.certificateProblems)
            text += "<li>" + escapedForHTML(problem) + "</li>";
        return text + "</ul><p>Someone could be standing in for the site. If this goes on, tell whoever runs it.</p>";
    }
    case Kind::blockedPort:
        return "<p>The address names a port that belongs to another kind of service, such as mail or file sharing, and Quillane keeps "
               "web pages away from those. Check the address.</p>";
    case Kind::cancelled:
    case Kind::other:
        break;
    }
    return "<p>Something went wrong while Quillane was loading " + site + ". Try again in a moment.</p>";
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

bool isToldInTheWindow(const platform::LoadFailure& failure)
{
    if (failure.kind == platform::LoadFailure::Kind::cancelled)
        return false;
    auto target = platform::URL::parse(failure.address);
    return !target || destinationOf(target->scheme()) != LinkDestination::askFirst;
}

std::optional<platform::LoadFailure> blockedPortFailure(const platform::URL& address)
{
    if (!address.port() || !isBlockedPort(*address.port()))
        return std::nullopt;
    platform::LoadFailure failure;
    failure.kind = platform::LoadFailure::Kind::blockedPort;
    failure.address = address.absoluteString();
    failure.message = "Port " + std::to_string(*address.port()) + " belongs to another kind of service, and web pages are kept from it";
    return failure;
}

std::string loadFailurePage(const platform::LoadFailure& failure, FailureShownIn where)
{
    // The certificate's problems are told in words already; the engine's words go with the detail.
    std::string detail = failure.kind == platform::LoadFailure::Kind::certificate ? "" : failure.message;
    if (!detail.empty() && detail.back() != '.')
        detail += '.';
    // Open Address is the main window's. A page window's link to a blocked port would be refused
    // without a word, where the main window asks again and tells.
    bool pageWindow = where == FailureShownIn::pageWindow;
    bool tryAgain = !(pageWindow && failure.kind == platform::LoadFailure::Kind::blockedPort);
    return page(headline(failure.kind), explanation(failure), failure.address, detail, tryAgain, !pageWindow);
}

std::string stoppedPage(const std::string& address)
{
    return page("The page stopped working",
        "<p>The page\u2019s process ended several times in a short while, so Quillane stopped bringing it back. It may need more memory "
        "than it can have, or something in it may be broken.</p>",
        address, "");
}

} // namespace quillane
