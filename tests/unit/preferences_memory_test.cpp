// Reading the store keeps no memory behind: the zoom map is read on every page load, so a read that
// leaks grows the program without end.
#include "platform/preferences.h"
#include "temporary_folder.h"

#include <malloc.h>
#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer's own count (GCC installs no header that declares it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

using quillane::platform::OrderedMap;
using quillane::platform::Preferences;

namespace {
// What the process holds from the allocator now. AddressSanitizer's allocator counts for itself
// (glibc's figures read zero under it).
long long allocatedBytes()
{
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<long long>(__sanitizer_get_current_allocated_bytes());
#else
    struct mallinfo2 info = mallinfo2();
    return static_cast<long long>(info.uordblks + info.hblkhd);
#endif
}
} // namespace

using PreferencesMemory = quillane::testing::TemporaryFolder;

TEST_F(PreferencesMemory, ReadingValuesAgainAndAgainKeepsNothing)
{
    OrderedMap<double> zoom;
    OrderedMap<bool> answers;
    for (int site = 0; site < 100; ++site) {
        zoom.set("https://site-" + std::to_string(site) + ".example:8443", 1.25);
        answers.set("https://site-" + std::to_string(site) + ".example:8443", site % 2 == 0);
    }
    const std::string address = "https://example.com/" + std::string(2000, 'a');
    Preferences preferences(folder);
    preferences.setNumbers("zoom", zoom);
    preferences.setDictionary("microphone", answers);
    preferences.setText("address", address);
    preferences.setBoolean("float", false);
    auto readAll = [&] {
        EXPECT_EQ(preferences.numbers("zoom")->size(), zoom.size());
        EXPECT_EQ(preferences.dictionary("microphone")->size(), answers.size());
        EXPECT_EQ(preferences.text("address")->size(), address.size());
        EXPECT_EQ(preferences.boolean("float"), false);
    };
    // The first reads fill the allocator's own caches, which it keeps.
    for (int round = 0; round < 20; ++round)
        readAll();

    const int rounds = 1000;
    const long long before = allocatedBytes();
    for (int round = 0; round < rounds; ++round)
        readAll();
    const long long grown = allocatedBytes() - before;
    // A map of 100 sites takes tens of kilobytes: keeping one per read would pass this at once.
    EXPECT_LT(grown, 256 * 1024) << grown / rounds << " bytes kept per round of four reads";
    EXPECT_GT(before, 0) << "the allocator's figures read nothing";
}
