#include "platform/desktop.h"

#include "platform/files.h"
#include "platform/gtk/gobject_ref.h"

#include <gio/gio.h>

namespace quillane::platform {

UserFolders userFolders()
{
    return { g_get_user_config_dir(), g_get_user_data_dir(), g_get_user_cache_dir() };
}

std::string downloadsFolder()
{
    // GLib answers the home folder when the user has no Downloads folder set.
    const char* folder = g_get_user_special_dir(G_USER_DIRECTORY_DOWNLOAD);
    return folder ? folder : g_get_home_dir();
}

std::vector<std::string> userLanguageNames()
{
    std::vector<std::string> names;
    for (const char* const* name = g_get_language_names(); name && *name; ++name)
        names.emplace_back(*name);
    return names;
}

std::string desktopEntryText(const std::vector<std::pair<std::string, std::string>>& keys, const std::vector<DesktopEntryGroup>& groups)
{
    GKeyFilePtr entry(g_key_file_new());
    for (const auto& [key, value] : keys)
        g_key_file_set_string(entry.get(), G_KEY_FILE_DESKTOP_GROUP, key.c_str(), value.c_str());
    for (const auto& group : groups) {
        for (const auto& [key, value] : group.keys)
            g_key_file_set_string(entry.get(), group.name.c_str(), key.c_str(), value.c_str());
    }
    gsize length = 0;
    GCharPtr text(g_key_file_to_data(entry.get(), &length, nullptr));
    return std::string(static_cast<char*>(text.get()), length);
}

std::optional<std::string> desktopEntryValue(const std::string& path, const std::string& key)
{
    GKeyFilePtr entry(g_key_file_new());
    if (!isRegularFile(path) || !g_key_file_load_from_file(entry.get(), path.c_str(), G_KEY_FILE_NONE, nullptr))
        return std::nullopt;
    GCharPtr value(g_key_file_get_string(entry.get(), G_KEY_FILE_DESKTOP_GROUP, key.c_str(), nullptr));
    return value ? std::optional<std::string>(static_cast<char*>(value.get())) : std::nullopt;
}

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

void updateDesktopEntryIndex(const std::string& folder)
{
    GCharPtr tool(g_find_program_in_path("update-desktop-database"));
    if (!tool)
        return;
    const char* argv[] = { static_cast<char*>(tool.get()), "-q", folder.c_str(), nullptr };
    int status = 0;
    ErrorOut error;
    // Quick for a folder of entries, and done before the caller says the entry is in place.
    if (!g_spawn_sync(nullptr, const_cast<char**>(argv), nullptr, G_SPAWN_STDOUT_TO_DEV_NULL, nullptr, nullptr, nullptr, nullptr, &status, error.out())
        || !g_spawn_check_wait_status(status, nullptr))
        g_printerr("%s: the desktop's index of the entries in %s could not be updated%s%s\n", g_get_prgname(), folder.c_str(),
            error ? ": " : "", error.message());
}

bool openWithDefaultApplication(const std::string& uri)
{
    ErrorOut error;
    if (g_app_info_launch_default_for_uri(uri.c_str(), nullptr, error.out()))
        return true;
    g_printerr("%s: could not open %s: %s\n", g_get_prgname(), uri.c_str(), error.message());
    return false;
}

bool openFile(const std::string& path)
{
    auto file = GObjectRef<GFile>::adopt(g_file_new_for_path(path.c_str()));
    GCharPtr uri(g_file_get_uri(file.get()));
    return openWithDefaultApplication(static_cast<char*>(uri.get()));
}

void showInFolder(const std::string& path, std::function<void()> notShown)
{
    auto file = GObjectRef<GFile>::adopt(g_file_new_for_path(path.c_str()));
    GCharPtr uri(g_file_get_uri(file.get()));
    auto folder = GObjectRef<GFile>::adopt(g_file_get_parent(file.get()));
    GCharPtr folderUri(folder ? g_file_get_uri(folder.get()) : nullptr);
    struct Fallback {
        std::string folder;
        std::function<void()> notShown;
        void open() const
        {
            if ((folder.empty() || !openWithDefaultApplication(folder)) && notShown)
                notShown();
        }
    };
    auto fallback = std::make_unique<Fallback>(Fallback { folderUri ? static_cast<char*>(folderUri.get()) : "", std::move(notShown) });
    GApplication* application = g_application_get_default();
    GDBusConnection* bus = application ? g_application_get_dbus_connection(application) : nullptr;
    if (!bus) {
        fallback->open();
        return;
    }
    const char* items[] = { static_cast<char*>(uri.get()), nullptr };
    // The file manager's own interface chooses the file; without one, the folder is opened.
    g_dbus_connection_call(bus, "org.freedesktop.FileManager1",
        "/org/freedesktop/FileManager1", "org.freedesktop.FileManager1", "ShowItems", g_variant_new("(^ass)", items, ""), nullptr,
        G_DBUS_CALL_FLAGS_NONE, 5000, nullptr,
        [](GObject* source, GAsyncResult* result, gpointer data) {
            std::unique_ptr<Fallback> fallback(static_cast<Fallback*>(data));
            GVariantPtr answer(g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, nullptr));
            if (!answer)
                fallback->open();
        },
        fallback.release());
}

namespace {
std::optional<std::string> nameOf(GAppInfo* application)
{
    if (!application)
        return std::nullopt;
    const char* name = g_app_info_get_display_name(application);
    return std::string(name && *name ? name : g_app_info_get_name(application));
}
} // namespace

std::optional<std::string> programForFile(const std::string& path)
{
    auto file = GObjectRef<GFile>::adopt(g_file_new_for_path(path.c_str()));
    auto info = GObjectRef<GFileInfo>::adopt(g_file_query_info(file.get(), G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE, G_FILE_QUERY_INFO_NONE, nullptr, nullptr));
    const char* type = info ? g_file_info_get_content_type(info.get()) : nullptr;
    if (!type)
        return std::nullopt;
    return nameOf(GObjectRef<GAppInfo>::adopt(g_app_info_get_default_for_type(type, FALSE)).get());
}

std::optional<std::string> defaultApplicationName(const std::string& scheme)
{
    return nameOf(GObjectRef<GAppInfo>::adopt(g_app_info_get_default_for_uri_scheme(scheme.c_str())).get());
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

} // namespace quillane::platform
