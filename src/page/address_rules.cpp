#include "page/address_rules.h"

#include "text.h"

#include <algorithm>
#include <cctype>

namespace quillane {

namespace {
bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}
} // namespace

std::optional<platform::URL> address(std::string_view from)
{
    if (from.size() > longestAddress)
        return std::nullopt;
    auto text = platform::trimmingWhitespaceAndNewlines(from);
    if (!text || text->empty())
        return std::nullopt;
    if (text->find("://") == std::string::npos) {
        bool loopback = startsWith(*text, "localhost") || startsWith(*text, "127.0.0.1");
        text->insert(0, loopback ? "http://" : "https://");
    }
    return platform::URL::parse(*text);
}

namespace {
// At most this many bytes of the text are quoted back, cut between characters.
constexpr std::size_t longestQuote = 60;

std::string quoted(std::string_view text)
{
    if (text.size() <= longestQuote)
        return "\u201c" + std::string(text) + "\u201d";
    std::size_t end = longestQuote;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return "\u201c" + std::string(text.substr(0, end)) + "\u2026\u201d";
}
} // namespace

std::optional<std::string> whyNotAnAddress(std::string_view typed)
{
    if (typed.size() > longestAddress)
        return "The text is too long for an address.";
    auto text = platform::trimmingWhitespaceAndNewlines(typed);
    if (!text)
        return "The text is not readable as an address.";
    if (text->empty() || address(typed))
        return std::nullopt;
    if (text->find_first_of(" \t\r\n") != std::string::npos)
        return quoted(*text) + " is not an address: addresses have no spaces. Type one such as example.com.";
    return quoted(*text) + " is not an address Quillane can read. Type one such as example.com.";
}

namespace {
bool isWebScheme(std::string_view scheme)
{
    std::string lower = lowercased(scheme);
    return lower == "http" || lower == "https";
}
} // namespace

std::optional<platform::URL> webPage(std::string_view from)
{
    auto typed = address(from);
    if (!typed || !typed->host() || typed->host()->empty() || !isWebScheme(typed->scheme()))
        return std::nullopt;
    return typed;
}

std::optional<platform::URL> page(const platform::URL& inLink)
{
    if (inLink.absoluteString().size() > longestAddress)
        return std::nullopt;
    if (lowercased(inLink.scheme()) != "quillane")
        return std::nullopt;
    if (inLink.host() != "open")
        return std::nullopt;
    auto items = inLink.queryItems();
    if (!items || items->empty())
        return std::nullopt;
    auto item = std::find_if(items->begin(), items->end(), [](const platform::QueryItem& item) { return item.name == "url"; });
    if (item == items->end() || !item->value)
        return std::nullopt;
    auto inner = platform::URL::parse(*item->value);
    if (!inner || !inner->host())
        return std::nullopt;
    if (!isWebScheme(inner->scheme()))
        return std::nullopt;
    return inner;
}

bool sameSite(const platform::URL& first, const platform::URL& second)
{
    auto port = [](const platform::URL& url) {
        std::string scheme = lowercased(url.scheme());
        return url.port().value_or(scheme == "https" ? 443 : scheme == "http" ? 80 : -1);
    };
    return lowercased(first.scheme()) == lowercased(second.scheme()) && first.host() && second.host()
        && lowercased(*first.host()) == lowercased(*second.host()) && port(first) == port(second);
}

bool withinScope(const platform::URL& address, const platform::URL& scope)
{
    auto pathOf = [](const platform::URL& url) { return url.path().empty() ? std::string("/") : url.path(); };
    return sameSite(address, scope) && startsWith(pathOf(address), pathOf(scope));
}

bool isBlockedPort(int port)
{
    // The web's list of "bad ports", which the engine keeps too.
    static constexpr int blocked[] = { 1, 7, 9, 11, 13, 15, 17, 19, 20, 21, 22, 23, 25, 37, 42, 43, 53, 69, 77, 79, 87, 95, 101, 102, 103, 104, 109, 110,
        111, 113, 115, 117, 119, 123, 135, 137, 139, 143, 161, 179, 389, 427, 465, 512, 513, 514, 515, 526, 530, 531, 532, 540, 548, 554, 556, 563, 587,
        601, 636, 989, 990, 993, 995, 1719, 1720, 1723, 2049, 3659, 4045, 4190, 5060, 5061, 6000, 6566, 6665, 6666, 6667, 6668, 6669, 6679, 6697, 10080 };
    return std::find(std::begin(blocked), std::end(blocked), port) != std::end(blocked);
}

std::string site(std::string_view scheme, std::string_view host, int port)
{
    std::string text;
    text.append(scheme).append("://").append(host);
    if (port != 0)
        text.append(":").append(std::to_string(port));
    return text;
}

} // namespace quillane
