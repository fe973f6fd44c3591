// Installing over an installed application: its entry, icon and address stay whole until the new
// ones are complete, and on any failure; several files replaced together or not at all. Removing
// one: its entry, and with --purge its data, also when the entry has gone already.
#include "apps/installed_apps.h"
#include "platform/desktop.h"
#include "platform/file_replacement.h"
#include "platform/preferences.h"
#include "temporary_folder.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>

#include <sys/stat.h>

using namespace quillane;
namespace fs = std::filesystem;

namespace {
// The installed applications live in the test program's own base folders; `root` holds the icons
// they are installed from.
class InstalledApps : public quillane::testing::TemporaryFolder {
protected:
    void SetUp() override
    {
        TemporaryFolder::SetUp();
        folders = platform::userFolders();
    }
    void TearDown() override
    {
        uninstallApp(name(), true);
        TemporaryFolder::TearDown();
    }
    // One name per test, so that tests sharing the folders never meet.
    std::string name() const
    {
        std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        test.erase(std::remove_if(test.begin(), test.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }), test.end());
        return test.substr(0, 60);
    }
    fs::path entry() const { return fs::path(folders.data) / "applications" / ("org.quillane.Quillane." + name() + ".desktop"); }
    fs::path icon(const std::string& size = "256x256", const std::string& ending = ".png") const
    {
        return fs::path(folders.data) / "icons/hicolor" / size / "apps" / ("org.quillane.Quillane." + name() + ending);
    }
    std::string address() const
    {
        platform::Preferences preferences(folders.config + "/quillane/apps/" + name());
        return preferences.text("address").value_or("");
    }
    std::string iconFile(const std::string& text) const
    {
        fs::path path = root / (text + ".png");
        write(path, text);
        return path.string();
    }

    platform::UserFolders folders;
};

using FileReplacement = quillane::testing::TemporaryFolder;
} // namespace

TEST_F(InstalledApps, AReplacementThatFailsLeavesTheInstalledApplicationWhole)
{
    // Icons that cannot be copied: the decoder's folder went away, a folder stands in the file's
    // place, a FIFO that would never end.
    const std::vector<std::pair<const char*, std::function<std::string()>>> unusable {
        { "gone", [&] { return (root / "gone/icon.png").string(); } },
        { "a folder", [&] {
             fs::create_directories(root / "folder.png/inside");
             return (root / "folder.png").string();
         } },
        { "a FIFO", [&] {
             std::string path = (root / "fifo.png").string();
             mkfifo(path.c_str(), 0600);
             return path;
         } },
    };
    ASSERT_EQ(installApp(name(), "https://first.example/", iconFile("first icon"), "First"), std::nullopt);
    const std::string entryText = contents(entry());
    ASSERT_NE(entryText.find("Name=First"), std::string::npos);
    ASSERT_EQ(contents(icon()), "first icon");
    const auto applications = filesIn(entry().parent_path());
    const auto icons = filesIn(icon().parent_path());

    for (const auto& [what, source] : unusable) {
        auto failure = installApp(name(), "https://second.example/", source(), "Second", {}, Existing::replace);
        ASSERT_TRUE(failure) << what;
        EXPECT_NE(failure->find("icon could not be copied"), std::string::npos) << *failure;
        EXPECT_EQ(contents(entry()), entryText) << what;
        EXPECT_EQ(contents(icon()), "first icon") << what;
        EXPECT_EQ(address(), "https://first.example/") << what;
        EXPECT_TRUE(isInstalled(name())) << what;
        EXPECT_EQ(filesIn(entry().parent_path()), applications) << "nothing left beside the entry: " << what;
        EXPECT_EQ(filesIn(icon().parent_path()), icons) << "nothing left beside the icon: " << what;
    }
}

