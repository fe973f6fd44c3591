// The preferences store reading whatever lies in its file, then writing over it.
#include "platform/preferences.h"

#include <glib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string folder = [] {
        std::string pattern = std::string(g_get_tmp_dir()) + "/quillane-fuzz-preferences-XXXXXX";
        return std::string(g_mkdtemp(pattern.data()));
    }();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    if (FILE* file = std::fopen((folder + "/preferences.ini").c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    quillane::platform::Preferences preferences(folder);
    preferences.boolean("float");
    auto address = preferences.text("address");
    auto answers = preferences.dictionary("microphone");
    preferences.text("Window Frame Quillane");
    // What read must survive a write and a fresh read.
    preferences.setBoolean("float", true);
    quillane::platform::Preferences again(folder);
    if (again.text("address") != address || again.dictionary("microphone") != answers || again.boolean("float") != true)
        __builtin_trap();
    return 0;
}
