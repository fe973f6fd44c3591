#pragma once
// The one object that owns the running program's state; every platform callback lands here.
#include "app/fixed_texts.h"
#include "app/page_view.h"
#include "platform/application.h"
#include "platform/colour.h"
#include "platform/download.h"
#include "platform/event.h"
#include "platform/menu.h"
#include "platform/preferences.h"
#include "platform/url.h"
#include "platform/web_view.h"
#include "platform/window.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillane {

class AppDelegate : public platform::ApplicationOpenDelegate,
                    public platform::WindowZoomDelegate,
                    public platform::WindowFullScreenDelegate,
                    public platform::WindowMiniaturizeDelegate,
                    public platform::MenuItemValidation,
                    public platform::ScriptMessageHandler,
                    public platform::MediaCapturePermissionDelegate,
                    public platform::OpenPanelDelegate,
                    public platform::DownloadNavigationDelegate,
                    public platform::NavigationLoadDelegate,
                    public platform::DownloadDelegate {
public:
    AppDelegate(platform::Application& application, platform::Preferences& preferences, const FixedTexts& texts,
        std::optional<std::string> probeFile);

    // Application callbacks.
    void applicationDidFinishLaunching() override;
    bool applicationShouldTerminateAfterLastWindowClosed() override { return true; }
    void applicationOpen(const std::vector<std::string>& links) override;

    // Page scripts' messages to the handler "quillane".
    void didReceiveScriptMessage(const std::string& name, const platform::ScriptValue& body) override;

    // What the page asks for: the microphone, files, downloads.
    void requestMediaCapturePermission(platform::WebView& view, const platform::SecurityOrigin& origin, platform::MediaCaptureType type,
        std::function<void(platform::PermissionDecision)> decisionHandler) override;
    void runOpenPanel(platform::WebView& view, bool allowsMultipleSelection,
        std::function<void(std::optional<std::vector<std::string>>)> completion) override;
    void navigationDidBecomeDownload(platform::WebView& view, platform::Download& download) override;
    void decideDestination(platform::Download& download, const std::string& suggestedFilename,
        std::function<void(std::optional<std::string>)> completion) override;
    void downloadDidFail(platform::Download& download, int code, const std::string& message) override;
    void webViewDidFinish(platform::WebView& view) override;
    void webViewDidFailProvisionalNavigation(platform::WebView& view, const std::string& message) override;

    // The self-test: its launch, its driver, and the report that ends it.
    void loadProbePage();
    void beginProbeRun();
    void driveProbe();
    void pressWhenSettled(const std::string& question, int checksLeft);
    void press(const std::string& question);
    void report(const std::string& firstLine);
    std::string topStripTarget() const;
    std::string menuSummary() const;

    // Window callbacks.
    bool windowShouldZoom(platform::Window& window, platform::Rect toFrame) override;
    void windowDidEnterFullScreen(platform::Window& window) override;
    void windowDidExitFullScreen(platform::Window& window) override;
    void windowDidFailToEnterFullScreen(platform::Window& window) override;
    void windowDidDeminiaturize(platform::Window& window) override;

    // Menus.
    bool validateMenuItem(platform::MenuItemState& item) override;
    std::vector<platform::Menu> menuTable();

    // Menu actions.
    void about();
    void openAddress();
    void forgetMicrophoneChoices();
    void minimise();
    void toggleFullScreen();
    void toggleFloating();
    // The About panel's window, when it shows.
    platform::Window* aboutPanel() const;

    // Operations.
    void layOutPage();
    void paintBand();
    void showButtons(bool show);
    bool pointerNearButtons() const;
    void settle();
    // The page's own full-screen state changed.
    void pageFullScreenChanged();
    void watchForDrags();
    // A page asked to move the window with the press that is going on.
    void dragRequest();
    void buildMenus();
    // Loads the address into the page view with the page request's cache policy and time-out.
    void loadPage(const platform::URL& address);

    bool isProbeRun() const { return m_probeFile.has_value(); }
    // The content types that the file inputs of the page accept, all inputs together.
    void acceptedContentTypes(platform::WebView& view, std::function<void(std::vector<std::string>)> completion);
    // The microphone answers remembered per site; none when the stored value is of another shape.
    std::map<std::string, bool> rememberedMicrophoneAnswers() const;

    // Fields, in the order the program knows them.
    std::unique_ptr<platform::Window> window;
    std::shared_ptr<PageView> web;
    std::optional<platform::Observation> pageFullScreen;
    std::optional<platform::Observation> pageColour;
    std::optional<platform::Colour> topColour;
    static constexpr double band = 10.0;
    static constexpr int floating = 10;
    static constexpr std::uint64_t everyday = platform::collectionBehaviour::canJoinAllSpaces
        | platform::collectionBehaviour::fullScreenAuxiliary | platform::collectionBehaviour::canJoinAllApplications;
    std::int64_t dragsTaken = 0;
    std::int64_t pageDrags = 0;
    std::optional<platform::Event> pressed;
    std::optional<std::string> probeDownload;
    std::optional<platform::Observation> pageTitle;

private:
    platform::Application& m_application;
    platform::Preferences& m_preferences;
    const FixedTexts& m_texts;
    const std::optional<std::string> m_probeFile;
    bool m_reported = false;
};

// The height of the page's top strip that moves the window: from the hidden title bar and the
// window buttons, less the band above the page.
int topStripHeight(const platform::Window& window, double band);

} // namespace quillane
