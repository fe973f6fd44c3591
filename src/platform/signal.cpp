#include "platform/gtk/signal.h"

#include <utility>

namespace quillane::platform {

SignalConnection::SignalConnection(gpointer instance, gulong id)
    : m_instance(std::make_unique<gpointer>(instance))
    , m_id(id)
{
    g_object_add_weak_pointer(G_OBJECT(instance), m_instance.get());
}

SignalConnection& SignalConnection::operator=(SignalConnection&& other) noexcept
{
    if (this != &other) {
        disconnect();
        m_instance = std::move(other.m_instance);
        m_id = std::exchange(other.m_id, 0);
    }
    return *this;
}

void SignalConnection::disconnect()
{
    if (!m_instance)
        return;
    if (gpointer instance = *m_instance) {
        g_signal_handler_disconnect(instance, m_id);
        g_object_remove_weak_pointer(G_OBJECT(instance), m_instance.get());
    }
    m_instance.reset();
    m_id = 0;
}

} // namespace quillane::platform
