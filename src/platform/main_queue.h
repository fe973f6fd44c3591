#pragma once
// Work deferred to later turns of the main loop. Every deferred block is owned by the handle that
// scheduling returns: destroying the handle takes the block off the queue, so a block never runs
// after whatever it refers to has gone.
#include <functional>
#include <memory>

namespace quillane::platform {

class ScheduledBlock {
public:
    ScheduledBlock();
    ~ScheduledBlock();
    ScheduledBlock(ScheduledBlock&&) noexcept;
    ScheduledBlock& operator=(ScheduledBlock&&) noexcept;

    // Takes the block off the queue if it has not run yet.
    void cancel();
    // Whether the block still waits to run.
    bool isPending() const;

    struct Source;
    explicit ScheduledBlock(std::unique_ptr<Source> source);

private:
    std::unique_ptr<Source> m_source;
};

// Runs the block on the next turn of the main loop.
[[nodiscard]] ScheduledBlock runOnMainQueue(std::function<void()> block);

// Runs the block once, after the given number of seconds measured from now.
[[nodiscard]] ScheduledBlock runOnMainQueueAfter(double seconds, std::function<void()> block);

} // namespace quillane::platform
