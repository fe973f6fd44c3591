#include "menus/about_panel.h"

#include "names.h"

namespace quillane {

AboutPanel::AboutPanel(platform::Application& application, platform::Window& main)
    : m_main(main)
    , m_dialog(application, { names::displayName, QUILLANE_VERSION, "Run a web application as a desktop application, in a frameless window of its own.",
                                names::applicationId, names::website, names::licence })
{
}

void AboutPanel::show()
{
    m_dialog.present(m_main);
}

} // namespace quillane
