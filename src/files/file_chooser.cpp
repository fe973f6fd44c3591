#include "files/file_chooser.h"

#include "files/accepted_types.h"
#include "platform/dialogs.h"
#include "platform/web_view.h"
#include "platform/window.h"

#include <algorithm>

namespace quillane {

FileChooser::FileChooser(const std::string& acceptLists)
    : m_acceptLists(acceptLists)
{
}

void FileChooser::attach(platform::WebView& page, platform::Window& window)
{
    page.onFileChooser = [this, &page, &window](bool multiple, const std::vector<std::string>& mimeTypes, auto answer) {
        acceptedTypes(page, mimeTypes, [&window, multiple, answer](std::vector<std::string> types) {
            window.present();
            platform::chooseFilesToOpen(window, multiple, types, answer);
        });
    };
}

void FileChooser::acceptedTypes(platform::WebView& page, const std::vector<std::string>& mimeTypes,
    std::function<void(std::vector<std::string>)> completion)
{
    // Read in our own script world, where the page cannot change what the script sees. A script that
    // fails, or gives no text, leaves the chooser open to every type.
    page.callAsyncJavaScript("return " + m_acceptLists, {}, [mimeTypes, completion](std::optional<std::string> accepted) {
        std::vector<std::string> types = contentTypes(accepted.value_or(""));
        for (const auto& type : mimeTypes) {
            if (std::find(types.begin(), types.end(), type) == types.end())
                types.push_back(type);
        }
        completion(types);
    });
}

} // namespace quillane
