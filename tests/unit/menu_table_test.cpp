// The application's commands: one table for the menu bar, the keys and the page's context menu.
#include "menus/command_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace quillane;

namespace {
const CommandSpec* specNamed(const std::string& name)
{
    for (const auto& spec : commandSpecs()) {
        if (spec.name == name)
            return &spec;
    }
    return nullptr;
}
} // namespace

TEST(CommandTable, NamesAndKeysAreEachTakenOnce)
{
    std::set<std::string> names, keys;
    for (const auto& spec : commandSpecs()) {
        EXPECT_TRUE(names.insert(spec.name).second) << spec.name;
        for (const auto& accelerator : spec.accelerators)
            EXPECT_TRUE(keys.insert(accelerator).second) << accelerator << " of " << spec.name;
    }
}

TEST(CommandTable, TheMenuBarAndTheContextMenuNameOnlyCommandsThatExist)
{
    std::vector<std::string> titles;
    for (const auto& menu : menuBar()) {
        titles.push_back(menu.title);
        for (const auto& section : menu.sections) {
            EXPECT_FALSE(section.empty()) << menu.title;
            for (const auto& name : section)
                EXPECT_TRUE(specNamed(name)) << name;
        }
    }
    EXPECT_EQ(titles, (std::vector<std::string> { "Quillane", "File", "Edit", "View", "Window" }));
    for (const auto& entry : pageContextMenu()) {
        if (entry.command.empty())
            continue;
        ASSERT_TRUE(specNamed(entry.command)) << entry.command;
        EXPECT_EQ(entry.label, specNamed(entry.command)->label);
    }
}

TEST(CommandTable, QuittingAnotherAddressAndFullScreenNeverWaitForAPageThatDoesNotAnswer)
{
    std::vector<std::string> kept;
    for (const auto& spec : commandSpecs()) {
        if (spec.keptFromAnUnresponsivePage)
            kept.insert(kept.end(), spec.accelerators.begin(), spec.accelerators.end());
    }
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept, (std::vector<std::string> { "<Primary>l", "<Primary>q", "F11" }));
    // Reloading a web terminal that was slow to answer Ctrl+R would lose its session.
    EXPECT_FALSE(specNamed("reload")->keptFromAnUnresponsivePage);
}

TEST(CommandTable, OnlyFloatOnTopCarriesACheckMark)
{
    for (const auto& spec : commandSpecs())
        EXPECT_EQ(spec.checkable, spec.name == "float-on-top") << spec.name;
}
