#include "platform/desktop_entry.h"

#include "platform/gtk/gobject_ref.h"

namespace quillane::platform {

std::vector<std::string> urlSchemesOfDesktopEntry(const std::string& applicationId)
{
    std::vector<std::string> schemes;
    // The entry is found the way the system finds it: under applications/ in the data folders.
    GKeyFilePtr entry(g_key_file_new());
    std::string name = "applications/" + applicationId + ".desktop";
    if (!g_key_file_load_from_data_dirs(entry.get(), name.c_str(), nullptr, G_KEY_FILE_NONE, nullptr))
        return schemes;
    GStrvPtr types(g_key_file_get_string_list(entry.get(), G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_MIME_TYPE, nullptr, nullptr));
    const std::string prefix = "x-scheme-handler/";
    for (char** type = types.get(); type && *type; ++type) {
        std::string text = *type;
        if (text.rfind(prefix, 0) == 0)
            schemes.push_back(text.substr(prefix.size()));
    }
    return schemes;
}

} // namespace quillane::platform
