#pragma once
// The page's file inputs: a chooser offering the types all of the page's file inputs accept.
#include "platform/web_view.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillane {

namespace platform {
class Application;
class Window;
}

class FileChooser {
public:
    FileChooser(platform::Application& application, platform::Window& window, const std::string& acceptLists);

    // Answers once with the chosen paths, or none for a cancel.
    void run(platform::WebView& view, bool allowsMultipleSelection, std::function<void(std::optional<std::vector<std::string>>)> completion);
    // The content types that the file inputs of the page accept, all inputs together.
    void acceptedContentTypes(platform::WebView& view, std::function<void(std::vector<std::string>)> completion);

private:
    platform::Application& m_application;
    platform::Window& m_window;
    const std::string& m_acceptLists;
};

} // namespace quillane
