#pragma once
// Work deferred to later turns of the main loop.
#include <functional>

namespace quillane::platform {

// Runs the block on the next turn of the main loop; the block is kept until it has run.
void runOnMainQueue(std::function<void()> block);

// Runs the block once, after the given number of seconds measured from now.
void runOnMainQueueAfter(double seconds, std::function<void()> block);

} // namespace quillane::platform
