#include "services/file_chooser.h"

#include "platform/application.h"
#include "platform/file_panels.h"
#include "services/content_types.h"

namespace quillane {

FileChooser::FileChooser(platform::Application& application, platform::Window& window, const std::string& acceptLists)
    : m_application(application)
    , m_window(window)
    , m_acceptLists(acceptLists)
{
}

void FileChooser::acceptedContentTypes(platform::WebView& view, std::function<void(std::vector<std::string>)> completion)
{
    // A script that fails, or gives no text, leaves the chooser open to every type.
    view.evaluateJavaScript(m_acceptLists, [completion](std::optional<std::string> accepted, std::optional<std::string>) {
        completion(contentTypes(accepted.value_or("")));
    });
}

void FileChooser::run(platform::WebView& view, bool allowsMultipleSelection, std::function<void(std::optional<std::vector<std::string>>)> completion)
{
    acceptedContentTypes(view, [this, allowsMultipleSelection, completion](std::vector<std::string> types) {
        m_application.activate();
        platform::runOpenPanel(m_window, allowsMultipleSelection, types, completion);
    });
}

} // namespace quillane
