#include "platform/url.h"

#include "platform/gtk/gobject_ref.h"

#include <glib.h>

namespace quillane::platform {

namespace {
struct GUriDeleter {
    void operator()(GUri* uri) const { g_uri_unref(uri); }
};
using GUriPtr = std::unique_ptr<GUri, GUriDeleter>;

bool hasSpaceOrControl(std::string_view text)
{
    for (unsigned char c : text) {
        if (c <= 0x20 || c == 0x7f)
            return true;
    }
    return false;
}

std::optional<std::string> decoded(std::string_view text)
{
    std::string copy(text);
    GCharPtr plain(g_uri_unescape_string(copy.c_str(), nullptr));
    if (!plain)
        return std::nullopt;
    std::string result = static_cast<char*>(plain.get());
    if (!g_utf8_validate(result.data(), static_cast<gssize>(result.size()), nullptr))
        return std::nullopt;
    return result;
}

bool isLineBreakOrSpace(gunichar c)
{
    // NEL is a line break that GLib does not count as space.
    return g_unichar_isspace(c) || c == 0x85;
}
} // namespace

std::optional<URL> URL::parse(std::string_view text)
{
    if (text.empty() || hasSpaceOrControl(text) || !g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr))
        return std::nullopt;
    std::string copy(text);
    GUriPtr uri(g_uri_parse(copy.c_str(), G_URI_FLAGS_ENCODED, nullptr));
    if (!uri)
        return std::nullopt;
    URL url;
    url.m_text = std::move(copy);
    url.m_scheme = url.m_text.substr(0, url.m_text.find(':'));
    if (const char* host = g_uri_get_host(uri.get()); host && *host)
        url.m_host = host;
    if (int port = g_uri_get_port(uri.get()); port >= 0)
        url.m_port = port;
    if (const char* path = g_uri_get_path(uri.get()))
        url.m_path = path;
    if (const char* query = g_uri_get_query(uri.get()))
        url.m_query = query;
    GCharPtr loadable(g_uri_to_string(uri.get()));
    url.m_loadable = loadable ? static_cast<char*>(loadable.get()) : url.m_text;
    return url;
}

std::optional<std::vector<QueryItem>> URL::queryItems() const
{
    if (!m_query)
        return std::vector<QueryItem> {};
    std::vector<QueryItem> items;
    std::string_view rest = *m_query;
    while (true) {
        auto end = rest.find('&');
        std::string_view item = rest.substr(0, end);
        auto equals = item.find('=');
        auto name = decoded(item.substr(0, equals));
        if (!name)
            return std::nullopt;
        QueryItem parsed { *name, std::nullopt };
        if (equals != std::string_view::npos) {
            parsed.value = decoded(item.substr(equals + 1));
            if (!parsed.value)
                return std::nullopt;
        }
        items.push_back(std::move(parsed));
        if (end == std::string_view::npos)
            break;
        rest.remove_prefix(end + 1);
    }
    return items;
}

std::optional<std::string> trimmingWhitespaceAndNewlines(std::string_view text)
{
    if (!g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr))
        return std::nullopt;
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    while (begin < end && isLineBreakOrSpace(g_utf8_get_char(begin)))
        begin = g_utf8_next_char(begin);
    while (end > begin) {
        const char* last = g_utf8_find_prev_char(begin, end);
        if (!last || !isLineBreakOrSpace(g_utf8_get_char(last)))
            break;
        end = last;
    }
    return std::string(begin, end);
}

std::string escapedForQuery(std::string_view text)
{
    std::string copy(text);
    GCharPtr escaped(g_uri_escape_string(copy.c_str(), nullptr, FALSE));
    return escaped ? static_cast<char*>(escaped.get()) : "";
}

std::optional<std::string> resolvedAgainst(const std::string& base, const std::string& reference)
{
    ErrorOut error;
    GCharPtr resolved(g_uri_resolve_relative(base.c_str(), reference.c_str(), G_URI_FLAGS_NONE, error.out()));
    if (!resolved)
        return std::nullopt;
    return std::string(static_cast<char*>(resolved.get()));
}

std::optional<std::string> resolvedKeepingPercentSigns(const std::string& base, const std::string& reference)
{
    ErrorOut error;
    GCharPtr resolved(g_uri_resolve_relative(base.c_str(), reference.c_str(), GUriFlags(G_URI_FLAGS_ENCODED | G_URI_FLAGS_PARSE_RELAXED), error.out()));
    if (!resolved)
        return std::nullopt;
    return std::string(static_cast<char*>(resolved.get()));
}

} // namespace quillane::platform
