#include "page/address_rules.h"

#include <gtest/gtest.h>

#include <tuple>

using quillane::address;
using quillane::page;
using quillane::platform::URL;

namespace {
// The address text a typed or linked input gives, or "none".
std::string typed(std::string_view text)
{
    auto result = address(text);
    return result ? result->absoluteString() : "none";
}

std::string linked(std::string_view link)
{
    auto url = URL::parse(link);
    if (!url)
        return "unparsable link";
    auto result = page(*url);
    return result ? result->absoluteString() : "none";
}
} // namespace

TEST(AddressFrom, TypedTextGetsASchemeByTheLoopbackRule)
{
    const std::pair<std::string, std::string> cases[] = {
        { "", "none" },
        { " \t\n\r ", "none" },
        { "\u00a0\u2028\u3000", "none" },
        { "example.com", "https://example.com" },
        { "example.com/path/page.html?q=1#f", "https://example.com/path/page.html?q=1#f" },
        { " localhost:3000 ", "http://localhost:3000" },
        { "localhostile.org", "http://localhostile.org" },
        { "LOCALHOST:3000", "https://LOCALHOST:3000" },
        { "127.0.0.1:8080/x", "http://127.0.0.1:8080/x" },
        { "\u00a0example.com\u2029", "https://example.com" },
        { "ftp://files.example.com/a", "ftp://files.example.com/a" },
        { "HTTPS://Example.COM/Path", "HTTPS://Example.COM/Path" },
        { "intranet:8080/page", "https://intranet:8080/page" },
        // The word before the colon becomes a host, and what follows is no port.
        { "mailto:someone", "none" },
        { "example.com/?next=https://other.example", "none" },
        { "javascript:alert(1)", "none" },
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(typed(input), expected) << "input: [" << input << "]";
}

TEST(AddressFrom, TextTheParserRejectsGivesNone)
{
    for (std::string_view input : { "https://example.com/%zz", "example.com:99999", "exa mple.com", "https://example.com/a\tb",
             "https://[::1", "://", "\xff\xfe", "https://example.com/\x01" })
        EXPECT_EQ(typed(input), "none") << "input: [" << input << "]";
    EXPECT_EQ(typed(std::string("example.com\0evil", 16)), "none");
}

TEST(AddressFrom, AnInternationalisedNameKeepsItsTextAndLoadsInASCII)
{
    auto result = address("b\xc3\xbc" "cher.de");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->absoluteString(), "https://b\xc3\xbc" "cher.de");
    EXPECT_EQ(result->host(), "xn--bcher-kva.de");
    EXPECT_EQ(result->loadableString(), "https://xn--bcher-kva.de");
}

TEST(PageInLink, TheUrlItemCarriesAWebAddress)
{
    const std::pair<std::string, std::string> cases[] = {
        { "quillane://open?url=https%3A%2F%2Fexample.com%2Fa%3Fb%3D1%26c%3Dd", "https://example.com/a?b=1&c=d" },
        { "QUILLANE://open?url=http%3A%2F%2Fexample.com", "http://example.com" },
        { "quillane://open?url=HTTPS%3A%2F%2FExample.com%3A8443%2FP%23frag", "HTTPS://Example.com:8443/P#frag" },
        { "quillane://open?x=1&url=https%3A%2F%2Fa.example&url=https%3A%2F%2Fb.example", "https://a.example" },
        { "quillane://open?flag&url=https://a.example/?q", "https://a.example/?q" },
        { "quillane://open?url=https%3A%2F%2Fexample.com%2Fa+b", "https://example.com/a+b" },
        { "quillane://user@open:99/ignored/path?url=https%3A%2F%2Fexample.com#frag", "https://example.com" },
        { "quillane://open?url=https%3A%2F%2Fuser%3Apw%40example.com%2F", "https://user:pw@example.com/" },
        { "quillane://open?url=http%3A%2F%2F%5B%3A%3A1%5D%3A8080%2F", "http://[::1]:8080/" },
    };
    for (const auto& [link, expected] : cases)
        EXPECT_EQ(linked(link), expected) << "link: " << link;
}

