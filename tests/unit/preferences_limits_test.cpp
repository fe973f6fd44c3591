// The store's bounds: maps keep their newest entries up to a limit and no overlong key, every map at
// its fullest is read back whole, and a file past the read limit keeps what lies within it.
#include "platform/preferences.h"
#include "temporary_folder.h"

using quillane::platform::OrderedMap;
using quillane::platform::Preferences;
namespace fs = std::filesystem;

using Limits = quillane::testing::TemporaryFolder;

namespace {
constexpr std::size_t most = Preferences::mostEntries;
constexpr std::size_t longest = Preferences::longestKey;

std::string siteNumber(std::size_t number)
{
    return "https://site-" + std::to_string(number) + ".example";
}

// `count` sites, numbered from `first`, oldest first.
template <typename Value>
OrderedMap<Value> sites(std::size_t first, std::size_t count, Value value)
{
    OrderedMap<Value> map;
    for (std::size_t number = first; number < first + count; ++number)
        map.set(siteNumber(number), value);
    return map;
}

// A key of `length` bytes that takes the most room in the file: control characters, each stored as
// "\\u0001"; the last three tell keys apart.
std::string costliestKey(std::size_t length, std::size_t number)
{
    // Control characters without a short escape ("\n", "\t", …), 24 of them.
    static const std::string plain = "\x01\x02\x03\x04\x05\x06\x0e\x0f\x10\x11\x12\x13\x14\x15\x16\x17\x18\x19\x1a\x1b\x1c\x1d\x1e\x1f";
    std::string key(length, '\x01');
    for (std::size_t place = 0; place < 3; ++place, number /= plain.size())
        key[length - 1 - place] = plain[number % plain.size()];
    return key;
}
} // namespace

TEST_F(Limits, AMapKeepsItsNewestEntriesUpToTheLimit)
{
    struct Case {
        std::size_t given;
        std::size_t kept;
    };
    for (const Case& c : { Case { 0, 0 }, Case { 1, 1 }, Case { most - 1, most - 1 }, Case { most, most }, Case { most + 1, most }, Case { 2 * most, most } }) {
        Preferences preferences(folder);
        preferences.setDictionary("microphone", sites<bool>(0, c.given, true));
        preferences.setNumbers("zoom", sites<double>(0, c.given, 1.5));
        // The newest are the last given; those before them go.
        const std::size_t firstKept = c.given - c.kept;
        EXPECT_EQ(preferences.dictionary("microphone"), sites<bool>(firstKept, c.kept, true)) << c.given << " given";
        EXPECT_EQ(preferences.numbers("zoom"), sites<double>(firstKept, c.kept, 1.5)) << c.given << " given";
        Preferences again(folder);
        EXPECT_EQ(again.dictionary("microphone"), sites<bool>(firstKept, c.kept, true)) << c.given << " given, read again";
        EXPECT_EQ(again.numbers("zoom"), sites<double>(firstKept, c.kept, 1.5)) << c.given << " given, read again";
    }
}

TEST_F(Limits, AKeyPastTheLongestIsNotKeptAndTheOthersAre)
{
    struct Case {
        std::string key;
        bool kept;
    };
    const std::vector<Case> cases {
        { std::string(longest, 'a'), true },
        { std::string(longest + 1, 'a'), false },
        { costliestKey(longest, 0), true },
        { costliestKey(longest + 1, 0), false },
        { "https://" + std::string(longest - 8, 'b'), true },
        { "https://" + std::string(longest - 7, 'b'), false },
        // Two bytes a letter: 150 letters are 300 bytes.
        { [] { std::string key; for (int letter = 0; letter < 150; ++letter) key += "\xc3\xa9"; return key; }(), true },
        { "", true },
    };
    for (const Case& c : cases) {
        Preferences preferences(folder);
        OrderedMap<bool> given { { "https://before.example", true }, { c.key, false }, { "https://after.example", true } };
        preferences.setDictionary("microphone", given);
        if (!c.kept)
            given.erase(c.key);
        EXPECT_EQ(Preferences(folder).dictionary("microphone"), given) << c.key.size() << " bytes";
    }
}

