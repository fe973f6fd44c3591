#pragma once
// The About panel, kept above every window, the main one even while it floats.
#include "platform/dialogs.h"

namespace quillane {

namespace platform {
class Application;
class Window;
}

class AboutPanel {
public:
    AboutPanel(platform::Application& application, platform::Window& main);

    void show();
    const platform::AboutDialog& dialog() const { return m_dialog; }
    platform::AboutDialog& dialog() { return m_dialog; }

private:
    platform::Window& m_main;
    platform::AboutDialog m_dialog;
};

} // namespace quillane
