#pragma once
// An absolute address as RFC 3986 parses it, keeping the text it was parsed from.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillane::platform {

struct QueryItem {
    std::string name;
    // None for an item written as a bare name, without "=".
    std::optional<std::string> value;
};

class URL {
public:
    // None when the text is not an absolute URI: no scheme, bad percent-escapes, a port out of range,
    // text that is not UTF-8, or white space or control characters anywhere.
    static std::optional<URL> parse(std::string_view text);

    // The text exactly as parsed.
    const std::string& absoluteString() const { return m_text; }
    // As written (letter case kept).
    const std::string& scheme() const { return m_scheme; }
    // None when the address has no host or an empty one. Internationalised names come in ASCII form.
    const std::optional<std::string>& host() const { return m_host; }
    // None when the address names no port.
    std::optional<int> port() const { return m_port; }
    // As written, still percent-encoded; "" when there is none.
    const std::string& path() const { return m_path; }
    // The query as written, still percent-encoded; none when there is no "?".
    const std::optional<std::string>& query() const { return m_query; }
    // The query's items split at "&" and "=", names and values percent-decoded ("+" stays "+");
    // none when an escape does not decode to text.
    std::optional<std::vector<QueryItem>> queryItems() const;
    // The form handed to the web engine: the host in ASCII, characters that need it escaped.
    const std::string& loadableString() const { return m_loadable; }

private:
    std::string m_text;
    std::string m_scheme;
    std::optional<std::string> m_host;
    std::optional<int> m_port;
    std::string m_path;
    std::optional<std::string> m_query;
    std::string m_loadable;
};

// A reference (an icon's "src" in a manifest) resolved against the address it was found at; none
// when it does not resolve to an absolute address.
std::optional<std::string> resolvedAgainst(const std::string& base, const std::string& reference);
// The same, keeping percent signs as they are written, even those that escape nothing (the "%s" a
// protocol handler's address holds for the link).
std::optional<std::string> resolvedKeepingPercentSigns(const std::string& base, const std::string& reference);

// The text percent-encoded to stand as a query's value: every byte but letters, digits and "-._~".
std::string escapedForQuery(std::string_view text);

// The text without the white space and line breaks at either end (Unicode's, not only ASCII's);
// none when the text is not UTF-8.
std::optional<std::string> trimmingWhitespaceAndNewlines(std::string_view text);

} // namespace quillane::platform
