#pragma once
// A page of the web engine. It knows nothing of its owners: what it asks of them, and what it tells
// them, are callbacks they set or listen to.
#include "platform/colour.h"
#include "platform/geometry.h"
#include "platform/listeners.h"
#include "platform/program_download.h"
#include "platform/script_value.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillane::platform {

class Application;
class Download;
class Notification;
class Window;

struct WebViewSettings {
    // Our own scripts: a world of their own that shares the page's document, where the page's
    // scripts can neither see nor reach anything. Injected at document start into the main frame.
    std::string scriptWorld;
    std::vector<std::string> worldScripts;
    // Run in the world each time the view has committed a load of its own (after the world's scripts,
    // before the page has done much): how the world's scripts learn which view they are in.
    std::string scriptOnCommit;
    // Scripts of the world post to webkit.messageHandlers.<messageHandler>.postMessage(body).
    std::string messageHandler;
    // Injected at document start into every frame, in the page's own world.
    std::vector<std::string> allFramesScripts;
    // Injected at document start into the main frame, in the page's own world.
    std::vector<std::string> mainFramePageScripts;
    // A view this one opens for: the two share process, website data and the opener relationship.
    class WebView* relatedTo = nullptr;
    bool elementFullScreen = false;
    // Lets pages reach capture devices, so that they can ask for the microphone; a pretend one for tests.
    bool mediaStreams = false;
    bool mockCaptureDevices = false;
    bool developerExtras = false;
    // Whether the engine composites the page with OpenGL (it costs more than it gives when OpenGL runs in software).
    bool acceleratedCompositing = true;
};

struct SecurityOrigin {
    std::string protocol;
    std::string host;
    // 0 for the scheme's default port.
    int port = 0;
};

enum class MediaCaptureType { camera, microphone, cameraAndMicrophone };

// A page asks for a window of its own (window.open, a link with a target, a form with one).
struct NewWindowRequest {
    std::string url;
    // A link the user followed (as opposed to the page's script opening a window).
    bool followedLink = false;
};

// Why a page did not load.
struct LoadFailure {
    enum class Kind {
        // Given up by the program or replaced by another load, or handed to a download: nothing to tell.
        cancelled,
        refused,
        nameNotFound,
        timedOut,
        // The site's certificate was not accepted; `certificateProblems` says why.
        certificate,
        // The address names a port that web pages may not reach (one of another kind of service).
        blockedPort,
        other,
    };
    Kind kind = Kind::other;
    // The address that failed, and the engine's own words.
    std::string address;
    std::string message;
    std::vector<std::string> certificateProblems;
};

enum class ProcessEnd { crashed, exceededMemoryLimit, endedByProgram };

// An entry the program adds to the page's context menu: one of the application's commands, or a
// separator when `command` is empty.
struct ContextMenuEntry {
    std::string label;
    std::string command;
};

class WebView {
public:
    // A page of the application's: in its web context, reaching its commands.
    WebView(Application& application, const WebViewSettings& settings);
    ~WebView();
    WebView(const WebView&) = delete;
    WebView& operator=(const WebView&) = delete;

    // What the page asks of the program; each request is answered once, and one left unset, or
    // whose answer is dropped unanswered, is refused (or cancelled).
    std::function<void(const SecurityOrigin&, MediaCaptureType, std::function<void(bool allow)>)> onMediaRequest;
    std::function<void(const SecurityOrigin&, std::function<void(bool allow)>)> onNotificationRequest;
    // A notification of an allowed site; it lives until the page or the user closes it.
    std::function<void(Notification&)> onNotification;
    // What a page's frame of this origin is told when it asks whether it may show notifications
    // (navigator.permissions): allowed, refused, or none for "it will be asked".
    std::function<std::optional<bool>(const SecurityOrigin&)> onNotificationAnswer;
    // A file input asks for files: one or several, of the MIME types the engine read off the input
    // (none for an input that names only extensions, or nothing). The answer is the chosen files'
    // paths, or none for a cancel.
    std::function<void(bool multiple, const std::vector<std::string>& mimeTypes, std::function<void(std::optional<std::vector<std::string>>)>)>
        onFileChooser;
    // A link the user followed in the page (or a form sent, or the page's script moving on, from the
    // user's press or key), before the view loads it: true takes it over, and the view leaves it alone.
    std::function<bool(const std::string& url)> onFollowLink;
    // A new view for the request, made with `relatedTo` set to this one; or null to refuse it.
    std::function<WebView*(const NewWindowRequest&)> onCreateWindow;
    std::function<void()> onReadyToShow;
    // The size the page that opened this one asked for it (window.open's width and height); the
    // engine gives its own window's default size when none was asked for.
    std::optional<Size> requestedSize() const;
    // The page asked to be closed (window.close(), or tryClose() it did not object to).
    std::function<void()> onClose;
    // The page objects to being left (its beforeunload handler): whether to leave all the same.
    std::function<void(std::function<void(bool leave)>)> onBeforeUnload;
    // The page asks to be printed (window.print()).
    std::function<void()> onPrint;
    // How many times the text looked for is in the page (0: not at all).
    std::function<void(unsigned matches)> onFindResult;
    std::function<std::vector<ContextMenuEntry>()> onContextMenu;
    // A navigation became a download: one the page asked for, or a response the view cannot show.
    std::function<void(Download&)> onDownload;
    // What our world's scripts post.
    std::function<void(const ScriptValue&)> onScriptMessage;
    // The page shows one of its elements over the whole window, or stops.
    std::function<void(bool fullScreen)> onElementFullScreen;

