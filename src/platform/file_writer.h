#pragma once
// Writes files on a thread of their own, so that the thread that changes a file never waits for the
// disk. Writes run one at a time in the order given; a write still waiting under a name is replaced
// by a newer one under the same name, as only a file's newest text needs to reach the disk.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace quillane::platform {

class FileWriter {
public:
    // The process's one writer. At exit it finishes what was queued before its thread ends.
    static FileWriter& shared();

    FileWriter() = default;
    ~FileWriter();
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    // Queues `write` under `name` (a file's path); it answers whether it succeeded.
    void queue(const std::string& name, std::function<bool()> write);
    // Waits until every write queued under `name` so far has run; whether the last that ran succeeded
    // (true when none ever ran).
    bool wait(const std::string& name);

private:
    struct Slot {
        std::function<bool()> waiting;
        std::uint64_t queued = 0;
        std::uint64_t done = 0;
        bool succeeded = true;
    };
    void run();

    std::mutex m_lock;
    std::condition_variable m_changed;
    std::map<std::string, Slot> m_slots;
    // The names with a write waiting, in the order their first waiting write came.
    std::deque<std::string> m_order;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace quillane::platform
