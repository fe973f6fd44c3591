// The About panel, kept above the main window even while it floats.
#include "app/app_delegate.h"

namespace quillane {

namespace {
constexpr int aboveFloating = 11;
}

void AppDelegate::about()
{
    m_application.orderFrontStandardAboutPanel(
        { "Quillane", QUILLANE_VERSION, "Run a web application as a desktop application, in a frameless window of its own.", "org.quillane.Quillane" },
        window.get());
    if (platform::Window* panel = aboutPanel())
        panel->setLevel(aboveFloating);
}

platform::Window* AppDelegate::aboutPanel() const
{
    for (platform::Window* candidate : m_application.windows()) {
        if (candidate == window.get())
            continue;
        if (candidate->isVisible() && candidate->canBecomeKeyWindow())
            return candidate;
    }
    return nullptr;
}

} // namespace quillane
