#pragma once
// What a web view asks of the program: permissions, file choosers, downloads. Each optional request
// is an interface of its own, so the view can tell whether its delegate takes it.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillane::platform {

class Download;
class WebView;

struct SecurityOrigin {
    std::string protocol;
    std::string host;
    // 0 for the scheme's default port.
    int port = 0;
};

enum class MediaCaptureType { camera, microphone, cameraAndMicrophone };
// `prompt` leaves the request to the engine, which refuses it.
enum class PermissionDecision { grant, deny, prompt };

class WebUIDelegate {
public:
    virtual ~WebUIDelegate() = default;
};

class MediaCapturePermissionDelegate : public virtual WebUIDelegate {
public:
    // A request of the page's own document (the origin is the main frame's); the decision handler
    // takes one answer, and a handler dropped without one refuses.
    virtual void requestMediaCapturePermission(WebView& view, const SecurityOrigin& origin, MediaCaptureType type,
        std::function<void(PermissionDecision)> decisionHandler) = 0;
};

// A page asks for a window of its own (window.open, a link with a target, a form with one).
struct NewWindowRequest {
    std::string url;
    // A link the user followed (as opposed to the page's script opening a window).
    bool followedLink = false;
};

class WebViewWindowsDelegate : public virtual WebUIDelegate {
public:
    // A new view for the request, made with `relatedTo` set to the opener so that the two share
    // their process, their website data and the opener relationship; or null to refuse it.
    virtual WebView* createWebView(WebView& opener, const NewWindowRequest& request) = 0;
    // A view made for a request is ready to be shown.
    virtual void webViewReadyToShow(WebView& view) = 0;
    // The page asked to be closed (window.close(), or tryClose() it did not object to).
    virtual void webViewDidClose(WebView& view) = 0;
};

class BeforeUnloadDelegate : public virtual WebUIDelegate {
public:
    // The page objects to being left (its beforeunload handler asked): the completion takes whether
    // to leave all the same. Dropped unanswered, the page stays.
    virtual void runBeforeUnloadConfirmPanel(WebView& view, std::function<void(bool leave)> completion) = 0;
};

class Notification;

class NotificationDelegate : public virtual WebUIDelegate {
public:
    // The page's own document asks to show notifications (the origin is the main frame's).
    virtual void requestNotificationPermission(WebView& view, const SecurityOrigin& origin,
        std::function<void(PermissionDecision)> decisionHandler) = 0;
    // A notification of an allowed site; it lives until the page or the user closes it.
    virtual void showNotification(WebView& view, Notification& notification) = 0;
};

class PrintDelegate : public virtual WebUIDelegate {
public:
    // The page asks to be printed (window.print()): the delegate shows the print dialog, or not.
    virtual void webViewRequestsPrinting(WebView& view) = 0;
};

class FindDelegate : public virtual WebUIDelegate {
public:
    // The text looked for is in the page this many times, or not at all.
    virtual void webViewDidFind(WebView& view, unsigned matches) = 0;
    virtual void webViewDidFailToFind(WebView& view) = 0;
};

// An entry the program adds to the page's context menu: a command of the application's
// (Application::setCommands), or a separator when `command` is empty.
struct ContextMenuEntry {
    std::string title;
    std::string command;
};

class ContextMenuDelegate : public virtual WebUIDelegate {
public:
    virtual std::vector<ContextMenuEntry> contextMenuEntries(WebView& view) = 0;
};

class OpenPanelDelegate : public virtual WebUIDelegate {
public:
    // Answer once with the chosen files' paths, or with none for a cancel; a completion dropped
    // without an answer cancels.
    virtual void runOpenPanel(WebView& view, bool allowsMultipleSelection,
        std::function<void(std::optional<std::vector<std::string>> paths)> completion) = 0;
};

class NavigationDelegate {
public:
    virtual ~NavigationDelegate() = default;
};

// Why a page did not load.
struct LoadFailure {
    enum class Kind {
        // Given up by the program or replaced by another load, or handed to a download: no failure
        // to tell anyone about.
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

class NavigationLoadDelegate : public virtual NavigationDelegate {
public:
    // The page finished loading.
    virtual void webViewDidFinish(WebView& view) = 0;
    // A load failed before anything of it was shown; the view keeps what it showed.
    virtual void webViewDidFailProvisionalNavigation(WebView& view, const LoadFailure& failure) = 0;
};

enum class ProcessTermination { crashed, exceededMemoryLimit, terminatedByProgram };

class WebContentProcessDelegate : public virtual NavigationDelegate {
public:
    // The process that ran the page ended: the view shows nothing live until it loads again.
    virtual void webViewWebContentProcessDidTerminate(WebView& view, ProcessTermination reason) = 0;
};

class DownloadNavigationDelegate : public virtual NavigationDelegate {
public:
    // A navigation became a download: one the page asked for, or a response the view cannot show.
    virtual void navigationDidBecomeDownload(WebView& view, Download& download) = 0;
};

} // namespace quillane::platform
