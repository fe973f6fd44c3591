// The Debian package and the desktop metadata it installs.
#include "harness.h"
#include "http_server.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sstream>

#include <unistd.h>

using namespace quillane::testing;

namespace {
const std::string sourceData = std::string(QUILLANE_SOURCE_DIR) + "/data/";

// Removes the package whatever the test's outcome, so no other test meets an installed Quillane.
struct InstalledPackage {
    ~InstalledPackage()
    {
        if (std::system("dpkg -r quillane >/dev/null 2>&1") != 0)
            std::fprintf(stderr, "could not remove the quillane package\n");
    }
};
} // namespace

TEST(Package, TheDesktopMetadataValidates)
{
    DisplaySession session;
    int status = -1;
    std::string said = session.run({ "appstreamcli", "validate", "--no-net", sourceData + "org.quillane.Quillane.metainfo.xml" }, &status);
    EXPECT_EQ(status, 0) << said;
    said = session.run({ "desktop-file-validate", sourceData + "org.quillane.Quillane.desktop" }, &status);
    EXPECT_EQ(status, 0) << said;
}

TEST(Package, TheDebianPackageInstallsAWorkingQuillane)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "installing a package needs root";
    DisplaySession session;
    HttpServer server;
    server.serve("/page.html", "<body style='background: rgb(0, 160, 0)'>installed</body>");
    std::string packages = session.folder() + "/packages";
    int status = -1;
    session.run({ "cpack", "-G", "DEB", "-B", packages, "--config", std::string(QUILLANE_BUILD_DIR) + "/CPackConfig.cmake" }, &status);
    ASSERT_EQ(status, 0);
    std::string package;
    for (const auto& entry : std::filesystem::directory_iterator(packages)) {
        if (entry.path().extension() == ".deb")
            package = entry.path();
    }
    ASSERT_FALSE(package.empty());

    InstalledPackage installed;
    std::string said = session.run({ "sh", "-c", "dpkg -i '" + package + "' 2>&1" }, &status);
    ASSERT_EQ(status, 0) << said;
    ASSERT_TRUE(std::filesystem::exists("/usr/bin/quillane"));

    std::string report = session.folder() + "/report.txt";
    auto probe = session.start({ "/usr/bin/quillane", "--probe", report });
    ASSERT_EQ(probe->waitForExit(std::chrono::seconds(20)), 0);
    std::string text = readFile(report);
    EXPECT_EQ(text.rfind("page: {", 0), 0u) << text;
    EXPECT_NE(text.find("claimed in Info.plist true"), std::string::npos) << text;

    std::string link = "quillane://open?url=" + std::string("http%3A%2F%2F127.0.0.1%3A") + std::to_string(server.port()) + "%2Fpage.html";
    auto opener = session.start({ "gio", "open", link });
    EXPECT_EQ(opener->waitForExit(std::chrono::seconds(10)), 0);
    auto window = session.waitForWindow();
    ASSERT_TRUE(window);
    EXPECT_TRUE(waitUntil([&] { return server.timesRequested("/page.html") == 1; }));
    std::string pid = session.run({ "xdotool", "getwindowpid", std::to_string(*window) });
    if (int number = std::atoi(pid.c_str()); number > 0)
        kill(number, SIGTERM);
    EXPECT_TRUE(waitUntil([&] { return !session.waitForWindow("Quillane", std::chrono::milliseconds(0)); }));

    said = session.run({ "sh", "-c", "dpkg -r quillane 2>&1" }, &status);
    EXPECT_EQ(status, 0) << said;
    EXPECT_FALSE(std::filesystem::exists("/usr/bin/quillane"));
}
