// The preferences store survives being killed in the middle of a write.
#include "platform/preferences.h"
#include "temporary_folder.h"

#include <csignal>
#include <random>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

using quillane::platform::OrderedMap;
using quillane::platform::Preferences;

using PreferencesUnderKill = quillane::testing::TemporaryFolder;

TEST_F(PreferencesUnderKill, AKilledWriterNeverLeavesABrokenFileOrLosesAnAnswer)
{
    const OrderedMap<bool> answers { { "https://allowed.example", true }, { "http://[::1]:8080", false } };
    {
        Preferences before(folder);
        before.setDictionary("microphone", answers);
        before.setBoolean("float", true);
    }

    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> moment(0, 25000);
    const int kills = 400;
    for (int round = 0; round < kills; ++round) {
        pid_t writer = fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            execl(PREFERENCES_WRITER, PREFERENCES_WRITER, folder.c_str(), nullptr);
            _exit(127);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        kill(writer, SIGKILL);
        int status = 0;
        waitpid(writer, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "round " << round << ": the writer ended on its own";

        Preferences after(folder);
        ASSERT_EQ(after.dictionary("microphone"), answers) << "round " << round;
        ASSERT_TRUE(after.boolean("float").has_value()) << "round " << round;
    }
    // Nothing was ever found unreadable, so nothing was moved aside; what cut-short writes left
    // behind is cleared by the next start once it is a few seconds old (made so here).
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        std::filesystem::last_write_time(entry.path(), std::filesystem::file_time_type::clock::now() - std::chrono::seconds(30));
    Preferences restarted(folder);
    EXPECT_EQ(restarted.dictionary("microphone"), answers);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files += entry.path().filename().string().rfind("preferences.ini", 0) == 0 ? 1 : 0;
    EXPECT_EQ(files, 1);
}