TEST_F(InstalledApps, AReplacementPutsTheNewEntryIconAndAddressInPlaceAndNothingElse)
{
    ASSERT_EQ(installApp(name(), "https://first.example/", iconFile("first icon"), "First"), std::nullopt);
    // An icon of another size from before, which the new application does not use.
    write(icon("scalable", ".svg"), "<svg/>");
    EXPECT_EQ(installApp(name(), "https://second.example/", iconFile("second icon"), "Second"),
        "an application named \u201c" + name() + "\u201d is installed already")
        << "never over one without being told to";
    EXPECT_EQ(contents(icon()), "first icon");

    ASSERT_EQ(installApp(name(), "https://second.example/", iconFile("second icon"), "Second", {}, Existing::replace), std::nullopt);
    EXPECT_NE(contents(entry()).find("Name=Second"), std::string::npos) << contents(entry());
    EXPECT_EQ(contents(icon()), "second icon");
    EXPECT_FALSE(fs::exists(icon("scalable", ".svg")));
    EXPECT_EQ(address(), "https://second.example/");
    EXPECT_EQ(filesIn(entry().parent_path()), std::vector<std::string> { entry().filename().string() });
    EXPECT_EQ(filesIn(icon().parent_path()), std::vector<std::string> { icon().filename().string() });

    // Replaced by one without an icon of its own: Quillane's icon, and the old one gone.
    ASSERT_EQ(installApp(name(), "https://third.example/", std::nullopt, "Third", {}, Existing::replace), std::nullopt);
    EXPECT_EQ(installedEntryValue(name(), "Icon"), "org.quillane.Quillane");
    EXPECT_FALSE(fs::exists(icon()));
}

TEST_F(InstalledApps, TheDesktopFindsTheSchemesAnEntryTakesUntilItIsRemoved)
{
    // The desktop finds an entry by its link schemes only through the folder's index.
    fs::path index = entry().parent_path() / "mimeinfo.cache";
    auto indexed = [&] { return contents(index).find("x-scheme-handler/web+quillanetest=" + entry().filename().string()) != std::string::npos; };
    AppExtras extras;
    extras.protocolHandlers.push_back({ "web+quillanetest", "https://mail.example/handle?link=%s" });
    ASSERT_EQ(installApp(name(), "https://mail.example/", std::nullopt, "Mail", extras), std::nullopt);
    EXPECT_TRUE(indexed()) << contents(index);
    // Replaced by one that takes no scheme, then removed: the index follows each.
    ASSERT_EQ(installApp(name(), "https://mail.example/", std::nullopt, "Mail", {}, Existing::replace), std::nullopt);
    EXPECT_FALSE(indexed()) << contents(index);
    ASSERT_EQ(installApp(name(), "https://mail.example/", std::nullopt, "Mail", extras, Existing::replace), std::nullopt);
    EXPECT_FALSE(uninstallApp(name(), false).empty());
    EXPECT_FALSE(indexed()) << contents(index);
    fs::remove(index);
}

TEST_F(InstalledApps, AnotherProgramsEntryOfTheSameNameIsNeverReplaced)
{
    write(entry(), "[Desktop Entry]\nType=Application\nName=Someone else's\nExec=true\n");
    EXPECT_TRUE(installApp(name(), "https://first.example/", std::nullopt, "", {}, Existing::replace));
    EXPECT_EQ(contents(entry()), "[Desktop Entry]\nType=Application\nName=Someone else's\nExec=true\n");
    fs::remove(entry());
}

