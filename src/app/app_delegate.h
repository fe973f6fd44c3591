#pragma once
// The one object the platform calls. It owns no concern itself: at launch it builds the owner of
// each (the main window and its page, the window modes, dragging, navigation, the page services,
// the menus, and in a self-test run the probe) and forwards every callback to it.
#include "app/fixed_texts.h"
#include "app/main_window.h"
#include "app/names.h"
#include "platform/application.h"
#include "platform/menu.h"
#include "platform/preferences.h"
#include "platform/web_view.h"
#include "platform/window.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillane {

class AboutPanel;
class FileChooser;
class FindInPage;
class WindowModes;

// How this run differs from an everyday one.
struct LaunchOptions {
    // A self-test run writes its report here.
    std::optional<std::string> probeFile;
    // For the self-test's own tests: a page to load in place of the built-in probe page.
    std::optional<std::string> probeTestPage;
    // Pages get a pretend microphone (for tests).
    bool mockCaptureDevices = false;
    // Whether pages are composited with OpenGL: not when OpenGL runs in software.
    bool acceleratedCompositing = true;
    // The icon the windows carry: an application's own, or Quillane's.
    std::string iconName = names::applicationId;
};

class AppDelegate : public platform::ApplicationOpenDelegate,
                    public platform::WindowZoomDelegate,
                    public platform::WindowFullScreenDelegate,
                    public platform::WindowMiniaturizeDelegate,
                    public platform::WindowCloseDelegate,
                    public platform::ScriptMessageHandler,
                    public platform::MediaCapturePermissionDelegate,
                    public platform::OpenPanelDelegate,
                    public platform::WebViewWindowsDelegate,
                    public platform::BeforeUnloadDelegate,
                    public platform::NotificationDelegate,
                    public platform::FindDelegate,
                    public platform::PrintDelegate,
                    public platform::ContextMenuDelegate,
                    public platform::DownloadNavigationDelegate,
                    public platform::NavigationLoadDelegate,
                    public platform::WebContentProcessDelegate {
public:
    AppDelegate(platform::Application& application, platform::Preferences& preferences, const FixedTexts& texts, LaunchOptions options);
    ~AppDelegate() override;

    void applicationDidFinishLaunching() override;
    bool applicationShouldTerminateAfterLastWindowClosed() override { return true; }
    void applicationOpen(const std::vector<std::string>& links) override;

    void didReceiveScriptMessage(const std::string& name, const platform::ScriptValue& body) override;

    void requestMediaCapturePermission(platform::WebView& view, const platform::SecurityOrigin& origin, platform::MediaCaptureType type,
        std::function<void(platform::PermissionDecision)> decisionHandler) override;
    void runOpenPanel(platform::WebView& view, bool allowsMultipleSelection,
        std::function<void(std::optional<std::vector<std::string>>)> completion) override;
    void navigationDidBecomeDownload(platform::WebView& view, platform::Download& download) override;
    platform::WebView* createWebView(platform::WebView& opener, const platform::NewWindowRequest& request) override;
    void webViewReadyToShow(platform::WebView& view) override;
    void webViewDidClose(platform::WebView& view) override;
    void runBeforeUnloadConfirmPanel(platform::WebView& view, std::function<void(bool leave)> completion) override;
    void requestNotificationPermission(platform::WebView& view, const platform::SecurityOrigin& origin,
        std::function<void(platform::PermissionDecision)> decisionHandler) override;
    void showNotification(platform::WebView& view, platform::Notification& notification) override;
    void webViewRequestsPrinting(platform::WebView& view) override;
    void webViewDidFind(platform::WebView& view, unsigned matches) override;
    void webViewDidFailToFind(platform::WebView& view) override;
    std::vector<platform::ContextMenuEntry> contextMenuEntries(platform::WebView& view) override;
    void webViewDidFinish(platform::WebView& view) override;
    void webViewDidFailProvisionalNavigation(platform::WebView& view, const platform::LoadFailure& failure) override;
    void webViewWebContentProcessDidTerminate(platform::WebView& view, platform::ProcessTermination reason) override;

    bool windowShouldZoom(platform::Window& window, platform::Rect toFrame) override;
    void windowDidEnterFullScreen(platform::Window& window) override;
    void windowDidExitFullScreen(platform::Window& window) override;
    void windowDidFailToEnterFullScreen(platform::Window& window) override;
    void windowDidDeminiaturize(platform::Window& window) override;
    bool windowShouldClose(platform::Window& window) override;

    // What the process ends with: not 0 when a self-test could not write its report.
    int exitStatus() const;

    // The owners, once launched (for tests that drive the program in-process).
    MainWindow& mainWindow();
    WindowModes& modes();
    AboutPanel& aboutPanel();
    FileChooser& fileChooser();
    FindInPage& findInPage();

private:
    struct Owners;
    void installMenusAndCommands();
    void print(platform::WebView& page, bool pageAsks);
    platform::Application& m_application;
    platform::Preferences& m_preferences;
    const FixedTexts& m_texts;
    const LaunchOptions m_options;
    std::unique_ptr<Owners> m_owners;
};

} // namespace quillane
