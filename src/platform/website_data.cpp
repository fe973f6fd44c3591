#include "platform/website_data.h"

#include "platform/gtk/gobject_ref.h"
#include "platform/gtk/web_context.h"

#include <optional>

namespace quillane::platform {

namespace {
struct Folders {
    std::string data;
    std::string cache;
};

std::optional<Folders>& chosenFolders()
{
    static std::optional<Folders> folders;
    return folders;
}

WebKitWebContext* makeContext()
{
    WebKitWebContext* context = nullptr;
    std::string data;
    if (const auto& folders = chosenFolders()) {
        auto manager = GObjectRef<WebKitWebsiteDataManager>::adopt(webkit_website_data_manager_new(
            "base-data-directory", folders->data.c_str(), "base-cache-directory", folders->cache.c_str(), nullptr));
        context = webkit_web_context_new_with_website_data_manager(manager.get());
        data = folders->data;
    } else {
        // The engine's own context keeps local storage under the data folder named after the program.
        context = webkit_web_context_get_default();
        const char* program = g_get_prgname();
        GCharPtr folder(g_build_filename(g_get_user_data_dir(), program ? program : "quillane", nullptr));
        data = static_cast<char*>(folder.get());
    }
    webkit_web_context_set_sandbox_enabled(context, TRUE);
    answerNotificationPermissionsFor(context);
    g_mkdir_with_parents(data.c_str(), 0700);
    GCharPtr path(g_build_filename(data.c_str(), "cookies.sqlite", nullptr));
    webkit_cookie_manager_set_persistent_storage(webkit_web_context_get_cookie_manager(context), static_cast<char*>(path.get()),
        WEBKIT_COOKIE_PERSISTENT_STORAGE_SQLITE);
    return context;
}
} // namespace

void setWebsiteDataFolders(const std::string& dataFolder, const std::string& cacheFolder)
{
    chosenFolders() = Folders { dataFolder, cacheFolder };
}

WebKitWebContext* webContext()
{
    // Lives as long as the program.
    static WebKitWebContext* context = makeContext();
    return context;
}

} // namespace quillane::platform