TEST(PageInLink, EverythingElseIsRefused)
{
    for (std::string_view link : {
             "quillane://open?url=javascript%3Aalert(1)",
             "quillane://open?url=file%3A%2F%2F%2Fetc%2Fhosts",
             "quillane://open?url=data%3Atext%2Fhtml%2C%3Ch1%3Ehi",
             "quillane://open?url=ftp%3A%2F%2Fexample.com",
             "quillane://open?url=quillane%3A%2F%2Fopen%3Furl%3Dhttps%253A%252F%252Fexample.com",
             "quillane://open?url=example.com",
             "quillane://open?url=https%3A%2F%2F",
             "quillane://OPEN?url=https%3A%2F%2Fexample.com",
             "quillane://open?URL=https%3A%2F%2Fexample.com",
             "quillane://open?url=&url=https%3A%2F%2Fexample.com",
             "quillane://open?url",
             "quillane://open",
             "quillane://open?",
             "quillane:open?url=https%3A%2F%2Fexample.com",
             "quillane://close?url=https%3A%2F%2Fexample.com",
             "https://open?url=https%3A%2F%2Fexample.com",
             "quillane://open?url=https%3A%2F%2Fexample.com%00evil",
             "quillane://open?url=https%3A%2F%2Fexample.com%2F%FF",
             "quillane://open?url=https%3A%2F%2Fexa%20mple.com",
         })
        EXPECT_EQ(linked(link), "none") << "link: " << link;
}

TEST(LongestAddress, SixtyFourKibibytesOfTypedTextOrLinkAreTakenAndOneByteMoreIsNot)
{
    constexpr std::size_t longest = 64 * 1024;
    const std::string typedStart = "example.com/", linkStart = "quillane://open?url=https%3A%2F%2Fexample.com%2F";
    for (std::size_t length : { longest - 1, longest, longest + 1, std::size_t(1) << 20 }) {
        const bool taken = length <= longest;
        std::string text = typedStart + std::string(length - typedStart.size(), 'a');
        EXPECT_EQ(address(text).has_value(), taken) << length;
        std::string link = linkStart + std::string(length - linkStart.size(), 'a');
        EXPECT_EQ(linked(link), taken ? "https://example.com/" + link.substr(linkStart.size()) : "none") << length;
    }
}

TEST(WebPage, OnlyHttpAndHttpsAddressesWithAHostAreWebPages)
{
    const std::pair<const char*, const char*> cases[] = {
        { "example.com", "https://example.com" },
        { "localhost:8080/app", "http://localhost:8080/app" },
        { "HTTP://Example.com/", "HTTP://Example.com/" },
        { "javascript://x%0Aalert(1)", "none" },
        { "file:///etc/passwd", "none" },
        { "quillane://open?url=https%3A%2F%2Fexample.com", "none" },
        { "data:text/html,hi", "none" },
        { "about:blank", "none" },
        { "ftp://example.com/", "none" },
        { "https://", "none" },
        { "https:///path", "none" },
        { "", "none" },
    };
    for (const auto& [text, expected] : cases) {
        auto result = quillane::webPage(text);
        EXPECT_EQ(result ? result->absoluteString() : "none", expected) << text;
    }
}

