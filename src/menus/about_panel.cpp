#include "menus/about_panel.h"

#include "app/names.h"
#include "platform/application.h"
#include "platform/window.h"

namespace quillane {

AboutPanel::AboutPanel(platform::Application& application, platform::Window& main)
    : m_application(application)
    , m_main(main)
{
}

void AboutPanel::show()
{
    m_application.orderFrontStandardAboutPanel(
        { names::displayName, QUILLANE_VERSION, "Run a web application as a desktop application, in a frameless window of its own.", names::applicationId },
        &m_main);
    if (platform::Window* panel = window())
        panel->setLevel(levels::aboveFloating);
}

platform::Window* AboutPanel::window() const
{
    for (platform::Window* candidate : m_application.windows()) {
        if (candidate == &m_main)
            continue;
        if (candidate->isVisible() && candidate->canBecomeKeyWindow())
            return candidate;
    }
    return nullptr;
}

} // namespace quillane
