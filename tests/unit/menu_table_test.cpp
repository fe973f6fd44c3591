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
