#include "platform/characters.h"

#include "platform/gtk/gobject_ref.h"

#include <glib.h>

namespace quillane::platform {

std::optional<std::vector<CharacterFacts>> charactersOf(std::string_view text)
{
    if (!g_utf8_validate(text.data(), gssize(text.size()), nullptr))
        return std::nullopt;
    std::vector<CharacterFacts> facts;
    for (const char* at = text.data(); at < text.data() + text.size(); at = g_utf8_next_char(at)) {
        gunichar c = g_utf8_get_char(at);
        guint32 code = g_unicode_script_to_iso15924(g_unichar_get_script(c));
        CharacterFacts fact;
        fact.code = c;
        fact.script = { char(code >> 24), char(code >> 16 & 0xff), char(code >> 8 & 0xff), char(code & 0xff) };
        GUnicodeType type = g_unichar_type(c);
        fact.letter = type == G_UNICODE_LOWERCASE_LETTER || type == G_UNICODE_UPPERCASE_LETTER || type == G_UNICODE_TITLECASE_LETTER
            || type == G_UNICODE_MODIFIER_LETTER || type == G_UNICODE_OTHER_LETTER;
        fact.mark = type == G_UNICODE_SPACING_MARK || type == G_UNICODE_NON_SPACING_MARK || type == G_UNICODE_ENCLOSING_MARK;
        fact.decimalDigit = type == G_UNICODE_DECIMAL_NUMBER;
        facts.push_back(std::move(fact));
    }
    return facts;
}

std::optional<std::string> unicodeHostname(const std::string& asciiHost)
{
    GCharPtr unicode(g_hostname_to_unicode(asciiHost.c_str()));
    if (!unicode)
        return std::nullopt;
    GCharPtr back(g_hostname_to_ascii(static_cast<char*>(unicode.get())));
    if (!back || g_ascii_strcasecmp(static_cast<char*>(back.get()), asciiHost.c_str()) != 0)
        return std::nullopt;
    return std::string(static_cast<char*>(unicode.get()));
}

} // namespace quillane::platform
