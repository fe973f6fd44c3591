#pragma once
// The page's file inputs: a chooser offering the types the page's file inputs accept.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillane {

namespace platform {
class WebView;
class Window;
}

class FileChooser {
public:
    // `acceptLists` is our script that reads every file input's accept list.
    explicit FileChooser(const std::string& acceptLists);
    // Answers the page's file inputs with a chooser over the window.
    void attach(platform::WebView& page, platform::Window& window);

    // The content types the page's file inputs accept, all inputs together, with the MIME types the
    // engine gave for the input that asks; none for every type.
    void acceptedTypes(platform::WebView& page, const std::vector<std::string>& mimeTypes, std::function<void(std::vector<std::string>)> completion);

private:
    const std::string& m_acceptLists;
};

} // namespace quillane
