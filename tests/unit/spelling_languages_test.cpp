// Which dictionaries pages' fields are spell-checked with, from the user's language names.
#include "page/spelling_languages.h"

#include <gtest/gtest.h>

using namespace quillane;

namespace {
using Names = std::vector<std::string>;

struct Case {
    Names given;
    Names chosen;
    const char* why;
};
} // namespace

TEST(SpellingLanguages, TheLocalesLanguagesBecomeDictionaryNamesInTheirOrder)
{
    const Case cases[] = {
        { { "en_GB.UTF-8", "en_GB", "en.UTF-8", "en", "C" }, { "en_GB" }, "a British locale, as GLib lists it" },
        { { "de_DE.UTF-8@euro", "de_DE@euro", "de_DE.UTF-8", "de_DE", "de", "C" }, { "de_DE" }, "codeset and modifier dropped" },
        { { "C" }, {}, "C: the engine's default" },
        { { "POSIX" }, {}, "POSIX: the engine's default" },
        { { "C.UTF-8", "C" }, {}, "C with a codeset" },
        { {}, {}, "nothing at all" },
        { { "de", "C" }, { "de" }, "a bare language is the engine's to find a dictionary for" },
        { { "de", "en_GB", "en", "C" }, { "de", "en_GB" }, "LANGUAGE's order kept" },
        { { "fr_FR", "en_US", "fr_FR", "en_US" }, { "fr_FR", "en_US" }, "each once" },
        { { "en", "en_GB" }, { "en", "en_GB" }, "a bare language before a regional one stays" },
        { { "en_GB", "en_US", "en" }, { "en_GB", "en_US" }, "the bare language after either regional form goes" },
        { { "pt_BR", "pt", "de" }, { "pt_BR", "de" }, "only the same language's bare name goes" },
        { { "ast_ES", "as" }, { "ast_ES", "as" }, "a language whose name begins another's stays" },
        { { "ast_ES.UTF-8", "es_419" }, { "ast_ES", "es_419" }, "three-letter languages, regions given by number" },
        { { "e", "english", "en_G", "en_GBR", "en_12", "../x", "en GB", "" }, {}, "not a language name" },
    };
    for (const auto& each : cases)
        EXPECT_EQ(spellingLanguages(each.given), each.chosen) << each.why;
}
