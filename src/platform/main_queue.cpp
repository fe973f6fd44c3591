#include "platform/main_queue.h"

#include <glib.h>

#include <algorithm>
#include <cmath>

namespace quillane::platform {

namespace {
using Block = std::function<void()>;

gboolean runBlock(gpointer data)
{
    (*static_cast<Block*>(data))();
    return G_SOURCE_REMOVE;
}

void deleteBlock(gpointer data)
{
    delete static_cast<Block*>(data);
}
} // namespace

void runOnMainQueue(std::function<void()> block)
{
    g_idle_add_full(G_PRIORITY_DEFAULT, runBlock, new Block(std::move(block)), deleteBlock);
}

void runOnMainQueueAfter(double seconds, std::function<void()> block)
{
    auto milliseconds = static_cast<guint>(std::lround(std::max(0.0, seconds) * 1000));
    g_timeout_add_full(G_PRIORITY_DEFAULT, milliseconds, runBlock, new Block(std::move(block)), deleteBlock);
}

} // namespace quillane::platform
