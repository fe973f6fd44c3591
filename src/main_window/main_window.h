#pragma once
// The main window and the page it shows, made together at launch and alive for as long as the
// program runs. It paints the band above the page in the colour at the page's top, names the
// window after the page, and shows or hides the window buttons.
#include "fixed_texts.h"
#include "main_window/hover_area.h"
#include "main_window/window_modes.h"
#include "names.h"
#include "platform/colour.h"
#include "platform/dialogs.h"
#include "platform/web_view.h"
#include "platform/window.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillane {

namespace platform {
class Application;
class DesktopColourScheme;
}

class MainWindow : public WindowModes::Host {
public:
    struct Setup {
        bool mockCaptureDevices = false;
        bool acceleratedCompositing = true;
        // An application's own colours (its manifest's): the theme colour stands in for the page's
        // until the page declares one, the background shows until the first page has loaded.
        std::optional<platform::Colour> themeColour;
        std::optional<platform::Colour> backgroundColour;
    };

    // The height of the band above the page, in points, and the window's first size.
    static constexpr double band = 10.0;
    static constexpr platform::Size firstSize { 640, 400 };
    // The window before it has shown a page, when the desktop prefers dark: our own pages' dark
    // background (page/failure_pages.cpp).
    static constexpr platform::Colour darkBlank { 31 / 255.0, 31 / 255.0, 34 / 255.0, 1 };
    // Run in our script world each time the page has committed a load: the world's scripts may speak
    // from this page now. They may not have run yet; the word then waits for them.
    static constexpr const char* mainPageWord = "typeof quillaneMainPage === 'function' ? quillaneMainPage() : (window.quillaneMainPageSaid = true)";

    MainWindow(platform::Application& application, const FixedTexts& texts, const Setup& setup);

    platform::Window& window() { return m_window; }
    const platform::Window& window() const { return m_window; }
    platform::WebView& page() { return m_page; }
    const platform::WebView& page() const { return m_page; }
    const HoverArea& hover() const { return m_hover; }

    // The colour the page reported at its top, or none to show the page's under-page colour; and the
    // theme colour the page declares, which stands in for the engine's when it reports none.
    void setTopColour(std::optional<platform::Colour> colour, std::optional<platform::Colour> theme = std::nullopt);
    // Until the page has shown something, the window is blank in the desktop's light or dark.
    void followColourScheme(platform::DesktopColourScheme& scheme);
    // What shows under the page: its theme colour when it declares one, else the application's,
    // else the view's background.
    platform::Colour underPageColour() const;
    // WindowModes::Host. The buttons always show in full screen.
    void showButtons(bool show) override;
    bool pointerNearButtons() const override { return m_hover.pointerIsNear(); }
    bool isFullScreen() const override { return m_window.isFullScreen(); }
    void setFloating(bool floating) override;
    void toggleFullScreen() override { m_window.toggleFullScreen(); }
    void setPageFullScreen(bool fullScreen) override { m_window.setPageFullScreen(fullScreen); }
    void iconify() override { m_window.iconify(); }
    void toggleMaximised() override { m_window.toggleMaximised(); }

    // Asks over the window; tells a message with one "OK".
    void ask(const platform::Question& question, std::function<void(const platform::Answer&)> answer);
    void tell(const std::string& message);

private:
    void paintBand();
    void paintBlank();
    void firstPageLoaded();

    platform::WebView m_page;
    platform::Window m_window;
    HoverArea m_hover;
    std::optional<platform::Colour> m_topColour;
    std::optional<platform::Colour> m_themeColour;
    const std::optional<platform::Colour> m_appThemeColour;
    // The view's own background, given back once the first page has loaded.
    std::optional<platform::Colour> m_viewBackground;
    std::vector<platform::Subscription> m_firstLoad;
    platform::Subscription m_colourChanged;
    platform::Subscription m_titleChanged;
    bool m_desktopIsDark = false;
    bool m_blankIsDark = false;
    platform::Subscription m_colourSchemeChanged;
    platform::Subscription m_committed;
};

} // namespace quillane
