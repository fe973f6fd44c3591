#pragma once
// The main window and the page it shows: the window, its hover view and the page view, made
// together at launch and alive for as long as the program runs. It paints the band above the page
// and shows the window buttons.
#include "app/fixed_texts.h"
#include "app/page_view.h"
#include "app/names.h"
#include "app/question.h"
#include "platform/alert.h"
#include "platform/application.h"
#include "platform/colour.h"
#include "platform/web_view.h"
#include "platform/window.h"
#include "window/hover_view.h"
#include "window/window_modes.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillane {

class MainWindow : public WindowModes::Host {
public:
    struct PageSetup {
        // Receives what the page's scripts post.
        platform::ScriptMessageHandler* messages = nullptr;
        bool mockCaptureDevices = false;
        bool acceleratedCompositing = true;
        std::string iconName = names::applicationId;
    };

    // The height of the band above the page, in points.
    static constexpr double band = 10.0;

    MainWindow(platform::Application& application, const FixedTexts& texts, const PageSetup& setup);

    platform::Window& window() { return *m_window; }
    const platform::Window& window() const { return *m_window; }
    PageView& page() { return *m_page; }
    const PageView& page() const { return *m_page; }
    const HoverView& hover() const { return *m_hover; }

    // The colour the page reported at its top, or none to show the page's under-page colour; and the
    // theme colour the page declares, which stands in for the engine's when it reports none.
    void setTopColour(std::optional<platform::Colour> colour, std::optional<platform::Colour> theme = std::nullopt);
    void paintBand();
    // What shows under the page: its theme colour when it declares one, else the view's background.
    platform::Colour underPageColour() const;
    void observePageFullScreen(std::function<void()> handler);

    // Asks on a sheet attached to the window; tells a message with one "OK".
    void ask(const Question& question, std::function<void(bool affirmative)> answer);
    void tell(const std::string& message);

    // WindowModes::Host.
    bool isFullScreen() const override;
    bool pageIsFullScreen() const override;
    void setSetup(int level, std::uint64_t collectionBehaviour) override;
    void toggleFullScreen() override;
    void minimise() override;
    void layOutPage() override;
    void showButtons(bool show) override;
    bool pointerNearButtons() const override;

private:
    std::unique_ptr<platform::Window> m_window;
    std::shared_ptr<HoverView> m_hover;
    std::shared_ptr<PageView> m_page;
    std::optional<platform::Colour> m_topColour;
    std::optional<platform::Colour> m_themeColour;
    platform::Observation m_pageColour;
    platform::Observation m_pageTitle;
    platform::Observation m_pageFullScreen;
};

} // namespace quillane
