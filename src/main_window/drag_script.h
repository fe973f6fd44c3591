#pragma once
#include "fixed_texts.h"

#include <string>

namespace quillane {

// The page script that turns a press on the empty part of the page's top `height` points into a
// request to move the window.
std::string dragScript(const FixedTexts& texts, int height);

// The height of the page's top strip that moves the window: the title bar's strip, reaching a
// little below the window buttons, less the band above the page.
int topStripHeight(double band);

} // namespace quillane
