#include "fixed_texts.h"

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
    texts.dragOpening = texts::dragOpening;
    texts.dragClosing = texts::dragClosing;
    texts.subframeMediaGuard = texts::subframeMediaGuard;
    texts.mainPageGate = texts::mainPageGate;
    texts.badgeShim = texts::badgeShim;
    texts.badgeScript = texts::badgeScript;
    texts.notificationAnswers = texts::notificationAnswers;
    texts.notificationWord = texts::notificationWord;
    texts.installGather = texts::installGather;
    texts.spellingSelection = texts::spellingSelection;
    texts.countScript = texts::countScript;
    texts.viewportScript = texts::viewportScript;
    texts.probeQuestion = std::string(texts::questionOpening) + texts.acceptLists + std::string(texts::questionClosing);
    return texts;
}

} // namespace quillane
