#pragma once
#include <string>

namespace quillane {

// The page script that turns a press on the empty part of the page's top `height` points into a
// request to move the window.
std::string dragScript(int height);

} // namespace quillane
