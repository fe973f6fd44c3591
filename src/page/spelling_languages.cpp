#include "page/spelling_languages.h"

#include <algorithm>

namespace quillane {

namespace {
bool isLetters(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); });
}

// "ll" or "ll_CC" (a language of two or three letters, a territory of two letters or three digits), without codeset or modifier; "" for anything else.
std::string dictionaryName(std::string_view locale)
{
    std::string_view name = locale.substr(0, locale.find_first_of(".@"));
    std::string_view language = name.substr(0, name.find('_'));
    if (language.size() < 2 || language.size() > 3 || !isLetters(language))
        return "";
    if (language.size() == name.size())
        return std::string(language);
    // A country ("GB") or a region of the world ("419").
    std::string_view territory = name.substr(language.size() + 1);
    bool digits = territory.size() == 3 && std::all_of(territory.begin(), territory.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits && (territory.size() != 2 || !isLetters(territory)))
        return "";
    return std::string(name);
}
} // namespace

std::vector<std::string> spellingLanguages(const std::vector<std::string>& languageNames)
{
    std::vector<std::string> chosen;
    for (const auto& locale : languageNames) {
        std::string name = dictionaryName(locale);
        if (name.empty() || std::find(chosen.begin(), chosen.end(), name) != chosen.end())
            continue;
        bool bare = name.find('_') == std::string::npos;
        if (bare && std::any_of(chosen.begin(), chosen.end(), [&](const std::string& taken) { return taken.rfind(name + "_", 0) == 0; }))
            continue;
        chosen.push_back(name);
    }
    return chosen;
}

} // namespace quillane
