#include "platform/content_types.h"

#include "platform/gtk/gobject_ref.h"

#include <gio/gio.h>

#include <set>

namespace quillane::platform {

namespace {
const std::set<std::string>& registeredTypes()
{
    static const std::set<std::string> types = [] {
        std::set<std::string> all;
        GStringListPtr list(g_content_types_get_registered());
        for (GList* item = list.get(); item; item = item->next)
            all.insert(static_cast<char*>(item->data));
        return all;
    }();
    return types;
}
} // namespace

std::optional<std::string> contentTypeForExtension(std::string_view extension)
{
    if (extension.empty() || extension.find('/') != std::string_view::npos)
        return std::nullopt;
    std::string name = "file." + std::string(extension);
    gboolean uncertain = FALSE;
    GCharPtr type(g_content_type_guess(name.c_str(), nullptr, 0, &uncertain));
    if (!type || uncertain || g_content_type_is_unknown(static_cast<char*>(type.get())))
        return std::nullopt;
    GCharPtr mime(g_content_type_get_mime_type(static_cast<char*>(type.get())));
    if (!mime)
        return std::nullopt;
    return std::string(static_cast<char*>(mime.get()));
}

std::optional<std::string> contentTypeForMimeType(std::string_view mimeType)
{
    std::string text(mimeType);
    GCharPtr type(g_content_type_from_mime_type(text.c_str()));
    if (!type)
        return std::nullopt;
    std::string result = static_cast<char*>(type.get());
    if (!registeredTypes().count(result))
        return std::nullopt;
    return result;
}

bool conformsToData(const std::string& type)
{
    return type.rfind("inode/", 0) != 0 && g_content_type_is_a(type.c_str(), "application/octet-stream");
}

} // namespace quillane::platform