    // What the page tells whoever listens.
    Listeners<> loadStarted;
    // The answer for the page's own document has come from this address (after any redirects),
    // before anything of it shows or runs.
    Listeners<const std::string&> responseArriving;
    Listeners<> loadCommitted;
    Listeners<> loadFinished;
    // A load failed before anything of it was shown; the view keeps what it showed.
    Listeners<const LoadFailure&> loadFailed;
    // The process that ran the page ended: nothing live shows until it loads again.
    Listeners<ProcessEnd> processEnded;
    Listeners<> titleChanged;
    Listeners<> themeColourChanged;

    // Loads the address; a load that has not started to arrive within `timeout` seconds is stopped.
    void load(const std::string& url, double timeout);
    // Loads the page starts itself (a link, a form, a script, a reload) are stopped the same way
    // after `timeout` seconds, and fail as timed out; the engine would wait for ever.
    void limitPageLoads(double timeout);
    void loadHTML(const std::string& html, const std::string& baseURL);
    // Shows a page of the program's own in place of the one that failed at `address`; the view's
    // address stays `address`, so reloading tries it again.
    void showAlternateHTML(const std::string& html, const std::string& address);
    void reloadFromOrigin();
    // Through the page's history, as a browser's Back and Forward do; nothing at either end.
    void goBack();
    void goForward();
    bool canGoBack() const;
    // Asks the page to let itself be closed: onClose hears when it does.
    void tryClose();
    // The current address, if the view has one; whether it has shown a page of its own.
    std::optional<std::string> url() const;
    // The origin of the current address (port 0 for the scheme's default); none without one.
    std::optional<SecurityOrigin> origin() const;
    bool hasCommittedLoad() const;
    std::string title() const;

    // What the engine shows under the page: the page's theme colour when it declares one, else the
    // view's background colour.
    Colour underPageColour() const;
    bool hasThemeColour() const;
    // What the view shows where the page paints nothing, and before it paints at all (opaque white
    // unless set).
    Colour backgroundColour() const;
    void setBackgroundColour(const Colour& colour);

    double zoomLevel() const;
    void setZoomLevel(double level);
    // Finds text (case-insensitive, wrapping round), highlighting every match; onFindResult hears.
    void find(const std::string& text);
    void findNext();
    void findPrevious();
    void finishFind();

    // The system's print dialog for the page, over `parent`; printing to a file starts in `folder`.
    // `answered` hears whether the user chose to print.
    void print(Window& parent, const std::string& folder, std::function<void(bool printed)> answered);
    // Prints the page to a PDF file without a dialog; the completion says whether it was written.
    void printToFile(const std::string& path, std::function<void(bool)> completion);
    void showInspector();

    // Runs a script in the main frame's own world; the completion gets its value as text (a string as
    // it is, other values as JSON), or the error's message.
    void evaluateJavaScript(const std::string& script,
        std::function<void(std::optional<std::string> value, std::optional<std::string> error)> completion = nullptr);
    // Runs a script in our world in the main frame, its value unused.
    void runInScriptWorld(const std::string& script);
    // Runs an async function body in our world, awaiting what it returns; `arguments` become its named
    // string arguments. The completion gets a string value, or none.
    void callAsyncJavaScript(const std::string& body, const std::vector<std::pair<std::string, std::string>>& arguments,
        std::function<void(std::optional<std::string>)> completion);
    // Downloads the address through the page's session (its cookies, from any origin, as no script of
    // the page's could read it) into the file at `path`, as a download of the program's own. A
    // response other than 2xx, more than `largest` bytes, or no end within `timeout` seconds stops
    // it. The completion runs once, on a later turn: with nothing when the whole file is there, else
    // with what went wrong.
    [[nodiscard]] ProgramDownload downloadToFile(const std::string& address, const std::string& path, std::size_t largest, double timeout,
        std::function<void(std::optional<std::string> failure)> completion);
    // Whether the view has the keyboard in its window (editing commands act on it then).
    bool hasKeyboardFocus() const;

    struct Impl;

private:
    friend struct PlatformAccess;
    std::unique_ptr<Impl> m_impl;
};

} // namespace quillane::platform
