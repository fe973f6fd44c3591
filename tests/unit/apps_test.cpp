// Applications of their own: their names, and what uninstalling takes away.
#include "apps/app_names.h"
#include "apps/install_from_page.h"
#include "apps/installed_apps.h"
#include "apps/web_app_manifest.h"
#include "platform/desktop.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace quillane;
namespace fs = std::filesystem;

TEST(AppNames, LettersDigitsHyphensAndUnderscoresUpToSixtyFour)
{
    for (std::string_view name : { "a", "my-mail_2", "-", "2fa" })
        EXPECT_TRUE(appIdentity(name)) << name;
    EXPECT_TRUE(appIdentity(std::string(64, 'a')));
    EXPECT_FALSE(appIdentity(std::string(65, 'a')));
    for (std::string_view name : { "", "a/b", "..", "a b", "caf\xc3\xa9", "x.y", "a\nb" })
        EXPECT_FALSE(appIdentity(name)) << name;
}

TEST(AppNames, TheWordsForANameThatWillNotDoAndForAnInstalledOne)
{
    EXPECT_EQ(notAnAppName("My App"), "\u201cMy App\u201d is not a name for an application: use letters, digits, - and _ (at most 64)");
    EXPECT_EQ(installedNote("Team-Mail", true), "Installed \u201cTeam-Mail\u201d: it is among the desktop's applications, and its window is opening.");
    EXPECT_EQ(installedNote("Team-Mail", false), "Installed \u201cTeam-Mail\u201d: it is among the desktop's applications, but its window could not be opened.");
}

TEST(AppNames, EachNameHasItsOwnClassEntryAndFolders)
{
    auto mail = appIdentity("my-mail_2");
    ASSERT_TRUE(mail);
    EXPECT_EQ(mail->windowClass, "Quillane-my-mail_2");
    EXPECT_EQ(mail->desktopEntryName, "org.quillane.Quillane.my-mail_2.desktop");
    EXPECT_EQ(mail->folderUnder("/home/u/.config"), "/home/u/.config/quillane/apps/my-mail_2");
    EXPECT_EQ(appIdentity("2fa")->desktopEntryName, "org.quillane.Quillane.2fa.desktop");
    EXPECT_NE(appIdentity("my-mail")->windowClass, appIdentity("my_mail")->windowClass) << "names that differ in - and _ stay apart";
}

TEST(AppNames, AnyTextMakesANameOfAtMostForty)
{
    const std::pair<std::string, std::string> cases[] = {
        { "My Mail", "My-Mail" },
        { "a  -  b!", "a-b" },
        { "../../etc/passwd", "etc-passwd" },
        { "\xe2\x9c\x89 Post", "Post" },
        { "", "web-app" },
        { "!?", "web-app" },
        { std::string(40, 'a'), std::string(40, 'a') },
        { std::string(41, 'a'), std::string(40, 'a') },
        { std::string(39, 'a') + " b", std::string(39, 'a') },
    };
    for (const auto& [text, name] : cases) {
        EXPECT_EQ(appNameFor(text), name) << text;
        EXPECT_TRUE(appIdentity(appNameFor(text))) << text;
    }
}

namespace {
class Uninstalling : public ::testing::Test {
protected:
    static std::string make(const fs::path& file)
    {
        fs::create_directories(file.parent_path());
        std::ofstream(file) << "kept";
        return file;
    }
    static std::string folderOf(const std::string& base, const std::string& name) { return base + "/quillane/apps/" + name; }
    platform::UserFolders folders = platform::userFolders();
};
} // namespace

TEST_F(Uninstalling, TakesTheEntryAndIconAndWithPurgeOnlyTheApplicationsOwnFolders)
{
    const fs::path outside = folders.data + "/../outside";
    const std::string target = make(outside / "target.txt");
    const std::string ownPreferences = make(folders.config + "/quillane/preferences.ini");
    const std::string sibling = make(folderOf(folders.data, "mail-kept") + "/kept.txt");
    ASSERT_EQ(installApp("mail", "https://mail.example/"), std::nullopt);
    // The icon is a link to a file of the person's; one folder is a link out, another holds one.
    const std::string icon = folders.data + "/icons/hicolor/256x256/apps/org.quillane.Quillane.mail.png";
    fs::create_directories(fs::path(icon).parent_path());
    fs::create_symlink(target, icon);
    fs::create_directories(folders.cache + "/quillane/apps");
    fs::create_directory_symlink(outside, folderOf(folders.cache, "mail"));
    fs::create_directories(folderOf(folders.data, "mail"));
    fs::create_directory_symlink(outside, folderOf(folders.data, "mail") + "/out");

    const std::string entry = folders.data + "/applications/org.quillane.Quillane.mail.desktop";
    EXPECT_EQ(uninstallApp("mail", false), (std::vector<std::string> { entry, icon }));
    EXPECT_FALSE(fs::exists(fs::symlink_status(icon)));
    EXPECT_TRUE(fs::exists(folderOf(folders.config, "mail") + "/preferences.ini")) << "kept without --purge";
    EXPECT_TRUE(uninstallApp("mail", false).empty()) << "no longer installed, and nothing more without --purge";

    ASSERT_EQ(installApp("mail", "https://mail.example/"), std::nullopt);
    // This time the entry is itself a link: the link goes, what it points to stays.
    const std::string linkedEntry = outside / "entry.desktop";
    fs::rename(entry, linkedEntry);
    fs::create_symlink(linkedEntry, entry);
    EXPECT_EQ(uninstallApp("mail", true),
        (std::vector<std::string> { entry, folderOf(folders.config, "mail"), folderOf(folders.data, "mail"), folderOf(folders.cache, "mail") }));
    for (const auto& base : { folders.config, folders.data, folders.cache })
        EXPECT_FALSE(fs::exists(folderOf(base, "mail"))) << base;
    EXPECT_FALSE(fs::exists(fs::symlink_status(entry)));
    for (const auto& kept : { target, ownPreferences, sibling, linkedEntry })
        EXPECT_TRUE(fs::exists(kept)) << kept;
}
