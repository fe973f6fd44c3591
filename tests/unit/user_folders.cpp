// No unit test reads or writes a person's own folders: the XDG base folders of the whole test
// program are fresh ones of its own, set before anything asks GLib for them.
#include <glib.h>

#include <filesystem>
#include <string>

namespace {
struct OwnFolders {
    OwnFolders()
    {
        char pattern[] = "/tmp/quillane-unit-XXXXXX";
        if (!g_mkdtemp(pattern))
            return;
        root = pattern;
        for (const char* base : { "CONFIG", "DATA", "CACHE" })
            g_setenv((std::string("XDG_") + base + "_HOME").c_str(), (root + "/" + base + "_home").c_str(), TRUE);
    }
    ~OwnFolders()
    {
        std::error_code error;
        if (!root.empty())
            std::filesystem::remove_all(root, error);
    }
    std::string root;
} ownFolders;
} // namespace
