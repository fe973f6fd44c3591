#pragma once
// The web view: a page of the web engine shown as a view.
#include "platform/colour.h"
#include "platform/image_limits.h"
#include "platform/program_download.h"
#include "platform/script_value.h"
#include "platform/view.h"
#include "platform/web_view_delegates.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillane::platform {

class ScriptMessageHandler {
public:
    virtual ~ScriptMessageHandler() = default;
    // Called on the main thread, in the order the page posted.
    virtual void didReceiveScriptMessage(const std::string& name, const ScriptValue& body) = 0;
};

struct WebViewConfiguration {
    bool elementFullscreenEnabled = false;
    // Injected at document start into the main frame only, in this order, in `scriptWorld`.
    std::vector<std::string> userScripts;
    // A world of its own for the user scripts and the message handlers: it shares the page's
    // document, but the page's scripts can neither see nor reach anything in it. Empty for the
    // page's own world.
    std::string scriptWorld;
    // Run in `scriptWorld` each time the view has committed a load of its own (after the user
    // scripts, before the page has done much): how the world's scripts learn which view they are in.
    std::string scriptOnCommit;
    // Injected at document start into every frame, before the main-frame scripts.
    std::vector<std::string> allFramesUserScripts;
    // Lets pages reach capture devices, so they can ask for the microphone.
    bool mediaStreamEnabled = false;
    // A view this one opens for (or was opened by): the two share process, website data and the
    // opener relationship. Null for a view of its own.
    WebView* relatedTo = nullptr;
    // Whether the engine composites the page with OpenGL (it costs more than it gives when OpenGL
    // runs in software).
    bool acceleratedCompositing = true;
    // Lets the inspector be opened (and its item appear in the page's context menu).
    bool developerExtras = false;
    // Gives pages a pretend microphone (for tests: a machine without one has no device to ask for).
    bool mockCaptureDevices = false;
    // Scripts of `scriptWorld` post to these with webkit.messageHandlers.<name>.postMessage(body).
    std::vector<std::pair<std::string, ScriptMessageHandler*>> messageHandlers;
};

struct URLRequest {
    std::string url;
    // A load that has not started to arrive by then is stopped.
    double timeoutInterval = 60;
};

enum class FullscreenState { notInFullscreen, enteringFullscreen, inFullscreen, exitingFullscreen };

// Keeps a change handler installed for as long as it lives.
class Observation {
public:
    Observation();
    ~Observation();
    Observation(Observation&&) noexcept;
    Observation& operator=(Observation&&) noexcept;
    struct Impl;
    explicit Observation(std::unique_ptr<Impl> impl);

private:
    std::unique_ptr<Impl> m_impl;
};

class WebView : public View {
public:
    WebView(Rect frame, const WebViewConfiguration& configuration);
    ~WebView() override;

    std::string_view typeName() const override { return "WebView"; }
    bool mouseDownCanMoveWindow() const override { return false; }

    void load(const URLRequest& request);
    void loadHTMLString(const std::string& html, const std::string& baseURL);
    // The current address, if the view has one.
    std::optional<std::string> url() const;

    // What the engine shows under the page: the page's theme colour when it declares one, else the
    // view's background colour.
    Colour underPageBackgroundColour() const;
    // Whether the engine has reported a theme colour of the page's.
    bool hasThemeColour() const;
    FullscreenState fullscreenState() const;

    // The handler runs on every change (and once at once when `initial` is set).
    Observation observeUnderPageBackgroundColour(std::function<void()> handler, bool initial);
    Observation observeFullscreenState(std::function<void()> handler);
    // The page's title ("" when it has none), and a handler for its changes.
    std::string title() const;
    Observation observeTitle(std::function<void()> handler);
    // Whether pages run in the engine's sandbox.
    static bool isSandboxed();

    // Loads the current page again, revalidating every cached copy.
    void reloadFromOrigin();
    // The page's zoom, 1 for its own size.
    double zoomLevel() const;
    void setZoomLevel(double level);

    // Finds text in the page (case-insensitive, wrapping round), highlighting every match; the
    // find delegate hears how many there are.
    void find(const std::string& text);
    void findNext();
    void findPrevious();
    // Ends finding and clears the highlights.
    void finishFind();

    // The system's print dialog for the page, attached to the window; printing to a file starts in
    // `folder`. `answered` hears whether the user chose to print (false for a cancel).
    void print(Window& parent, const std::string& folder, std::function<void(bool printed)> answered);
    // Prints the page to a PDF file without a dialog; the completion says whether it was written.
    void printToFile(const std::string& path, std::function<void(bool)> completion);

    // The engine's web inspector, for the people who build the pages.
    void showInspector();

    // Asks the page to let itself be closed: the windows delegate hears webViewDidClose when it
    // does (at once for a page with no beforeunload handler).
    void tryClose();
    // Whether the view has ever committed a load (shown a page of its own).
    bool hasCommittedLoad() const;

    // Shows a page of the program's own in place of the one that failed at `address`; the view's
    // address stays `address`, so reloading tries it again.
    void showAlternateHTML(const std::string& html, const std::string& address);

    // Runs a script in the main frame; the completion gets its value as text (a string as it is, other
    // values as JSON), or the error's message.
    void evaluateJavaScript(const std::string& script,
        std::function<void(std::optional<std::string> value, std::optional<std::string> error)> completion = nullptr);
    // Runs an async function body in the view's script world (so the page can neither see nor change
    // what it uses), awaiting what it returns; the completion gets the value as text, or none.
    // `arguments` become the function's named string arguments.
    void callAsyncJavaScript(const std::string& body, const std::vector<std::pair<std::string, std::string>>& arguments,
        std::function<void(std::optional<std::string> value)> completion);
    // Saves the page's favicon as a PNG file, scaled to limits.side as an image taken from the page
    // is; false when the page has none, or one with a side over limits.largestRaster.
    bool saveFavicon(const std::string& path, const ImageLimits& limits) const;
    // Downloads the address through the page's session (its cookies, from any origin, as no script of
    // the page's could read it) into the file at `path`, as a download of the program's own. A
    // response other than 2xx, more than `largest` bytes, or no end within `timeout` seconds stops
    // it. The completion runs once, on a later turn: with nothing when the whole file is there, else
    // with what went wrong.
    [[nodiscard]] ProgramDownload downloadToFile(const std::string& address, const std::string& path, std::size_t largest, double timeout,
        std::function<void(std::optional<std::string> failure)> completion);

    // Whether the editing commands (cut, copy, paste) reach this view and it carries them out.
    bool respondsToEditingCommands() const;

    void setUIDelegate(WebUIDelegate* delegate);
    void setNavigationDelegate(NavigationDelegate* delegate);
    WebUIDelegate* uiDelegate() const;
    NavigationDelegate* navigationDelegate() const;

    struct Impl;

private:
    friend struct PlatformAccess;
    friend struct Observation::Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace quillane::platform
