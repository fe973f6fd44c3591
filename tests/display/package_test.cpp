// The Debian package and the desktop metadata it installs.
#include "harness.h"
#include "http_server.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <iostream>
#include <sstream>

#include <glib.h>
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

struct TemporaryFolder {
    std::string path;
    TemporaryFolder()
    {
        char* made = g_dir_make_tmp("quillane-package-XXXXXX", nullptr);
        path = made ? made : "";
        g_free(made);
    }
    ~TemporaryFolder()
    {
        std::error_code error;
        if (!path.empty())
            std::filesystem::remove_all(path, error);
    }
};

// Runs a command without a display; what it wrote to standard output and standard error.
std::string runCommand(const std::vector<std::string>& argv, int* exitStatus)
{
    std::vector<char*> args;
    for (const auto& argument : argv)
        args.push_back(const_cast<char*>(argument.c_str()));
    args.push_back(nullptr);
    char* output = nullptr;
    char* errors = nullptr;
    int status = 0;
    bool ran = g_spawn_sync(nullptr, args.data(), nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr, &output, &errors, &status, nullptr);
    std::string said = std::string(output ? output : "") + (errors ? errors : "");
    g_free(output);
    g_free(errors);
    *exitStatus = ran && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return said;
}

// Makes the package in the folder with cpack, as a packager does; its path, or "" with what went
// wrong. cpack first brings the build folder up to date, so one at a time: two makes in one folder
// would trip over each other.
std::string buildPackage(const std::string& folder, std::string* said)
{
    int status = -1;
    *said = runCommand({ "flock", std::string(QUILLANE_BUILD_DIR) + "/.cpack.lock", "cpack", "-G", "DEB", "-B", folder, "--config",
                           std::string(QUILLANE_BUILD_DIR) + "/CPackConfig.cmake" },
        &status);
    if (status != 0)
        return "";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".deb")
            return entry.path();
    }
    return "";
}
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
    std::string said;
    std::string package = buildPackage(session.folder() + "/packages", &said);
    ASSERT_FALSE(package.empty()) << said;
    int status = -1;

    InstalledPackage installed;
    said = session.run({ "sh", "-c", "dpkg -i '" + package + "' 2>&1" }, &status);
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

// What lintian checks: the copyright file, the changelog, the description, compressed manual pages,
// stripped programs, and the hardening it can see (fortified calls, bind-now, PIE, read-only
// relocations). Warnings and notes are shown but only errors and hardening fail the test.
TEST(Package, LintianFindsNoErrorsAndTheProgramsAreHardened)
{
    TemporaryFolder folder;
    ASSERT_FALSE(folder.path.empty());
    std::string said;
    std::string package = buildPackage(folder.path + "/packages", &said);
    ASSERT_FALSE(package.empty()) << said;

    int status = -1;
    said = runCommand({ "lintian", "--fail-on", "error", "--display-info", "--no-tag-display-limit", package }, &status);
    EXPECT_EQ(status, 0) << said;
    std::istringstream lines(said);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_NE(line.rfind("E: ", 0), 0u) << line;
        EXPECT_EQ(line.find("hardening-"), std::string::npos) << line;
    }
    std::cout << said;

    // The stack protector, which lintian does not look for.
    std::string unpacked = folder.path + "/unpacked";
    runCommand({ "dpkg-deb", "-x", package, unpacked }, &status);
    ASSERT_EQ(status, 0);
    for (const char* program : { "/usr/bin/quillane", "/usr/libexec/quillane/image-decoder" }) {
        said = runCommand({ "readelf", "--wide", "--dyn-syms", unpacked + program }, &status);
        EXPECT_NE(said.find("__stack_chk_fail"), std::string::npos) << program;
    }
    // The build folder's own program keeps its symbols, for debuggers and sanitizer reports.
    said = runCommand({ "readelf", "--wide", "--sections", QUILLANE_BINARY }, &status);
    EXPECT_NE(said.find(".symtab"), std::string::npos);

    // The libraries it links, and the programs and data the web engine and the icons need at run time.
    said = runCommand({ "dpkg-deb", "--field", package, "Depends" }, &status);
    for (const char* dependency : { "libwebkit2gtk-4.1-0", "libgtk-3-0", "libglib2.0-0", "libc6", "bubblewrap", "xdg-dbus-proxy", "shared-mime-info", "librsvg2-common" })
        EXPECT_NE(said.find(dependency), std::string::npos) << dependency << " in " << said;
    // The description as written, with no markup of another format in it.
    said = runCommand({ "dpkg-deb", "--field", package, "Description" }, &status);
    EXPECT_EQ(said.find("&"), std::string::npos) << said;
}
