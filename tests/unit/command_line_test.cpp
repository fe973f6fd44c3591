#include "apps/app_names.h"
#include "apps/app_management.h"
#include "launch/command_line.h"
#include "page/address_rules.h"
#include "platform/desktop.h"

#include <glib.h>
#include <gtest/gtest.h>

using quillane::linksFrom;
using quillane::probeFileFrom;

TEST(CommandLine, ProbeFileIsTheArgumentAfterTheFirstExactProbe)
{
    struct Case {
        std::vector<std::string> arguments;
        std::optional<std::string> probeFile;
    };
    const Case cases[] = {
        { { "quillane" }, std::nullopt },
        { {}, std::nullopt },
        { { "quillane", "--probe" }, std::nullopt },
        { { "quillane", "--probe", "out.txt" }, "out.txt" },
        { { "quillane", "--probe", "--probe", "out.txt" }, "--probe" },
        { { "quillane", "--probe=out.txt" }, std::nullopt },
        { { "quillane", "--PROBE", "out.txt" }, std::nullopt },
        { { "quillane", "--prober", "out.txt" }, std::nullopt },
        { { "quillane", "--probe", "a.txt", "--probe", "b.txt" }, "a.txt" },
        { { "quillane", "other", "--probe", "-x" }, "-x" },
        { { "quillane", "--probe", "" }, "" },
        // The search starts at the program's own path.
        { { "--probe", "report.txt" }, "report.txt" },
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(::testing::PrintToString(test.arguments));
        EXPECT_EQ(probeFileFrom(test.arguments), test.probeFile);
    }
}

TEST(CommandLine, LinksAreTheArgumentsThatAreNotOptions)
{
    EXPECT_EQ(linksFrom({ "quillane" }), std::vector<std::string> {});
    EXPECT_EQ(linksFrom({ "quillane", "quillane://open?url=https%3A%2F%2Fexample.com", "--verbose", "-", "", "second" }),
        (std::vector<std::string> { "quillane://open?url=https%3A%2F%2Fexample.com", "second" }));
    // The program's own path is never a link, whatever it looks like.
    EXPECT_EQ(linksFrom({ "quillane://open?url=x" }), std::vector<std::string> {});
}

TEST(CommandLine, ArgumentsThatLookLikeOptionsButAreNoneAreNamed)
{
    using Arguments = std::vector<std::string>;
    const std::pair<Arguments, Arguments> cases[] = {
        { { "quillane", "--bogus", "example.org", "-x" }, { "--bogus", "-x" } },
        { { "quillane", "--app", "-mail", "--apps", "--purge", "-h" }, { "--apps", "--purge", "-h" } },
        { { "quillane", "example.org", "--help" }, { "--help" } },
        { { "quillane", "--probe", "--out", "--Probe" }, { "--Probe" } },
        { { "quillane", "-", "--app" }, {} },
        { { "-quillane-path" }, {} },
    };
    for (const auto& [arguments, unknown] : cases)
        EXPECT_EQ(quillane::unknownOptionsIn(arguments), unknown) << arguments.size();
}

TEST(CommandLine, LinksThatARunLeavesAloneAreNamedForTheApplicationItIs)
{
    // The application "mail" takes mailto: links and no others.
    auto handlerFor = [](const std::string& scheme) -> std::optional<std::string> {
        return scheme == "mailto" ? std::optional<std::string>("https://mail.example/?to=%s") : std::nullopt;
    };
    const std::string neither = "\u201chello world\u201d is neither a web address nor a quillane: link, and is left alone";
    const struct {
        std::vector<std::string> arguments;
        std::vector<std::string> lines;
    } cases[] = {
        { { "quillane", "example.org", "quillane://open?url=https%3A%2F%2Fexample.org", "hello world" }, { neither } },
        { { "quillane", "irc://irc.example.org/chan" }, { "\u201circ://irc.example.org/chan\u201d is neither a web address nor a quillane: link, and is left alone" } },
        { { "quillane", "--app", "mail", "mailto:a@example.org", "https://example.org/" }, {} },
        { { "quillane", "--app", "mail", "irc://irc.example.org/chan", "quillane://open?url=javascript%3Ax", "https://example.org/" },
            { "\u201circ://irc.example.org/chan\u201d is no page that \u201cmail\u201d opens (an http or https address, a quillane: link to one, or a link of "
              "a scheme it takes), and is left alone",
                "\u201cquillane://open?url=javascript%3Ax\u201d is no page that \u201cmail\u201d opens (an http or https address, a quillane: link to one, "
                "or a link of a scheme it takes), and is left alone" } },
        { { "quillane", "--app", "mail" }, {} },
    };
    for (const auto& [arguments, lines] : cases)
        EXPECT_EQ(quillane::linksLeftAlone(arguments, handlerFor), lines) << arguments.back();
}

