// Showing and hiding the window buttons.
#include "app/app_delegate.h"

namespace quillane {

void AppDelegate::showButtons(bool show)
{
    if (!window)
        return;
    bool fullScreen = (window->styleMask() & platform::styleMask::fullScreen) != 0;
    double alpha = (show || fullScreen) ? 1 : 0;
    for (auto button : { platform::WindowButton::close, platform::WindowButton::miniaturize, platform::WindowButton::zoom }) {
        if (window->buttonAlpha(button))
            window->setButtonAlpha(button, alpha);
    }
}

} // namespace quillane
