#include "platform/user_folders.h"

#include "platform/files.h"
#include "platform/gtk/gobject_ref.h"

#include <glib.h>

#include <filesystem>

namespace quillane::platform {

UserFolders userFolders()
{
    return { g_get_user_config_dir(), g_get_user_data_dir(), g_get_user_cache_dir() };
}

std::optional<std::string> writeDesktopEntry(const std::string& path, const std::vector<std::pair<std::string, std::string>>& keys)
{
    GKeyFilePtr entry(g_key_file_new());
    for (const auto& [key, value] : keys)
        g_key_file_set_string(entry.get(), G_KEY_FILE_DESKTOP_GROUP, key.c_str(), value.c_str());
    gsize length = 0;
    GCharPtr text(g_key_file_to_data(entry.get(), &length, nullptr));
    GCharPtr folder(g_path_get_dirname(path.c_str()));
    if (g_mkdir_with_parents(static_cast<char*>(folder.get()), 0755) != 0)
        return std::string("could not create ") + static_cast<char*>(folder.get());
    return replaceFileContents(path, std::string(static_cast<char*>(text.get()), length), 0644);
}

std::optional<std::string> desktopEntryValue(const std::string& path, const std::string& key)
{
    GKeyFilePtr entry(g_key_file_new());
    if (!isRegularFile(path) || !g_key_file_load_from_file(entry.get(), path.c_str(), G_KEY_FILE_NONE, nullptr))
        return std::nullopt;
    GCharPtr value(g_key_file_get_string(entry.get(), G_KEY_FILE_DESKTOP_GROUP, key.c_str(), nullptr));
    if (!value)
        return std::nullopt;
    return std::string(static_cast<char*>(value.get()));
}

std::string makeTemporaryFolder()
{
    GCharPtr folder(g_dir_make_tmp("quillane-XXXXXX", nullptr));
    return folder ? static_cast<char*>(folder.get()) : "";
}

bool startThisProgram(const std::vector<std::string>& arguments)
{
    GCharPtr self(g_file_read_link("/proc/self/exe", nullptr));
    if (!self)
        return false;
    std::vector<char*> argv { static_cast<char*>(self.get()) };
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    return g_spawn_async(nullptr, argv.data(), nullptr, G_SPAWN_DEFAULT, nullptr, nullptr, nullptr, nullptr);
}

bool removeFolder(const std::string& path)
{
    std::error_code error;
    std::filesystem::remove_all(path, error);
    return !error;
}

} // namespace quillane::platform
