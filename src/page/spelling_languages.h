#pragma once
// Which languages pages' editable fields are spell-checked in: the user's, from the locale.
#include <string>
#include <string_view>
#include <vector>

namespace quillane {

// The spell checker's dictionary names ("en_GB", "de") for the user's language names, most wanted
// first, as the locale gives them ("en_GB.UTF-8", "de_DE@euro", "C"): the codeset and modifier
// dropped, "C" and "POSIX" left out, each name once. A bare language that follows a regional form
// of itself is left out too ("en" after "en_GB"), so that one user's spelling is not mixed with
// another country's. Empty: the engine's own choice (its default language, else any dictionary).
// The engine drops names it has no dictionary for, and finds a regional dictionary for a bare
// language ("de" gives "de_DE").
std::vector<std::string> spellingLanguages(const std::vector<std::string>& languageNames);

} // namespace quillane
