#pragma once
#include "app/fixed_texts.h"

#include <string>

namespace quillane {

namespace platform {
class Window;
}

// The page script that turns a press on the empty part of the page's top `height` points into a
// request to move the window.
std::string dragScript(const FixedTexts& texts, int height);

// The height of the page's top strip that moves the window: from the hidden title bar and the
// window buttons, less the band above the page.
int topStripHeight(const platform::Window& window, double band);

} // namespace quillane
