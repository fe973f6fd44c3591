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

class NavigationLoadDelegate : public virtual NavigationDelegate {
public:
    // The page finished loading.
    virtual void webViewDidFinish(WebView& view) = 0;
    // A load failed before anything of it was shown (the error's message).
    virtual void webViewDidFailProvisionalNavigation(WebView& view, const std::string& message) = 0;
};

class DownloadNavigationDelegate : public virtual NavigationDelegate {
public:
    // A navigation became a download: one the page asked for, or a response the view cannot show.
    virtual void navigationDidBecomeDownload(WebView& view, Download& download) = 0;
};

} // namespace quillane::platform