TEST(SameSite, SchemeHostAndPortWithTheDefaultPortWrittenOrNot)
{
    const std::tuple<const char*, const char*, bool> cases[] = {
        { "https://example.com/a", "https://example.com/b?c", true },
        { "https://example.com/", "https://example.com:443/", true },
        { "http://example.com/", "http://example.com:80/", true },
        { "HTTPS://EXAMPLE.com/", "https://example.COM/", true },
        { "https://example.com/", "http://example.com/", false },
        { "https://example.com/", "https://example.com:8443/", false },
        { "http://example.com:443/", "https://example.com/", false },
        { "https://example.com/", "https://www.example.com/", false },
        { "http://localhost:8080/", "http://localhost:8081/", false },
        { "mailto:someone@example.com", "mailto:someone@example.com", false },
    };
    for (const auto& [first, second, same] : cases) {
        auto a = URL::parse(first), b = URL::parse(second);
        ASSERT_TRUE(a && b) << first << " " << second;
        EXPECT_EQ(quillane::sameSite(*a, *b), same) << first << " and " << second;
        EXPECT_EQ(quillane::sameSite(*b, *a), same) << second << " and " << first;
    }
}

TEST(WhyNotAnAddress, TypedTextThatIsNoAddressIsToldWhyAndNothingTypedIsNotRefused)
{
    using quillane::whyNotAnAddress;
    for (std::string_view fine : { "example.com", " localhost:3000 ", "https://example.com/a?b=c", "", " \n\t " })
        EXPECT_EQ(whyNotAnAddress(fine), std::nullopt) << "[" << fine << "]";
    EXPECT_EQ(whyNotAnAddress("hello world"), "\u201chello world\u201d is not an address: addresses have no spaces. Type one such as example.com.");
    EXPECT_EQ(whyNotAnAddress(" https://example.com/a\tb "),
        "\u201chttps://example.com/a\tb\u201d is not an address: addresses have no spaces. Type one such as example.com.")
        << "quoted as typed, without the white space around it";
    EXPECT_EQ(whyNotAnAddress("example.com:99999"), "\u201cexample.com:99999\u201d is not an address Quillane can read. Type one such as example.com.");
    EXPECT_EQ(whyNotAnAddress("\xff\xfe"), "The text is not readable as an address.");
    EXPECT_EQ(whyNotAnAddress(std::string(quillane::longestAddress + 1, 'a')), "The text is too long for an address.");
}

TEST(WhyNotAnAddress, ALongTextIsQuotedShortenedBetweenCharacters)
{
    // 59 ASCII letters, then "é" (two bytes) across the 60-byte mark, then a space that makes it no address.
    std::string text = std::string(59, 'a') + "\xc3\xa9 b";
    EXPECT_EQ(*quillane::whyNotAnAddress(text), "\u201c" + std::string(59, 'a') + "\u2026\u201d is not an address: addresses have no spaces. Type one such as example.com.");
    std::string sixty = std::string(57, 'a') + " bc";
    EXPECT_EQ(*quillane::whyNotAnAddress(sixty), "\u201c" + sixty + "\u201d is not an address: addresses have no spaces. Type one such as example.com.")
        << "60 bytes are quoted whole";
}

TEST(WithinScope, OfTheScopesSiteWithAPathThatStartsWithItsPath)
{
    auto url = [](const char* text) { return *quillane::platform::URL::parse(text); };
    const std::tuple<const char*, const char*, bool> cases[] = {
        { "https://mail.example/app/inbox", "https://mail.example/app/", true },
        { "https://mail.example/app/", "https://mail.example/app/", true },
        { "https://mail.example/app", "https://mail.example/app/", false },
        { "https://mail.example/apple", "https://mail.example/app/", false },
        { "https://mail.example/apple", "https://mail.example/app", true },
        { "https://mail.example/", "https://mail.example/app/", false },
        { "https://mail.example", "https://mail.example/", true },
        { "https://mail.example/x?y", "https://mail.example", true },
        { "https://MAIL.example:443/app/x", "https://mail.example/app/", true },
        { "http://mail.example/app/x", "https://mail.example/app/", false },
        { "https://mail.example:8443/app/x", "https://mail.example/app/", false },
        { "https://other.example/app/x", "https://mail.example/app/", false },
    };
    for (const auto& [address, scope, expected] : cases)
        EXPECT_EQ(quillane::withinScope(url(address), url(scope)), expected) << address << " in " << scope;
}
