#include "window/drag_script.h"

#include "scripts.h"

namespace quillane {

std::string dragScript(int height)
{
    return std::string(texts::dragOpening) + std::to_string(height) + std::string(texts::dragClosing);
}

} // namespace quillane
