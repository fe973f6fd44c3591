#include "app/fixed_texts.h"

#include "scripts.h"

namespace quillane {

FixedTexts buildFixedTexts()
{
    FixedTexts texts;
    texts.probePage = texts::probePage;
    texts.probeSaves = texts::probeSaves;
    // The saved text goes between the quotes as it is: it is ours and holds no quote or backslash.
    texts.saveScript = std::string(texts::saveOpening) + texts.probeSaves + std::string(texts::saveClosing);
    texts.bandScript = texts::bandScript;
    texts.acceptLists = texts::acceptLists;
    return texts;
}

} // namespace quillane
