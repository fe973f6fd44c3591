// The preferences store reading whatever lies in its file, then writing over it. Reading the same
// values again and again must not grow the process: the zoom map is read on every page load.
#include "platform/preferences.h"

#include <glib.h>
#include <sanitizer/allocator_interface.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

using quillane::platform::Preferences;

namespace {
void readEverything(const Preferences& preferences)
{
    preferences.boolean("float");
    preferences.text("address");
    preferences.text("Window Frame Quillane");
    preferences.dictionary("microphone");
    preferences.dictionary("notifications");
    preferences.numbers("zoom");
}

// Levels compared as stored: a "nan" read back is the same level.
bool sameLevels(const std::optional<quillane::platform::OrderedMap<double>>& one, const std::optional<quillane::platform::OrderedMap<double>>& other)
{
    if (!one || !other)
        return !one && !other;
    return std::equal(one->begin(), one->end(), other->begin(), other->end(), [](const auto& a, const auto& b) {
        return a.first == b.first && (a.second == b.second || (std::isnan(a.second) && std::isnan(b.second)));
    });
}

// Memory that grows in each of two equal rounds of reads grows with the number of reads; caches
// that fill once grow in one round at most.
bool readsKeepMemory(const Preferences& preferences)
{
    constexpr int roundOfReads = 16;
    readEverything(preferences);
    std::size_t grown[2] {};
    for (std::size_t& growth : grown) {
        std::size_t before = __sanitizer_get_current_allocated_bytes();
        for (int read = 0; read < roundOfReads; ++read)
            readEverything(preferences);
        std::size_t after = __sanitizer_get_current_allocated_bytes();
        growth = after > before ? after - before : 0;
    }
    return grown[0] > 0 && grown[1] > 0;
}
} // namespace

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
    Preferences preferences(folder);
    if (readsKeepMemory(preferences))
        __builtin_trap();
    auto address = preferences.text("address");
    auto answers = preferences.dictionary("microphone");
    auto zoom = preferences.numbers("zoom");
    // What read must survive a write and a fresh read.
    preferences.setBoolean("float", true);
    Preferences again(folder);
    if (again.text("address") != address || again.dictionary("microphone") != answers || !sameLevels(again.numbers("zoom"), zoom)
        || again.boolean("float") != true)
        __builtin_trap();
    return 0;
}
