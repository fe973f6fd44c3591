// The preferences store: values of each type across a restart, defaults, atomic and private writes,
// and files that are damaged, unwritable, linked or not files at all.
#include "platform/preferences.h"
#include "temporary_folder.h"

#include <sys/stat.h>

using quillane::platform::OrderedMap;
using quillane::platform::Preferences;
using Store = quillane::testing::TemporaryFolder;
namespace fs = std::filesystem;

TEST_F(Store, ValuesOfEachTypeSurviveARestart)
{
    const OrderedMap<bool> sites { { "https://example.com", true }, { "http://[::1]:8080", false }, { "https://b\xc3\xbc" "cher.de", false },
        { "weird = key ]\n[x", true } };
    const std::string text = "https://example.com/a?b=1&c=d#top\nsecond line 'quoted' \"double\" \\";
    {
        Preferences preferences(folder);
        EXPECT_FALSE(preferences.boolean("float"));
        EXPECT_TRUE(preferences.setBoolean("float", false));
        EXPECT_TRUE(preferences.setText("address", text));
        EXPECT_TRUE(preferences.setDictionary("microphone", sites));
        EXPECT_TRUE(preferences.setNumbers("zoom", { { "https://example.com", 1.25 } }));
        EXPECT_TRUE(preferences.setDictionary("notifications", {}));
    }
    Preferences again(folder);
    EXPECT_EQ(again.boolean("float"), false);
    EXPECT_EQ(again.text("address"), text);
    EXPECT_EQ(again.dictionary("microphone"), sites);
    EXPECT_EQ(again.numbers("zoom"), (OrderedMap<double> { { "https://example.com", 1.25 } }));
    EXPECT_EQ(again.dictionary("notifications"), (OrderedMap<bool> {})) << "an empty dictionary is still a dictionary";
}

TEST_F(Store, AValueOfAnotherTypeOrThatDoesNotParseReadsAsAbsentAndTheDefaultAnswersForIt)
{
    write(folder / "preferences.ini", "[Preferences]\nfloat='true'\naddress=true\nmicrophone={'x': 3}\nzoom=maybe\nkept='yes'\n");
    Preferences preferences(folder);
    EXPECT_FALSE(preferences.boolean("float"));
    EXPECT_FALSE(preferences.text("address"));
    EXPECT_FALSE(preferences.dictionary("microphone"));
    EXPECT_FALSE(preferences.numbers("zoom"));
    EXPECT_EQ(preferences.text("kept"), "yes") << "the rest still reads";
    preferences.registerDefault("float", true);
    EXPECT_EQ(preferences.boolean("float"), true);
    // A stored value answers before the default; removed, the default answers again and is never written.
    preferences.setBoolean("float", false);
    EXPECT_EQ(preferences.boolean("float"), false);
    EXPECT_TRUE(preferences.remove("float"));
    EXPECT_TRUE(preferences.remove("never-there"));
    EXPECT_EQ(preferences.boolean("float"), true);
    EXPECT_EQ(Preferences(folder).boolean("float"), std::nullopt);
    EXPECT_EQ(Preferences(folder).text("kept"), "yes");
}

