// Writing the store off the calling thread: writes in order, a newer text in place of a waiting
// one, nothing lost at the end, and nothing the caller waits for.
#include "platform/file_writer.h"
#include "platform/preferences.h"
#include "temporary_folder.h"

#include <future>

using quillane::platform::FileWriter;
using quillane::platform::Preferences;
namespace fs = std::filesystem;
using PreferencesWrites = quillane::testing::TemporaryFolder;

namespace {
// Holds a writer's thread in a job until released, so that what is queued meanwhile waits.
class Gate {
public:
    // Never leaves the writer held, even when a test ends early.
    ~Gate()
    {
        if (!m_released)
            release();
    }
    std::function<bool()> job()
    {
        return [this] {
            m_entered.set_value();
            m_release.get_future().wait();
            return true;
        };
    }
    void waitUntilHeld() { m_entered.get_future().wait(); }
    void release()
    {
        m_released = true;
        m_release.set_value();
    }

private:
    bool m_released = false;
    std::promise<void> m_entered;
    std::promise<void> m_release;
};

} // namespace

TEST(FileWriter, RunsWritesInOrderAndANewerOneTakesTheWaitingOnesPlace)
{
    FileWriter writer;
    Gate gate;
    std::vector<std::string> ran;
    writer.queue("gate", gate.job());
    gate.waitUntilHeld();
    writer.queue("a", [&] { ran.push_back("a1"); return true; });
    writer.queue("b", [&] { ran.push_back("b1"); return false; });
    writer.queue("a", [&] { ran.push_back("a2"); return false; });
    writer.queue("a", [&] { ran.push_back("a3"); return true; });
    writer.queue("c", [&] { ran.push_back("c1"); return true; });
    gate.release();
    EXPECT_TRUE(writer.wait("a"));
    EXPECT_FALSE(writer.wait("b")) << "the answer of b's last write";
    EXPECT_TRUE(writer.wait("c"));
    EXPECT_TRUE(writer.wait("never queued"));
    // "a" keeps the place its first waiting write had, with its newest text.
    EXPECT_EQ(ran, (std::vector<std::string> { "a3", "b1", "c1" }));

    writer.queue("b", [&] { ran.push_back("b2"); return true; });
    EXPECT_TRUE(writer.wait("b")) << "a later success answers for b again";
    EXPECT_EQ(ran.back(), "b2");
}

TEST(FileWriter, EndingRunsWhatIsStillQueued)
{
    std::vector<std::string> ran;
    Gate gate;
    {
        FileWriter writer;
        writer.queue("gate", gate.job());
        gate.waitUntilHeld();
        writer.queue("a", [&] { ran.push_back("a"); return true; });
        writer.queue("b", [&] { ran.push_back("b"); return true; });
        gate.release();
    }
    EXPECT_EQ(ran, (std::vector<std::string> { "a", "b" }));
}

TEST_F(PreferencesWrites, AChangeNeverWaitsForTheDiskAndReadsAtOnce)
{
    Preferences preferences(folder);
    // The one writer is kept busy: a change that waited for its write would never return.
    Gate gate;
    FileWriter::shared().queue("held by the test", gate.job());
    gate.waitUntilHeld();
    EXPECT_TRUE(preferences.setText("address", "https://example.com/"));
    EXPECT_TRUE(preferences.setBoolean("float", false));
    EXPECT_EQ(preferences.text("address"), "https://example.com/");
    EXPECT_EQ(preferences.boolean("float"), false);
    EXPECT_FALSE(fs::exists(folder / "preferences.ini")) << "not written while the writer is held";
    gate.release();
    EXPECT_TRUE(preferences.flush());
    const std::string written = contents(folder / "preferences.ini");
    EXPECT_NE(written.find("address='https://example.com/'\n"), std::string::npos) << written;
    EXPECT_NE(written.find("float=false\n"), std::string::npos) << written;
}

TEST_F(PreferencesWrites, TheLastChangeIsOnDiskOnceTheStoreIsGone)
{
    for (int round = 0; round < 20; ++round) {
        const std::string address = "https://example.com/" + std::to_string(round);
        {
            Preferences preferences(folder);
            for (int change = 0; change <= round; ++change)
                preferences.setText("address", "https://example.com/" + std::to_string(change));
        }
        EXPECT_NE(contents(folder / "preferences.ini").find("address='" + address + "'\n"), std::string::npos) << "round " << round;
    }
}

TEST_F(PreferencesWrites, AnotherStoreOfTheProcessReadsWhatIsStillBeingWritten)
{
    Preferences writing(folder);
    Gate gate;
    FileWriter::shared().queue("held by the test", gate.job());
    gate.waitUntilHeld();
    writing.setText("address", "https://example.com/");
    // Opening waits for the writer: released only once the opening is under way.
    auto reading = std::async(std::launch::async, [&] { return Preferences(folder).text("address"); });
    EXPECT_EQ(reading.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout) << "read before the write was done";
    gate.release();
    EXPECT_EQ(reading.get(), "https://example.com/");
}
