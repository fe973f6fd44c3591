#include "apps/app_links.h"

#include "page/address_rules.h"
#include "text.h"

#include <algorithm>
#include <array>

namespace quillane {

namespace {
bool isWebAddress(const platform::URL& url)
{
    std::string scheme = lowercased(url.scheme());
    return (scheme == "http" || scheme == "https") && url.host() && !url.host()->empty();
}

bool isControl(std::string_view text, std::size_t at)
{
    auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x20 || byte == 0x7f)
        return true;
    // U+0080 to U+009F, the C1 controls, are C2 80 to C2 9F in UTF-8.
    return byte == 0xc2 && at + 1 < text.size() && static_cast<unsigned char>(text[at + 1]) <= 0x9f;
}

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xc0) == 0x80;
}
} // namespace

std::optional<std::string> shownName(std::string_view text, std::size_t longest)
{
    auto trimmed = platform::trimmingWhitespaceAndNewlines(text);
    if (!trimmed || trimmed->empty())
        return std::nullopt;
    for (std::size_t at = 0; at < trimmed->size(); ++at) {
        if (isControl(*trimmed, at))
            return std::nullopt;
    }
    std::size_t characters = 0;
    for (std::size_t at = 0; at < trimmed->size(); ++at) {
        if (isContinuationByte((*trimmed)[at]))
            continue;
        if (++characters > longest) {
            trimmed->resize(at);
            return platform::trimmingWhitespaceAndNewlines(*trimmed);
        }
    }
    return trimmed;
}

std::optional<std::string> shortcutAddress(const std::string& resolved, const platform::URL& application)
{
    auto url = platform::URL::parse(resolved);
    if (!url || !isWebAddress(*url) || !sameSite(*url, application))
        return std::nullopt;
    return url->absoluteString();
}

bool isHandledScheme(std::string_view scheme)
{
    static constexpr std::array<std::string_view, 23> allowed { "bitcoin", "ftp", "ftps", "geo", "im", "irc", "ircs", "magnet", "mailto", "mms", "news",
        "nntp", "openpgp4fpr", "sftp", "sip", "sms", "smsto", "ssh", "tel", "urn", "webcal", "wtai", "xmpp" };
    if (std::find(allowed.begin(), allowed.end(), scheme) != allowed.end())
        return true;
    constexpr std::string_view web = "web+";
    return scheme.size() > web.size() && scheme.substr(0, web.size()) == web
        && std::all_of(scheme.begin() + web.size(), scheme.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

std::optional<std::string> handlerAddress(const std::string& resolved, const platform::URL& application)
{
    // "%s" only after the origin: a link put in place of it never changes where the address goes.
    std::size_t link = resolved.find("%s");
    std::size_t authority = resolved.find("://");
    if (link == std::string::npos || authority == std::string::npos)
        return std::nullopt;
    std::size_t authorityEnd = resolved.find_first_of("/?#", authority + 3);
    if (authorityEnd == std::string::npos || authorityEnd > link)
        return std::nullopt;
    auto example = addressForHandedLink(resolved, "mailto:someone@example.com");
    if (!example || !sameSite(*example, application))
        return std::nullopt;
    return resolved;
}

std::string percentEncodedComponent(std::string_view text)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string encoded;
    for (char c : text) {
        bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || std::string_view("-_.!~*'()").find(c) != std::string_view::npos;
        if (kept) {
            encoded += c;
            continue;
        }
        auto byte = static_cast<unsigned char>(c);
        encoded += '%';
        encoded += digits[byte >> 4];
        encoded += digits[byte & 0xf];
    }
    return encoded;
}

std::optional<platform::URL> addressForHandedLink(std::string_view handler, std::string_view link)
{
    std::size_t at = handler.find("%s");
    if (at == std::string_view::npos || link.size() > longestAddress)
        return std::nullopt;
    std::string address(handler.substr(0, at));
    address += percentEncodedComponent(link);
    address += handler.substr(at + 2);
    auto url = platform::URL::parse(address);
    if (!url || !isWebAddress(*url))
        return std::nullopt;
    return url;
}

std::optional<HandedPage> lastAppPageIn(const std::vector<std::string>& links,
    const std::function<std::optional<std::string>(const std::string& scheme)>& handlerFor)
{
    std::optional<HandedPage> chosen;
    for (const auto& link : links) {
        auto url = link.size() <= longestAddress ? platform::URL::parse(link) : std::nullopt;
        if (!url)
            continue;
        std::string scheme = lowercased(url->scheme());
        if (auto inner = page(*url)) {
            chosen = HandedPage { *inner, true };
        } else if (isWebAddress(*url)) {
            chosen = HandedPage { *url, false };
        } else if (isHandledScheme(scheme)) {
            auto handler = handlerFor(scheme);
            if (auto address = handler ? addressForHandedLink(*handler, link) : std::nullopt)
                chosen = HandedPage { *address, false };
        }
    }
    return chosen;
}

} // namespace quillane
