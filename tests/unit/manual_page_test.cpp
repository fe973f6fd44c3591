// The manual page and --help say the same, and what they list is what the command line takes.
#include "apps/app_names.h"
#include "launch/command_line.h"
#include "names.h"
#include "platform/preferences.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::vector<std::string> manualPageLines()
{
    std::ifstream file(std::string(QUILLANE_SOURCE_DIR) + "/data/quillane.1");
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

// The words of one line of the page as man shows them: "\-" is a hyphen, "\:" a place to break a
// line; .B and .I set their arguments apart by spaces, the alternating fonts (.BR, .IR, …) run
// them together; quotes keep spaces.
std::string shown(std::string line)
{
    for (std::size_t at; (at = line.find("\\-")) != std::string::npos;)
        line.replace(at, 2, "-");
    for (std::size_t at; (at = line.find("\\:")) != std::string::npos;)
        line.erase(at, 2);
    if (line.empty() || line.front() != '.')
        return line;
    const std::size_t macroEnd = std::min(line.find(' '), line.size());
    const bool oneFont = macroEnd == 2;
    std::vector<std::string> arguments(1);
    bool quoted = false;
    for (char c : line.substr(macroEnd)) {
        if (c == '"')
            quoted = !quoted;
        else if (c != ' ' || quoted)
            arguments.back() += c;
        else if (!arguments.back().empty())
            arguments.emplace_back();
    }
    std::string text;
    for (const auto& argument : arguments)
        text += (oneFont && !text.empty() && !argument.empty() ? " " : "") + argument;
    return text;
}

// The lines of a section, up to the next one.
std::vector<std::string> section(const std::vector<std::string>& lines, const std::string& name)
{
    std::vector<std::string> found;
    auto line = std::find(lines.begin(), lines.end(), ".SH " + name);
    for (++line; line < lines.end() && line->rfind(".SH ", 0) != 0; ++line)
        found.push_back(*line);
    return found;
}

// The synopsis, one form a line as man shows it ("quillane --probe FILE").
std::vector<std::string> manualSynopsis()
{
    std::vector<std::string> forms(1);
    for (const auto& line : section(manualPageLines(), "SYNOPSIS")) {
        if (line == ".br") {
            forms.emplace_back();
            continue;
        }
        forms.back() += (forms.back().empty() ? "" : " ") + shown(line);
    }
    return forms;
}

// Each entry of the options' list: the option and its arguments ("--app NAME").
std::vector<std::string> manualOptions()
{
    auto lines = section(manualPageLines(), "OPTIONS");
    std::vector<std::string> options;
    for (std::size_t index = 0; index + 1 < lines.size(); ++index) {
        if (lines[index] == ".TP")
            options.push_back(shown(lines[index + 1]));
    }
    return options;
}

std::vector<std::string> usageLines()
{
    std::istringstream text(quillane::usageText());
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> usageSynopsis()
{
    std::vector<std::string> forms;
    for (auto line : usageLines()) {
        if (line.rfind("Usage: ", 0) == 0)
            line.erase(0, 7);
        else if (line.rfind("       quillane", 0) == 0)
            line.erase(0, 7);
        else
            continue;
        if (auto ellipsis = line.find("\u2026"); ellipsis != std::string::npos)
            line.replace(ellipsis, std::string("\u2026").size(), "...");
        forms.push_back(line);
    }
    return forms;
}

// "  --install NAME ADDRESS  install NAME …": the part before the gap.
std::vector<std::string> usageOptions()
{
    std::vector<std::string> options;
    for (const auto& line : usageLines()) {
        if (line.rfind("  --", 0) == 0)
            options.push_back(line.substr(2, line.find("  ", 2) - 2));
    }
    return options;
}

// Whether the command line takes these words as a request of one kind or another.
bool managesApps(const std::vector<std::string>& arguments)
{
    auto request = quillane::appManagementFrom(arguments);
    return request && request->kind != quillane::AppManagementRequest::Kind::unusable;
}

bool understood(const std::vector<std::string>& arguments)
{
    using namespace quillane;
    return managesApps(arguments) || informationRequestFrom(arguments) != InformationRequest::none
        || (arguments.size() == 3 && (probeFileFrom(arguments) == arguments[2] || appNameFrom(arguments) == arguments[2]));
}

} // namespace

TEST(ManualPage, SynopsisAndOptionsAreThoseOfHelp)
{
    auto options = manualOptions();
    EXPECT_EQ(options.size(), 8u) << ::testing::PrintToString(options);
    EXPECT_EQ(options, usageOptions());
    auto synopsis = manualSynopsis();
    EXPECT_EQ(synopsis.size(), 6u) << ::testing::PrintToString(synopsis);
    EXPECT_EQ(synopsis, usageSynopsis());
}

TEST(ManualPage, EveryOptionListedIsOneTheCommandLineTakesWithTheArgumentsNamed)
{
    std::vector<std::string> forms;
    // "--help, -h": each form on its own.
    for (const auto& option : manualOptions()) {
        std::size_t start = 0;
        for (std::size_t comma; (comma = option.find(", ", start)) != std::string::npos; start = comma + 2)
            forms.push_back(option.substr(start, comma - start));
        forms.push_back(option.substr(start));
    }
    EXPECT_EQ(forms.size(), 9u) << ::testing::PrintToString(forms);
    for (const auto& option : forms) {
        SCOPED_TRACE(option);
        std::vector<std::string> arguments { "quillane" };
        // --purge only ends an --uninstall.
        if (option == "--purge")
            arguments.insert(arguments.end(), { "--uninstall", "NAME" });
        std::istringstream words(option);
        for (std::string word; words >> word;)
            arguments.push_back(word);
        EXPECT_TRUE(understood(arguments)) << ::testing::PrintToString(arguments);
        // Managing applications takes no fewer arguments than the page names.
        if (managesApps(arguments) && option != "--purge") {
            arguments.pop_back();
            EXPECT_FALSE(managesApps(arguments)) << ::testing::PrintToString(arguments);
        }
    }
}

TEST(ManualPage, NamesTheFilesAnInstalledApplicationHas)
{
    std::string files;
    for (const auto& line : section(manualPageLines(), "FILES"))
        files += shown(line) + "\n";
    auto app = quillane::appIdentity("NAME");
    ASSERT_TRUE(app);
    std::vector<std::string> paths {
        quillane::platform::Preferences(app->folderUnder("$XDG_CONFIG_HOME")).path(),
        app->folderUnder("$XDG_DATA_HOME") + "/",
        app->folderUnder("$XDG_CACHE_HOME") + "/",
        "$XDG_DATA_HOME/applications/" + app->desktopEntryName,
        "$XDG_DATA_HOME/icons/hicolor/256x256/apps/" + app->iconName + ".png",
        std::string("/usr/share/applications/") + quillane::names::applicationId + ".desktop",
    };
    for (const auto& path : paths)
        EXPECT_NE(files.find(path + "\n"), std::string::npos) << path << " in\n" << files;
}
