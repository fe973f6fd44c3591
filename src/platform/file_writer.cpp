#include "platform/file_writer.h"

namespace quillane::platform {

FileWriter& FileWriter::shared()
{
    static FileWriter writer;
    return writer;
}

FileWriter::~FileWriter()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_stopping = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void FileWriter::queue(const std::string& name, std::function<bool()> write)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        Slot& slot = m_slots[name];
        if (!slot.waiting)
            m_order.push_back(name);
        slot.waiting = std::move(write);
        ++slot.queued;
        // Started on the first write only: a process that never writes has no thread of ours.
        if (!m_thread.joinable())
            m_thread = std::thread([this] { run(); });
    }
    m_changed.notify_all();
}

bool FileWriter::wait(const std::string& name)
{
    std::unique_lock<std::mutex> lock(m_lock);
    auto slot = m_slots.find(name);
    if (slot == m_slots.end())
        return true;
    m_changed.wait(lock, [&] { return slot->second.done == slot->second.queued; });
    return slot->second.succeeded;
}

void FileWriter::run()
{
    std::unique_lock<std::mutex> lock(m_lock);
    while (true) {
        m_changed.wait(lock, [&] { return !m_order.empty() || m_stopping; });
        // Stopping still writes everything queued: a change made just before exit is kept.
        if (m_order.empty())
            return;
        Slot& slot = m_slots[m_order.front()];
        m_order.pop_front();
        auto write = std::move(slot.waiting);
        slot.waiting = nullptr;
        const std::uint64_t ticket = slot.queued;
        lock.unlock();
        const bool succeeded = write();
        lock.lock();
        slot.done = ticket;
        slot.succeeded = succeeded;
        m_changed.notify_all();
    }
}

} // namespace quillane::platform
