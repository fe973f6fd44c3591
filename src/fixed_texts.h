#pragma once
// Texts fixed for the whole run, built once at start-up: the only way the program reaches the page
// scripts and the probe page embedded in it.
#include <string>

namespace quillane {

struct FixedTexts {
    std::string probePage;
    std::string probeSaves;
    std::string saveScript;
    std::string bandScript;
    std::string acceptLists;
    // The two pieces the drag script is made of, around the strip's height.
    std::string dragOpening;
    std::string dragClosing;
    // Refuses the microphone to frames inside the page.
    std::string subframeMediaGuard;
    // Lets our scripts speak only from the main page, once told they are in it.
    std::string mainPageGate;
    // navigator.setAppBadge() in the page's world, and our script that forwards what it is given.
    std::string badgeShim;
    std::string badgeScript;
    // In the page's world: notification answers as the program has them; and, in ours, what carries
    // the program's word to it.
    std::string notificationAnswers;
    std::string notificationWord;
    // Gathers the page's title, manifest and (given an `address`) an icon, for installing the page.
    std::string installGather;
    // Selects the word under a right-click in an editable field, for the engine's spelling items.
    std::string spellingSelection;
    // The probe's own scripts: counting the page's presses, the page's viewport, the final question.
    std::string countScript;
    std::string viewportScript;
    std::string probeQuestion;
};

FixedTexts buildFixedTexts();

} // namespace quillane
