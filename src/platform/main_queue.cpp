#include "platform/main_queue.h"

#include <glib.h>

#include <algorithm>
#include <cmath>

namespace quillane::platform {

struct ScheduledBlock::Source {
    GSource* source = nullptr;
    ~Source()
    {
        if (!g_source_is_destroyed(source))
            g_source_destroy(source);
        g_source_unref(source);
    }
};

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

// GLib keeps the block alive while it runs, even when the handle is dropped from inside it.
ScheduledBlock attach(GSource* source, Block block)
{
    g_source_set_priority(source, G_PRIORITY_DEFAULT);
    g_source_set_callback(source, runBlock, new Block(std::move(block)), deleteBlock);
    g_source_attach(source, nullptr);
    auto owned = std::make_unique<ScheduledBlock::Source>();
    owned->source = source;
    return ScheduledBlock(std::move(owned));
}
} // namespace

ScheduledBlock::ScheduledBlock() = default;
ScheduledBlock::ScheduledBlock(std::unique_ptr<Source> source)
    : m_source(std::move(source))
{
}
ScheduledBlock::~ScheduledBlock() = default;
ScheduledBlock::ScheduledBlock(ScheduledBlock&&) noexcept = default;
ScheduledBlock& ScheduledBlock::operator=(ScheduledBlock&&) noexcept = default;

void ScheduledBlock::cancel()
{
    m_source.reset();
}

bool ScheduledBlock::isPending() const
{
    return m_source && !g_source_is_destroyed(m_source->source);
}

ScheduledBlock runOnMainQueue(std::function<void()> block)
{
    return attach(g_idle_source_new(), std::move(block));
}

ScheduledBlock runOnMainQueueAfter(double seconds, std::function<void()> block)
{
    auto milliseconds = static_cast<guint>(std::lround(std::max(0.0, seconds) * 1000));
    return attach(g_timeout_source_new(milliseconds), std::move(block));
}

} // namespace quillane::platform