TEST_F(Limits, EveryMapAtItsFullestWithTheCostliestKeysIsReadBackWhole)
{
    OrderedMap<bool> microphone;
    OrderedMap<bool> notifications;
    OrderedMap<double> zoom;
    for (std::size_t number = 0; number < most; ++number) {
        microphone.set(costliestKey(longest, number), number % 2 == 0);
        notifications.set(costliestKey(longest, number), number % 3 == 0);
        zoom.set(costliestKey(longest, number), -2.2250738585072014e-308);
    }
    const std::string address = "https://example.com/" + std::string(100000, 'a');
    {
        Preferences preferences(folder);
        preferences.setText("address", address);
        preferences.setDictionary("microphone", microphone);
        preferences.setDictionary("notifications", notifications);
        preferences.setNumbers("zoom", zoom);
        preferences.setBoolean("float", false);
        preferences.setText("Window Frame Quillane", "320 312 640 400");
        ASSERT_TRUE(preferences.flush());
    }
    // Each key takes seven bytes a byte in the file: several times the limit this store once read.
    EXPECT_GT(fs::file_size(folder / "preferences.ini"), 6'000'000u);
    Preferences again(folder);
    EXPECT_EQ(again.dictionary("microphone"), microphone);
    EXPECT_EQ(again.dictionary("notifications"), notifications);
    EXPECT_EQ(again.numbers("zoom"), zoom);
    EXPECT_EQ(again.text("address"), address);
    EXPECT_EQ(again.text("Window Frame Quillane"), "320 312 640 400") << "the last line too";
    EXPECT_EQ(filesIn(folder), std::vector<std::string> { "preferences.ini" }) << "nothing was taken for unreadable";
}

TEST_F(Limits, AFilePastTheReadLimitKeepsItsWholeLinesWithinItAndWritesThemBack)
{
    const std::size_t limit = Preferences::largestFile;
    const std::string opening = "[Preferences]\naddress='https://remembered.example/page'\n"
                                "microphone={'https://a.example': true, 'http://[::1]:8080': false}\nzoom={'https://a.example': 1.25}\n";
    // Where the line "edge" ends, last line feed included; the line "after" follows it.
    for (std::size_t edgeEnd : { limit - 1, limit, limit + 1 }) {
        fs::remove_all(folder);
        std::string edge = "edge='";
        edge += std::string(edgeEnd - opening.size() - edge.size() - 2, 'e') + "'\n";
        const std::string stored = opening + edge + "after=true\n";
        ASSERT_EQ(opening.size() + edge.size(), edgeEnd);
        write(folder / "preferences.ini", stored);

        const bool edgeKept = edgeEnd <= limit;
        {
            Preferences preferences(folder);
            EXPECT_EQ(preferences.text("address"), "https://remembered.example/page") << edgeEnd;
            EXPECT_EQ(preferences.dictionary("microphone"), (OrderedMap<bool> { { "https://a.example", true }, { "http://[::1]:8080", false } }));
            EXPECT_EQ(preferences.numbers("zoom"), (OrderedMap<double> { { "https://a.example", 1.25 } }));
            EXPECT_EQ(preferences.text("edge").has_value(), edgeKept) << edgeEnd;
            EXPECT_FALSE(preferences.boolean("after")) << "past the limit";
            EXPECT_TRUE(preferences.setNumbers("zoom", { { "https://a.example", 1.25 }, { "https://b.example", 0.9 } }));
            EXPECT_TRUE(preferences.setBoolean("float", false));
            ASSERT_TRUE(preferences.flush());
        }
        // What was read is written back with the changes; the whole file is kept aside as it was.
        EXPECT_EQ(asideFile().rfind("preferences.ini.unreadable-", 0), 0u) << edgeEnd;
        EXPECT_EQ(contents(folder / asideFile()), stored);
        Preferences again(folder);
        EXPECT_EQ(again.text("address"), "https://remembered.example/page") << edgeEnd;
        EXPECT_EQ(again.dictionary("microphone"), (OrderedMap<bool> { { "https://a.example", true }, { "http://[::1]:8080", false } }));
        EXPECT_EQ(again.numbers("zoom"), (OrderedMap<double> { { "https://a.example", 1.25 }, { "https://b.example", 0.9 } }));
        // With the changes the text outgrows the limit again when "edge" was kept: then it, the
        // largest value, is the one written past the limit, not the newest change.
        EXPECT_EQ(again.boolean("float"), false) << edgeEnd;
        EXPECT_FALSE(again.text("edge")) << edgeEnd;
    }
}

TEST_F(Limits, MapsReadInTheirStoredOrderAndARepeatedKeyCountsOnceAtItsLastPlace)
{
    struct Case {
        std::string stored;
        OrderedMap<bool> read;
    };
    const std::vector<Case> cases {
        // As an older version wrote them, in the order of their texts.
        { "{'https://a.example': true, 'https://b.example': false}", { { "https://a.example", true }, { "https://b.example", false } } },
        { "{'https://b.example': false, 'https://a.example': true}", { { "https://b.example", false }, { "https://a.example", true } } },
        { "{'https://a.example': true, 'https://b.example': false, 'https://a.example': false}",
            { { "https://b.example", false }, { "https://a.example", false } } },
        { "@a{sb} {}", {} },
    };
    for (const Case& c : cases) {
        write(folder / "preferences.ini", "[Preferences]\nmicrophone=" + c.stored + "\n");
        EXPECT_EQ(Preferences(folder).dictionary("microphone"), c.read) << c.stored;
    }
}
