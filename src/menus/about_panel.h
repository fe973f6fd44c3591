#pragma once
// The About panel, kept above the main window even while it floats.
namespace quillane {

namespace platform {
class Application;
class Window;
}

class AboutPanel {
public:
    AboutPanel(platform::Application& application, platform::Window& main);

    void show();
    // The panel's window while it shows.
    platform::Window* window() const;

private:
    platform::Application& m_application;
    platform::Window& m_main;
};

} // namespace quillane