TEST_F(Store, WritesReplaceTheFileAtomicallyAndPrivately)
{
    Preferences preferences(folder);
    preferences.setText("address", "https://first.example/");
    ASSERT_TRUE(preferences.flush());
    fs::create_hard_link(preferences.path(), root / "old-copy");
    preferences.setText("address", "https://second.example/");
    ASSERT_TRUE(preferences.flush());
    // A write goes to a new file that replaces the old one, so the old one's other name keeps the old text.
    EXPECT_NE(contents(root / "old-copy").find("first.example"), std::string::npos);
    EXPECT_NE(contents(preferences.path()).find("second.example"), std::string::npos);
    struct stat info {};
    ASSERT_EQ(stat(preferences.path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(filesIn(folder), std::vector<std::string> { "preferences.ini" }) << "no temporary file left behind";
}

TEST_F(Store, AFileThatCannotBeReadIsKeptAsideNotDestroyed)
{
    for (bool aFolder : { false, true }) {
        fs::remove_all(folder);
        if (aFolder)
            fs::create_directories(folder / "preferences.ini" / "inside");
        else
            write(folder / "preferences.ini", "[Preferences\nfloat=false\n\xff\xfe garbage");
        Preferences preferences(folder);
        EXPECT_FALSE(preferences.boolean("float"));
        EXPECT_TRUE(preferences.setText("address", "https://example.com/"));
        EXPECT_TRUE(preferences.flush());
        EXPECT_EQ(asideFile().rfind("preferences.ini.unreadable-", 0), 0u) << aFolder;
        EXPECT_EQ(contents(folder / asideFile()).find("garbage") != std::string::npos, !aFolder);
        EXPECT_EQ(Preferences(folder).text("address"), "https://example.com/");
    }
}

TEST_F(Store, AFolderThatCannotBeWrittenKeepsValuesInMemoryAndSaysSo)
{
    write(root / "not-a-folder", "a plain file");
    Preferences preferences(root / "not-a-folder" / "quillane");
    EXPECT_TRUE(preferences.flush()) << "nothing written, nothing failed";
    EXPECT_TRUE(preferences.setBoolean("float", false)) << "kept";
    EXPECT_FALSE(preferences.flush()) << "but not written";
    EXPECT_EQ(preferences.boolean("float"), false);
    EXPECT_EQ(contents(root / "not-a-folder"), "a plain file");
}

TEST_F(Store, ReloadSeesWhatAnotherWriterStored)
{
    Preferences first(folder);
    Preferences second(folder);
    second.setDictionary("microphone", { { "https://a.example", true } });
    EXPECT_FALSE(first.dictionary("microphone"));
    first.reload();
    EXPECT_EQ(first.dictionary("microphone"), (OrderedMap<bool> { { "https://a.example", true } }));
}

TEST_F(Store, OnlyItsOwnLeftoversAreRemovedNeverAPersonsFiles)
{
    write(folder / "preferences.ini", "[Preferences]\nfloat=false\n");
    const std::vector<std::string> persons { "preferences.ini.backup", "preferences.ini.old123", "preferences.ini.abcdef", "preferences.ini.quillane-partial-1" };
    for (const auto& name : persons)
        write(folder / name, "mine");
    write(folder / "preferences.ini.quillane-partial-Ab12Cd", "[Preferences]\nfloat=tr");
    for (const auto& entry : fs::directory_iterator(folder))
        fs::last_write_time(entry.path(), fs::file_time_type::clock::now() - std::chrono::seconds(30));
    write(folder / "preferences.ini.quillane-partial-Ef34Gh", "a write going on now");
    Preferences preferences(folder);
    EXPECT_EQ(preferences.boolean("float"), false);
    for (const auto& name : persons)
        EXPECT_EQ(contents(folder / name), "mine") << name;
    EXPECT_FALSE(fs::exists(folder / "preferences.ini.quillane-partial-Ab12Cd")) << "a write of ours cut short long ago";
    EXPECT_TRUE(fs::exists(folder / "preferences.ini.quillane-partial-Ef34Gh")) << "a write that may still be going on";
}

TEST_F(Store, AFileCutAnywhereKeepsEveryLineThatStillReadsAndTheDamagedFileAside)
{
    const std::vector<std::string> keys { "address", "float", "microphone", "Window Frame Quillane" };
    {
        Preferences preferences(folder);
        preferences.setText("address", "https://example.com/a?b=1");
        preferences.setBoolean("float", false);
        preferences.setDictionary("microphone", { { "https://a.example", true }, { "http://[::1]:8080", false } });
        preferences.setText("Window Frame Quillane", "320 312 640 400");
    }
    const std::string whole = contents(folder / "preferences.ini");
    for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
        fs::remove_all(folder);
        write(folder / "preferences.ini", whole.substr(0, cut));
        Preferences preferences(folder);
        // A line reads when all of its text is there; the line with the cut in it reads as absent.
        for (const auto& key : keys) {
            auto start = whole.find("\n" + key + "=");
            bool complete = start != std::string::npos && whole.find('\n', start + 1) <= cut;
            bool read = key == "float" ? preferences.boolean(key).has_value()
                : key == "microphone"  ? preferences.dictionary(key).has_value()
                                       : preferences.text(key).has_value();
            EXPECT_EQ(read, complete) << key << " cut at " << cut;
        }
    }
    fs::remove_all(folder);
    write(folder / "preferences.ini", whole.substr(0, whole.size() / 2));
    Preferences damaged(folder);
    damaged.setBoolean("float", true);
    ASSERT_TRUE(damaged.flush());
    EXPECT_EQ(contents(folder / asideFile()), whole.substr(0, whole.size() / 2));
}

TEST_F(Store, ALinkedFileIsWrittenThroughTheLinkAndAFifoIsNeverOpened)
{
    write(root / "elsewhere" / "real.ini", "[Preferences]\nfloat=false\n");
    fs::create_directories(folder);
    fs::create_symlink(root / "elsewhere" / "real.ini", folder / "preferences.ini");
    {
        Preferences preferences(folder);
        EXPECT_EQ(preferences.boolean("float"), false);
        EXPECT_TRUE(preferences.setText("address", "https://linked.example/"));
    }
    EXPECT_TRUE(fs::is_symlink(folder / "preferences.ini"));
    EXPECT_NE(contents(root / "elsewhere" / "real.ini").find("linked.example"), std::string::npos);

    fs::remove(folder / "preferences.ini");
    ASSERT_EQ(mkfifo((folder / "preferences.ini").c_str(), 0600), 0);
    // Opening the FIFO would wait for a writer for ever; the store treats it as unreadable instead.
    Preferences preferences(folder);
    EXPECT_FALSE(preferences.boolean("float"));
    EXPECT_TRUE(preferences.setBoolean("float", true));
    EXPECT_EQ(Preferences(folder).boolean("float"), true);
}
