#include "platform/preferences.h"

#include <gtest/gtest.h>

#include <glib.h>
#include <glib/gstdio.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/stat.h>

using quillane::platform::OrderedMap;
using quillane::platform::Preferences;
namespace fs = std::filesystem;

namespace {
class PreferencesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/quillane-prefs-XXXXXX";
        ASSERT_TRUE(g_mkdtemp(pattern));
        root = pattern;
        folder = root / "quillane";
    }
    void TearDown() override { fs::remove_all(root); }

    std::string contents(const fs::path& path)
    {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void write(const fs::path& path, const std::string& text)
    {
        fs::create_directories(path.parent_path());
        std::ofstream(path) << text;
    }
    std::vector<fs::path> filesIn(const fs::path& path)
    {
        std::vector<fs::path> names;
        for (const auto& entry : fs::directory_iterator(path))
            names.push_back(entry.path().filename());
        return names;
    }

    fs::path root;
    fs::path folder;
};
} // namespace

TEST_F(PreferencesTest, ValuesOfEachTypeSurviveARestart)
{
    const OrderedMap<bool> sites {
        { "https://example.com", true },
        { "http://[::1]:8080", false },
        { "http://localhost:3000", true },
        { "https://b\xc3\xbc" "cher.de", false },
        { "weird = key ]\n[x", true },
    };
    {
        Preferences preferences(folder);
        EXPECT_FALSE(preferences.boolean("float"));
        EXPECT_FALSE(preferences.text("address"));
        EXPECT_TRUE(preferences.setBoolean("float", false));
        EXPECT_TRUE(preferences.setText("address", "https://example.com/a?b=1&c=d#top\nsecond line 'quoted' \"double\" \\"));
        EXPECT_TRUE(preferences.setDictionary("microphone", sites));
    }
    Preferences again(folder);
    EXPECT_EQ(again.boolean("float"), false);
    EXPECT_EQ(again.text("address"), "https://example.com/a?b=1&c=d#top\nsecond line 'quoted' \"double\" \\");
    EXPECT_EQ(again.dictionary("microphone"), sites);
    EXPECT_EQ(again.setDictionary("microphone", {}), true);
    EXPECT_EQ(Preferences(folder).dictionary("microphone"), (OrderedMap<bool> {})) << "an empty dictionary is still a dictionary";
}

TEST_F(PreferencesTest, AValueOfAnotherTypeReadsAsAbsent)
{
    Preferences preferences(folder);
    preferences.setText("float", "true");
    preferences.setBoolean("address", true);
    preferences.setBoolean("microphone", true);
    EXPECT_FALSE(preferences.boolean("float"));
    EXPECT_FALSE(preferences.text("address"));
    EXPECT_FALSE(preferences.dictionary("microphone"));
    preferences.registerDefault("float", true);
    EXPECT_EQ(preferences.boolean("float"), true) << "the registered default answers for a value of the wrong type";
}

TEST_F(PreferencesTest, RegisteredDefaultsAnswerUntilAValueIsStoredAndAreNeverWritten)
{
    Preferences preferences(folder);
    preferences.registerDefault("float", true);
    EXPECT_EQ(preferences.boolean("float"), true);
    EXPECT_FALSE(fs::exists(preferences.path()));
    preferences.setBoolean("float", false);
    EXPECT_EQ(preferences.boolean("float"), false);
    preferences.remove("float");
    EXPECT_EQ(preferences.boolean("float"), true);
    EXPECT_EQ(Preferences(folder).boolean("float"), std::nullopt);
}

TEST_F(PreferencesTest, RemovingAKeyLeavesTheOthers)
{
    Preferences preferences(folder);
    preferences.setDictionary("microphone", { { "https://a.example", true } });
    preferences.setText("address", "https://a.example/");
    EXPECT_TRUE(preferences.remove("microphone"));
    EXPECT_TRUE(preferences.remove("never-there"));
    Preferences again(folder);
    EXPECT_FALSE(again.dictionary("microphone"));
    EXPECT_EQ(again.text("address"), "https://a.example/");
}

TEST_F(PreferencesTest, WritesReplaceTheFileAtomicallyAndPrivately)
{
    Preferences preferences(folder);
    preferences.setText("address", "https://first.example/");
    ASSERT_TRUE(preferences.flush());
    fs::path file = preferences.path();
    fs::path link = root / "old-copy";
    fs::create_hard_link(file, link);
    preferences.setText("address", "https://second.example/");
    ASSERT_TRUE(preferences.flush());
    // A write goes to a new file that replaces the old one, so the old one's other name keeps the old text.
    EXPECT_NE(contents(link).find("first.example"), std::string::npos);
    EXPECT_NE(contents(file).find("second.example"), std::string::npos);
    struct stat info {};
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(filesIn(folder), std::vector<fs::path> { "preferences.ini" }) << "no temporary file left behind";
}

TEST_F(PreferencesTest, ACorruptFileIsKeptAsideNotDestroyed)
{
    write(folder / "preferences.ini", "[Preferences\nfloat=false\n\xff\xfe garbage");
    Preferences preferences(folder);
    EXPECT_FALSE(preferences.boolean("float"));
    EXPECT_TRUE(preferences.setText("address", "https://example.com/"));
    EXPECT_TRUE(preferences.flush());
    auto names = filesIn(folder);
    ASSERT_EQ(names.size(), 2u);
    fs::path aside = names[0] == "preferences.ini" ? names[1] : names[0];
    EXPECT_EQ(aside.string().rfind("preferences.ini.unreadable-", 0), 0u) << aside;
    EXPECT_NE(contents(folder / aside).find("garbage"), std::string::npos);
    EXPECT_EQ(Preferences(folder).text("address"), "https://example.com/");
}