TEST_F(FileReplacement, FilesAreReplacedTogetherOrNotAtAll)
{
    write(folder / "first", "old first");
    write(folder / "second", "old second");
    {
        platform::FileReplacement files;
        ASSERT_EQ(files.write((folder / "first").string(), "new first", 0644), std::nullopt);
        ASSERT_EQ(files.write((folder / "second").string(), "new second", 0644), std::nullopt);
        ASSERT_EQ(files.write((folder / "third").string(), "new third", 0644), std::nullopt);
        EXPECT_EQ(contents(folder / "first"), "old first") << "nothing is replaced before the commit";
        // A folder came where the second file was: the first is put back, the third never comes.
        fs::remove(folder / "second");
        fs::create_directories(folder / "second/inside");
        auto failure = files.commit();
        ASSERT_TRUE(failure);
        EXPECT_NE(failure->find("a folder is there"), std::string::npos) << *failure;
    }
    EXPECT_EQ(contents(folder / "first"), "old first");
    EXPECT_TRUE(fs::is_directory(folder / "second/inside"));
    EXPECT_EQ(filesIn(folder), (std::vector<std::string> { "first", "second" })) << "no new file, and no old one kept aside, is left";

    fs::remove_all(folder / "second");
    write(folder / "second", "old second");
    {
        platform::FileReplacement files;
        ASSERT_EQ(files.write((folder / "first").string(), "new first", 0644), std::nullopt);
        ASSERT_EQ(files.write((folder / "third").string(), "new third", 0600), std::nullopt);
        ASSERT_EQ(files.commit(), std::nullopt);
    }
    EXPECT_EQ(contents(folder / "first"), "new first");
    EXPECT_EQ(contents(folder / "second"), "old second");
    EXPECT_EQ(contents(folder / "third"), "new third");
    EXPECT_EQ(fs::status(folder / "third").permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(filesIn(folder), (std::vector<std::string> { "first", "second", "third" }));

    {
        platform::FileReplacement files;
        ASSERT_EQ(files.write((folder / "first").string(), "never", 0644), std::nullopt);
    }
    EXPECT_EQ(contents(folder / "first"), "new first") << "dropped without a commit";
    EXPECT_EQ(filesIn(folder), (std::vector<std::string> { "first", "second", "third" }));
}

namespace {
class UninstallingFromFolders : public ::testing::Test {
protected:
    UninstallingFromFolders()
    {
        std::string made = std::string(::testing::TempDir()) + "/uninstall-XXXXXX";
        m_base = g_mkdtemp(made.data()) ? made : "";
        folders = { m_base + "/config", m_base + "/data", m_base + "/cache" };
    }
    ~UninstallingFromFolders() override
    {
        std::error_code error;
        std::filesystem::remove_all(m_base, error);
    }
    // Data of the application NAME (or of the default Quillane for ""), in each base folder.
    void makeData(const std::string& name) const
    {
        for (const auto& base : { folders.config, folders.data, folders.cache }) {
            std::string folder = base + "/quillane" + (name.empty() ? "" : "/apps/" + name);
            std::filesystem::create_directories(folder);
            std::ofstream(folder + "/kept.txt") << "data";
        }
    }
    bool hasData(const std::string& name) const
    {
        for (const auto& base : { folders.config, folders.data, folders.cache }) {
            if (std::filesystem::exists(base + "/quillane" + (name.empty() ? "" : "/apps/" + name) + "/kept.txt"))
                return true;
        }
        return false;
    }

    platform::UserFolders folders;

private:
    std::string m_base;
};
} // namespace

TEST_F(UninstallingFromFolders, PurgingANameWhoseEntryHasGoneRemovesItsDataAndNothingElse)
{
    makeData("mail");
    makeData("chat");
    makeData("");
    ASSERT_FALSE(isInstalled("mail", folders));

    EXPECT_TRUE(uninstallApp("mail", false, folders).empty()) << "without --purge, nothing of an uninstalled name";
    EXPECT_TRUE(hasData("mail"));

    auto removed = uninstallApp("mail", true, folders);
    EXPECT_EQ(removed, (std::vector<std::string> { folders.config + "/quillane/apps/mail", folders.data + "/quillane/apps/mail",
                           folders.cache + "/quillane/apps/mail" }));
    EXPECT_FALSE(hasData("mail"));
    EXPECT_TRUE(hasData("chat")) << "another application's";
    EXPECT_TRUE(hasData("")) << "the default Quillane's";

    EXPECT_TRUE(uninstallApp("mail", true, folders).empty()) << "nothing left the second time";
}

TEST_F(UninstallingFromFolders, ANameThatIsNoNameTouchesNothing)
{
    makeData("");
    for (const char* name : { "", "..", "../..", "a/b", "." })
        EXPECT_TRUE(uninstallApp(name, true, folders).empty()) << name;
    EXPECT_TRUE(hasData(""));
}

TEST_F(UninstallingFromFolders, OnlyTheFoldersThereAreRemovedAndNamed)
{
    std::filesystem::create_directories(folders.cache + "/quillane/apps/mail");
    EXPECT_EQ(uninstallApp("mail", true, folders), std::vector<std::string> { folders.cache + "/quillane/apps/mail" });
}
