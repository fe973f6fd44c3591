#pragma once
// Connects GObject signals to member functions; the connection ends when its handle is destroyed.
// Private to the platform layer.
#include <glib-object.h>

#include <memory>

namespace quillane::platform {

class SignalConnection {
public:
    SignalConnection() = default;
    SignalConnection(gpointer instance, gulong id);
    SignalConnection(SignalConnection&&) noexcept = default;
    SignalConnection& operator=(SignalConnection&& other) noexcept;
    SignalConnection(const SignalConnection&) = delete;
    SignalConnection& operator=(const SignalConnection&) = delete;
    ~SignalConnection() { disconnect(); }

    void disconnect();

private:
    // Cleared by GObject when the instance goes away first, so disconnecting never touches a dead object.
    std::unique_ptr<gpointer> m_instance;
    gulong m_id = 0;
};

namespace detail {
template <auto Method, typename = decltype(Method)>
struct SignalThunk;

// The member function takes the signal's C arguments exactly, instance first; the thunk adds user data.
template <auto Method, typename Class, typename Result, typename... Args>
struct SignalThunk<Method, Result (Class::*)(Args...)> {
    static Result call(Args... args, gpointer self) { return (static_cast<Class*>(self)->*Method)(args...); }
};
} // namespace detail

template <auto Method, typename Class>
SignalConnection connect(gpointer instance, const char* signal, Class* self, GConnectFlags flags = GConnectFlags(0))
{
    auto id = g_signal_connect_data(instance, signal, G_CALLBACK(&detail::SignalThunk<Method>::call), self, nullptr, flags);
    return SignalConnection(instance, id);
}

template <auto Method, typename Class>
SignalConnection connectAfter(gpointer instance, const char* signal, Class* self)
{
    return connect<Method>(instance, signal, self, G_CONNECT_AFTER);
}

} // namespace quillane::platform
