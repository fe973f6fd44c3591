// The application's commands: one table for the menu bar, the keys and the page's context menu.
#include "menus/command_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

using namespace quillane;

namespace {
// The letter after the one "_" that marks a label's access key, in lower case; 0 when there is not
// exactly one.
char accessKey(const std::string& label)
{
    char key = 0;
    int marks = 0;
    for (std::size_t index = 0; index + 1 < label.size(); ++index) {
        if (label[index] != '_')
            continue;
        ++marks;
        key = char(std::tolower(static_cast<unsigned char>(label[++index])));
    }
    return marks == 1 && std::isalnum(static_cast<unsigned char>(key)) ? key : 0;
}

const CommandDefinition* definitionOf(const std::string& name)
{
    for (const auto& defined : commandDefinitions()) {
        if (defined.name == name)
            return &defined;
    }
    return nullptr;
}
} // namespace

TEST(CommandTable, NamesAndKeysAreEachTakenOnce)
{
    std::set<std::string> names, keys;
    for (const auto& defined : commandDefinitions()) {
        EXPECT_TRUE(names.insert(defined.name).second) << defined.name;
        for (const auto& accelerator : defined.accelerators)
            EXPECT_TRUE(keys.insert(accelerator).second) << accelerator << " of " << defined.name;
    }
}

TEST(CommandTable, TheMenuBarAndTheContextMenuNameOnlyCommandsThatExist)
{
    std::vector<std::string> titles;
    for (const auto& menu : menuBar()) {
        titles.push_back(platform::withoutMnemonic(menu.title));
        for (const auto& section : menu.sections) {
            EXPECT_FALSE(section.empty()) << menu.title;
            for (const auto& name : section)
                EXPECT_TRUE(definitionOf(name)) << name;
        }
    }
    EXPECT_EQ(titles, (std::vector<std::string> { "Quillane", "File", "Edit", "View", "Window" }));
    for (const auto& entry : pageContextMenu()) {
        if (entry.command.empty())
            continue;
        ASSERT_TRUE(definitionOf(entry.command)) << entry.command;
        EXPECT_EQ(entry.label, definitionOf(entry.command)->label);
    }
}

TEST(CommandTable, QuittingAnotherAddressFullScreenAndTheMenusNeverWaitForAPageThatDoesNotAnswer)
{
    std::vector<std::string> kept;
    for (const auto& defined : commandDefinitions()) {
        if (defined.keptFromAnUnresponsivePage)
            kept.insert(kept.end(), defined.accelerators.begin(), defined.accelerators.end());
    }
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept, (std::vector<std::string> { "<Primary><Shift>m", "<Primary>l", "<Primary>q", "F10", "F11" }));
    // Reloading a web terminal that was slow to answer Ctrl+R would lose its session.
    EXPECT_FALSE(definitionOf("reload")->keptFromAnUnresponsivePage);
}

TEST(CommandTable, OnlyBackAndForwardTakeTheirKeysBeforeThePage)
{
    // The engine scrolls on Alt and an arrow and never hands the key back; every other key is the page's first.
    EXPECT_EQ(keysBeforeThePage(), (std::vector<std::string> { "<Alt>Left", "<Alt>Right" }));
}

TEST(CommandTable, EveryMenuAndItemHasAnAccessKeyOfItsOwnWithinItsMenu)
{
    std::set<char> titleKeys;
    for (const auto& menu : menuBar()) {
        EXPECT_NE(accessKey(menu.title), 0) << menu.title;
        EXPECT_TRUE(titleKeys.insert(accessKey(menu.title)).second) << "taken twice in the menu bar: " << menu.title;
        std::vector<std::string> labels;
        for (const auto& section : menu.sections) {
            for (const auto& name : section)
                labels.push_back(definitionOf(name)->label);
        }
        // The full-screen item changes its label with the mode; either must stay apart from the rest.
        for (bool fullScreen : { false, true }) {
            std::set<char> keys;
            for (auto label : labels) {
                if (label == definitionOf("full-screen")->label)
                    label = fullScreenLabel(fullScreen);
                EXPECT_NE(accessKey(label), 0) << label;
                EXPECT_TRUE(keys.insert(accessKey(label)).second) << "taken twice in " << menu.title << ": " << label;
            }
        }
    }
    EXPECT_EQ(fullScreenLabel(false), definitionOf("full-screen")->label);
    EXPECT_EQ(platform::withoutMnemonic(fullScreenLabel(true)), "Exit Full Screen");
    std::set<char> contextKeys;
    for (const auto& entry : pageContextMenu()) {
        if (entry.command.empty())
            continue;
        EXPECT_NE(accessKey(entry.label), 0) << entry.label;
        EXPECT_TRUE(contextKeys.insert(accessKey(entry.label)).second) << "taken twice in the context menu: " << entry.label;
    }
}
