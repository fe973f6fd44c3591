#include "main_window/drag_script.h"

#include "platform/window.h"

#include <algorithm>
#include <cmath>

namespace quillane {

std::string dragScript(const FixedTexts& texts, int height)
{
    return texts.dragOpening + std::to_string(height) + texts.dragClosing;
}

int topStripHeight(double band)
{
    double belowButtons = platform::windowButtonsPlace.maxY() + 3;
    return static_cast<int>(std::trunc(std::min(belowButtons, platform::titleBarHeight) - band));
}

} // namespace quillane