TEST_F(PreferencesTest, AValueThatDoesNotParseIsAbsentAndTheRestStillReads)
{
    write(folder / "preferences.ini", "[Preferences]\nfloat=maybe\naddress='https://example.com/'\nmicrophone={'x': 3}\n");
    Preferences preferences(folder);
    EXPECT_FALSE(preferences.boolean("float"));
    EXPECT_FALSE(preferences.dictionary("microphone"));
    EXPECT_EQ(preferences.text("address"), "https://example.com/");
}

TEST_F(PreferencesTest, AFolderThatCannotBeWrittenKeepsValuesInMemoryAndSaysSo)
{
    write(root / "not-a-folder", "a plain file");
    Preferences preferences(root / "not-a-folder" / "quillane");
    EXPECT_TRUE(preferences.flush()) << "nothing written, nothing failed";
    EXPECT_TRUE(preferences.setBoolean("float", false)) << "kept";
    EXPECT_FALSE(preferences.flush()) << "but not written";
    EXPECT_EQ(preferences.boolean("float"), false);
    EXPECT_EQ(contents(root / "not-a-folder"), "a plain file");
}

TEST_F(PreferencesTest, AFolderInPlaceOfTheFileIsMovedAsideLikeACorruptFile)
{
    // A folder where the file should be cannot be read as one, and is moved aside like a corrupt file.
    fs::create_directories(folder / "preferences.ini" / "inside");
    Preferences preferences(folder);
    EXPECT_TRUE(preferences.setBoolean("float", true));
    EXPECT_EQ(Preferences(folder).boolean("float"), true);
    auto names = filesIn(folder);
    EXPECT_EQ(names.size(), 2u);
}

TEST_F(PreferencesTest, ReloadSeesWhatAnotherWriterStored)
{
    Preferences first(folder);
    Preferences second(folder);
    second.setDictionary("microphone", { { "https://a.example", true } });
    EXPECT_FALSE(first.dictionary("microphone"));
    first.reload();
    EXPECT_EQ(first.dictionary("microphone"), (OrderedMap<bool> { { "https://a.example", true } }));
}

TEST_F(PreferencesTest, OnlyItsOwnLeftoversAreRemovedNeverAPersonsFiles)
{
    write(folder / "preferences.ini", "[Preferences]\nfloat=false\n");
    const std::vector<std::string> persons { "preferences.ini.backup", "preferences.ini.old123", "preferences.ini.abcdef", "preferences.ini.quillane-partial-1" };
    for (const auto& name : persons)
        write(folder / name, "mine");
    write(folder / "preferences.ini.quillane-partial-Ab12Cd", "[Preferences]\nfloat=tr");
    write(folder / "preferences.ini.quillane-partial-Ef34Gh", "a write going on now");
    auto old = fs::file_time_type::clock::now() - std::chrono::seconds(30);
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename() != "preferences.ini.quillane-partial-Ef34Gh")
            fs::last_write_time(entry.path(), old);
    }
    Preferences preferences(folder);
    EXPECT_EQ(preferences.boolean("float"), false);
    for (const auto& name : persons)
        EXPECT_EQ(contents(folder / name), "mine") << name;
    EXPECT_FALSE(fs::exists(folder / "preferences.ini.quillane-partial-Ab12Cd")) << "a write of ours cut short long ago";
    EXPECT_TRUE(fs::exists(folder / "preferences.ini.quillane-partial-Ef34Gh")) << "a write that may still be going on";
}

TEST_F(PreferencesTest, AFileCutAnywhereKeepsEveryLineThatStillReads)
{
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
        auto complete = [&](const std::string& key) {
            auto start = whole.find("\n" + key + "=");
            auto end = whole.find('\n', start + 1);
            return start != std::string::npos && end <= cut;
        };
        EXPECT_EQ(preferences.text("address").has_value(), complete("address")) << "cut at " << cut;
        EXPECT_EQ(preferences.boolean("float").has_value(), complete("float")) << "cut at " << cut;
        EXPECT_EQ(preferences.dictionary("microphone").has_value(), complete("microphone")) << "cut at " << cut;
        EXPECT_EQ(preferences.text("Window Frame Quillane").has_value(), complete("Window Frame Quillane")) << "cut at " << cut;
    }
    // The damaged file itself is kept aside when the store writes again.
    fs::remove_all(folder);
    write(folder / "preferences.ini", whole.substr(0, whole.size() / 2));
    Preferences damaged(folder);
    damaged.setBoolean("float", true);
    ASSERT_TRUE(damaged.flush());
    auto names = filesIn(folder);
    ASSERT_EQ(names.size(), 2u);
    fs::path aside = names[0] == "preferences.ini" ? names[1] : names[0];
    EXPECT_EQ(contents(folder / aside), whole.substr(0, whole.size() / 2));
}

TEST_F(PreferencesTest, ALinkedFileIsWrittenThroughTheLinkAndAFifoIsNeverOpened)
{
    fs::create_directories(folder);
    write(root / "elsewhere" / "real.ini", "[Preferences]\nfloat=false\n");
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
