// The page's file inputs: a chooser offering the types all of the page's file inputs accept.
#include "app/app_delegate.h"
#include "platform/file_panels.h"
#include "services/content_types.h"

namespace quillane {

void AppDelegate::acceptedContentTypes(platform::WebView& view, std::function<void(std::vector<std::string>)> completion)
{
    // A script that fails, or gives no text, leaves the chooser open to every type.
    view.evaluateJavaScript(m_texts.acceptLists, [completion](std::optional<std::string> accepted, std::optional<std::string>) {
        completion(contentTypes(accepted.value_or("")));
    });
}

void AppDelegate::runOpenPanel(platform::WebView& view, bool allowsMultipleSelection,
    std::function<void(std::optional<std::vector<std::string>>)> completion)
{
    acceptedContentTypes(view, [this, allowsMultipleSelection, completion](std::vector<std::string> types) {
        if (!window) {
            completion(std::nullopt);
            return;
        }
        m_application.activate();
        platform::runOpenPanel(*window, allowsMultipleSelection, types, completion);
    });
}

} // namespace quillane
