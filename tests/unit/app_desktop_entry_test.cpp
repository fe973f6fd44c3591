// What an application's desktop entry says of its shortcuts, the links it handles and its colours.
#include "apps/app_desktop_entry.h"
#include "apps/app_extras.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <algorithm>

using namespace quillane;

namespace {
using Keys = std::vector<std::pair<std::string, std::string>>;

std::string valueOf(const Keys& keys, const std::string& key)
{
    auto found = std::find_if(keys.begin(), keys.end(), [&](const auto& each) { return each.first == key; });
    return found == keys.end() ? "(none)" : found->second;
}

// What a launcher passes the program for an Exec line: the shell's unquoting, which is what a
// desktop entry's quoting asks for, then %% as %.
std::vector<std::string> launched(const std::string& exec)
{
    char** argv = nullptr;
    std::vector<std::string> arguments;
    if (!g_shell_parse_argv(exec.c_str(), nullptr, &argv, nullptr))
        return arguments;
    for (char** each = argv; *each; ++each) {
        std::string argument = *each;
        for (std::size_t at = argument.find("%%"); at != std::string::npos; at = argument.find("%%", at + 1))
            argument.erase(at, 1);
        arguments.push_back(argument);
    }
    g_strfreev(argv);
    return arguments;
}
} // namespace

TEST(AppDesktopEntry, AnyAddressIsOneQuotedArgumentOfTheExecLine)
{
    EXPECT_EQ(execArgument("https://mail.example/compose?a=1&b=2"), "\"https://mail.example/compose?a=1&b=2\"");
    EXPECT_EQ(execArgument("https://mail.example/%20"), "\"https://mail.example/%%20\"") << "percent signs are not field codes";
    EXPECT_EQ(execArgument("a\"b`c$d\\e"), "\"a\\\"b\\`c\\$d\\\\e\"");
    for (const char* text : { "https://mail.example/compose?to=x%40y&z=%25u", "https://mail.example/a;b|c>d<e~f*g#h(i)'j", "$HOME `id` \\\" %f %u", "" })
        EXPECT_EQ(launched("quillane --app mail " + execArgument(text)), (std::vector<std::string> { "quillane", "--app", "mail", text })) << text;
}

TEST(AppDesktopEntry, ShortcutsBecomeActionsAndHandlersClaimTheirSchemes)
{
    Keys keys { { "Type", "Application" }, { "Exec", "quillane --app mail" } };
    std::vector<platform::DesktopEntryGroup> groups;
    addLinks("mail", { { "Compose", "https://mail.example/compose?x=%41", "org.quillane.Quillane.mail.shortcut-1" }, { "Inbox", "https://mail.example/in", std::nullopt } },
        { { "mailto", "https://mail.example/c?to=%s" }, { "web+notes", "https://mail.example/n/%s" } }, keys, groups);
    EXPECT_EQ(valueOf(keys, "Exec"), "quillane --app mail %u") << "a handed link comes last";
    EXPECT_EQ(valueOf(keys, "Actions"), "shortcut-1;shortcut-2;");
    EXPECT_EQ(valueOf(keys, "MimeType"), "x-scheme-handler/mailto;x-scheme-handler/web+notes;");
    EXPECT_EQ(valueOf(keys, "X-Quillane-Handler-mailto"), "https://mail.example/c?to=%s");
    EXPECT_EQ(valueOf(keys, "X-Quillane-Handler-web-notes"), "https://mail.example/n/%s");
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].name, "Desktop Action shortcut-1");
    EXPECT_EQ(groups[0].keys, (Keys { { "Name", "Compose" }, { "Exec", "quillane --app mail \"https://mail.example/compose?x=%%41\"" },
                                  { "Icon", "org.quillane.Quillane.mail.shortcut-1" } }));
    EXPECT_EQ(groups[1].keys, (Keys { { "Name", "Inbox" }, { "Exec", "quillane --app mail \"https://mail.example/in\"" } })) << "no icon fetched, none named";

    Keys plain { { "Exec", "quillane --app mail" } };
    groups.clear();
    addLinks("mail", {}, {}, plain, groups);
    EXPECT_EQ(plain, (Keys { { "Exec", "quillane --app mail" } })) << "nothing added, and no %u, for an application without either";
    EXPECT_TRUE(groups.empty());
}

TEST(AppDesktopEntry, ColoursAreKeptAsHexadecimalText)
{
    EXPECT_EQ(cssText({ 0, 0, 0, 1 }), "#000000");
    EXPECT_EQ(cssText({ 1, 1, 1, 1 }), "#ffffff");
    EXPECT_EQ(cssText({ 0.2, 0.4, 0.6, 1 }), "#336699");
    EXPECT_EQ(cssText({ 0.5 / 255, 1.49 / 255, 254.5 / 255, 1 }), "#0101ff") << "rounded to the nearest";
    EXPECT_EQ(cssText({ -0.5, 1.5, 0, 0.3 }), "#00ff00") << "past either end, the end; alpha left out";
    auto back = platform::cssColour(cssText({ 0.2, 0.4, 0.6, 1 }));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, (platform::Colour { 0.2, 0.4, 0.6, 1 }));
}