TEST(CommandLine, VersionAndHelpOnlyAsTheSoleArgument)
{
    using quillane::InformationRequest;
    using quillane::informationRequestFrom;
    EXPECT_EQ(informationRequestFrom({ "quillane", "--version" }), InformationRequest::version);
    EXPECT_EQ(informationRequestFrom({ "quillane", "--help" }), InformationRequest::help);
    EXPECT_EQ(informationRequestFrom({ "quillane", "-h" }), InformationRequest::help);
    EXPECT_EQ(informationRequestFrom({ "quillane" }), InformationRequest::none);
    EXPECT_EQ(informationRequestFrom({ "quillane", "--help", "x" }), InformationRequest::none);
    EXPECT_EQ(informationRequestFrom({ "quillane", "--probe", "--version" }), InformationRequest::none);
    EXPECT_EQ(informationRequestFrom({ "quillane", "--VERSION" }), InformationRequest::none);
    EXPECT_EQ(probeFileFrom({ "quillane", "--probe", "--help" }), "--help") << "the probe rule is unchanged";
    EXPECT_EQ(quillane::versionText().rfind("Quillane ", 0), 0u);
}

TEST(Applications, TheNameAfterAppIsNoLinkAndManagingAppsIsNoRun)
{
    using quillane::AppManagementRequest;
    const std::vector<std::string> run { "quillane", "--app", "mail", "quillane://open?url=x" };
    EXPECT_EQ(quillane::appNameFrom(run), "mail");
    EXPECT_EQ(quillane::linksFrom(run), std::vector<std::string> { "quillane://open?url=x" });
    EXPECT_FALSE(quillane::appManagementFrom(run));
    auto install = quillane::appManagementFrom({ "quillane", "--install", "mail", "example.com" });
    ASSERT_TRUE(install);
    EXPECT_EQ(install->kind, AppManagementRequest::Kind::install);
    EXPECT_EQ(install->address, "example.com");
    auto purge = quillane::appManagementFrom({ "quillane", "--uninstall", "mail", "--purge" });
    ASSERT_TRUE(purge);
    EXPECT_TRUE(purge->purge);
    EXPECT_EQ(quillane::appManagementFrom({ "quillane", "--install", "mail" })->kind, AppManagementRequest::Kind::unusable);
    // Anything after the name but --purge is a mistake, and nothing is taken away for it.
    const std::pair<std::vector<std::string>, AppManagementRequest::Kind> uninstalls[] = {
        { { "quillane", "--uninstall", "mail" }, AppManagementRequest::Kind::uninstall },
        { { "quillane", "--uninstall" }, AppManagementRequest::Kind::unusable },
        { { "quillane", "--uninstall", "mail", "--purged" }, AppManagementRequest::Kind::unusable },
        { { "quillane", "--uninstall", "mail", "notes" }, AppManagementRequest::Kind::unusable },
        { { "quillane", "--uninstall", "mail", "--purge", "notes" }, AppManagementRequest::Kind::unusable },
        { { "quillane", "--apps", "mail" }, AppManagementRequest::Kind::unusable },
    };
    for (const auto& [arguments, kind] : uninstalls)
        EXPECT_EQ(quillane::appManagementFrom(arguments)->kind, kind) << ::testing::PrintToString(arguments);
}

TEST(Applications, InstallingAnythingButAWebPageIsRefusedBeforeAnythingIsWritten)
{
    using Kind = quillane::AppManagementRequest::Kind;
    for (const char* address : { "javascript://x%0Aalert(1)", "file:///etc/passwd", "quillane://open?url=https%3A%2F%2Fexample.com", "about:blank" })
        EXPECT_EQ(quillane::manageApps({ Kind::install, "page", address, false }), 2) << address;
    auto folders = quillane::platform::userFolders();
    EXPECT_FALSE(g_file_test((folders.data + "/applications/org.quillane.Quillane.page.desktop").c_str(), G_FILE_TEST_EXISTS));
    EXPECT_FALSE(g_file_test((folders.config + "/quillane/apps/page").c_str(), G_FILE_TEST_EXISTS));
}

TEST(CommandLine, AnAddressOpensAsTheQuillaneLinkForItAndAnythingElseIsNone)
{
    using quillane::linkFor;
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        { "https://example.org/a?b=c&d=e#f", "quillane://open?url=https%3A%2F%2Fexample.org%2Fa%3Fb%3Dc%26d%3De%23f" },
        { "http://127.0.0.1:8080/", "quillane://open?url=http%3A%2F%2F127.0.0.1%3A8080%2F" },
        { "example.org", "quillane://open?url=https%3A%2F%2Fexample.org" },
        { "localhost:3000", "quillane://open?url=http%3A%2F%2Flocalhost%3A3000" },
        { "a+b.example/x y", std::nullopt },
        { "quillane://open?url=https%3A%2F%2Fexample.com", "quillane://open?url=https%3A%2F%2Fexample.com" },
        { "QUILLANE://open?url=x", "QUILLANE://open?url=x" },
        { "hello world", std::nullopt },
        { "ftp://example.org/", std::nullopt },
        { "file:///etc/passwd", std::nullopt },
        { "javascript:alert(1)", std::nullopt },
        { "https://", std::nullopt },
        { "", std::nullopt },
    };
    for (const auto& [argument, expected] : cases)
        EXPECT_EQ(linkFor(argument), expected) << argument;
    // What the running program makes of the link is the address given.
    auto link = quillane::platform::URL::parse(*linkFor("https://example.org/a?b=c+d&e=%41"));
    ASSERT_TRUE(link);
    EXPECT_EQ(quillane::page(*link)->absoluteString(), "https://example.org/a?b=c+d&e=%41");
}
