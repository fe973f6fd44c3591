// Showing and hiding the window buttons.
#include "app/app_delegate.h"
#include "window/hover_view.h"

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

namespace quillane {

bool AppDelegate::pointerNearButtons() const
{
    auto* hover = window ? dynamic_cast<HoverView*>(window->contentView()) : nullptr;
    return hover && hover->pointerIsNear();
}

} // namespace quillane
