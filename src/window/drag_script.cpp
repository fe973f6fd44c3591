#include "window/drag_script.h"

#include "platform/window.h"

#include <algorithm>
#include <cmath>

namespace quillane {

std::string dragScript(const FixedTexts& texts, int height)
{
    return texts.dragOpening + std::to_string(height) + texts.dragClosing;
}

int topStripHeight(const platform::Window& window, double band)
{
    double frameHeight = window.frame().size.height;
    double titleBar = frameHeight - window.contentLayoutRect().size.height;
    auto close = window.buttonFrame(platform::WindowButton::close);
    double buttonsBottom = close ? frameHeight - close->minY() : titleBar;
    return static_cast<int>(std::trunc(std::min(buttonsBottom + 3, titleBar) - band));
}

} // namespace quillane
