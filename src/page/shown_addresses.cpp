#include "page/shown_addresses.h"

#include "platform/characters.h"
#include "platform/url.h"
#include "text.h"

#include <algorithm>
#include <set>
#include <string_view>

namespace quillane {

namespace {
using Scripts = std::set<std::string>;

// Scripts that are written together: Japanese, Chinese (with Bopomofo) and Korean, each with Latin.
const Scripts japanese { "Latn", "Hani", "Hira", "Kana" };
const Scripts chinese { "Latn", "Hani", "Bopo" };
const Scripts korean { "Latn", "Hani", "Hang" };

// Cyrillic letters that look like Latin ones.
constexpr std::u32string_view latinLookalikes = U"аысԁеԍһіюјӏорԛѕԝхуъьҽпгѵѡ";

bool within(const Scripts& scripts, const Scripts& allowed)
{
    return std::includes(allowed.begin(), allowed.end(), scripts.begin(), scripts.end());
}

bool isSafeLabel(std::string_view label)
{
    auto characters = platform::charactersOf(label);
    if (!characters || characters->empty())
        return false;
    Scripts scripts;
    bool onlyLookalikes = true;
    bool ascii = true;
    for (const auto& character : *characters) {
        ascii = ascii && character.code < 0x80;
        if (!character.letter && !character.mark && !character.decimalDigit && character.code != U'-')
            return false;
        if (character.script != "Zyyy" && character.script != "Zinh")
            scripts.insert(character.script);
        if (character.letter && latinLookalikes.find(character.code) == std::u32string_view::npos)
            onlyLookalikes = false;
    }
    // An encoded label that decodes to plain ASCII is no name anyone typed.
    if (ascii)
        return false;
    if (scripts == Scripts { "Cyrl" } && onlyLookalikes)
        return false;
    return scripts.size() <= 1 || within(scripts, japanese) || within(scripts, chinese) || within(scripts, korean);
}

std::vector<std::string_view> labelsOf(std::string_view host)
{
    std::vector<std::string_view> labels;
    while (true) {
        auto dot = host.find('.');
        labels.push_back(host.substr(0, dot));
        if (dot == std::string_view::npos)
            return labels;
        host.remove_prefix(dot + 1);
    }
}
} // namespace

std::string hostForDisplay(const std::string& asciiHost)
{
    std::string lower = lowercased(asciiHost);
    auto asciiLabels = labelsOf(lower);
    if (std::none_of(asciiLabels.begin(), asciiLabels.end(), [](std::string_view label) { return label.substr(0, 4) == "xn--"; }))
        return asciiHost;
    auto unicode = platform::unicodeHostname(lower);
    if (!unicode)
        return asciiHost;
    auto labels = labelsOf(*unicode);
    if (labels.size() != asciiLabels.size())
        return asciiHost;
    for (std::size_t index = 0; index < labels.size(); ++index) {
        if (asciiLabels[index].substr(0, 4) == "xn--" && !isSafeLabel(labels[index]))
            return asciiHost;
    }
    return *unicode;
}

std::string addressForDisplay(const std::string& address)
{
    auto url = platform::URL::parse(address);
    if (!url || !url->host())
        return address;
    // The host as written in the address: after "//" and any user name, before the port or path.
    auto authority = address.find("//");
    if (authority == std::string::npos)
        return address;
    authority += 2;
    auto end = address.find_first_of("/?#", authority);
    auto at = address.rfind('@', end == std::string::npos ? address.size() : end);
    std::size_t start = at != std::string::npos && at >= authority ? at + 1 : authority;
    const std::string& host = *url->host();
    if (lowercased(address.substr(start, host.size())) != lowercased(host))
        return address;
    std::string shown = hostForDisplay(host);
    return address.substr(0, start) + shown + address.substr(start + host.size());
}

} // namespace quillane
