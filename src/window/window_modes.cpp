// The window's setups: floating above other windows on every workspace, or an ordinary window.
#include "app/app_delegate.h"

namespace quillane {

void AppDelegate::settle()
{
    if (!window)
        return;
    if (m_preferences.boolean("float").value_or(false)) {
        window->setLevel(floating);
        window->setCollectionBehaviour(everyday);
    } else {
        window->setLevel(platform::windowLevel::normal);
        window->setCollectionBehaviour(0);
    }
}

} // namespace quillane
