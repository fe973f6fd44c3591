#include "platform/preferences.h"

#include <gtest/gtest.h>

#include <glib.h>
#include <glib/gstdio.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/stat.h>

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
    const std::map<std::string, bool> sites {
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
    EXPECT_EQ(Preferences(folder).dictionary("microphone"), (std::map<std::string, bool> {})) << "an empty dictionary is still a dictionary";
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
    fs::path file = preferences.path();
    fs::path link = root / "old-copy";
    fs::create_hard_link(file, link);
    preferences.setText("address", "https://second.example/");
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
    EXPECT_FALSE(preferences.setBoolean("float", false));
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
    EXPECT_EQ(first.dictionary("microphone"), (std::map<std::string, bool> { { "https://a.example", true } }));
}
