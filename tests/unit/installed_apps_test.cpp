// Removing an application of its own: its entry, and with --purge its data, also when the entry has
// gone already.
#include "apps/installed_apps.h"

#include <gtest/gtest.h>

#include <glib.h>

#include <filesystem>
#include <fstream>

using namespace quillane;

namespace {
class Uninstalling : public ::testing::Test {
protected:
    Uninstalling()
    {
        std::string made = std::string(testing::TempDir()) + "/uninstall-XXXXXX";
        m_base = g_mkdtemp(made.data()) ? made : "";
        folders = { m_base + "/config", m_base + "/data", m_base + "/cache" };
    }
    ~Uninstalling() override
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

TEST_F(Uninstalling, PurgingANameWhoseEntryHasGoneRemovesItsDataAndNothingElse)
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

TEST_F(Uninstalling, ANameThatIsNoNameTouchesNothing)
{
    makeData("");
    for (const char* name : { "", "..", "../..", "a/b", "." })
        EXPECT_TRUE(uninstallApp(name, true, folders).empty()) << name;
    EXPECT_TRUE(hasData(""));
}

TEST_F(Uninstalling, OnlyTheFoldersThereAreRemovedAndNamed)
{
    std::filesystem::create_directories(folders.cache + "/quillane/apps/mail");
    EXPECT_EQ(uninstallApp("mail", true, folders), std::vector<std::string> { folders.cache + "/quillane/apps/mail" });
}
