#pragma once
// What several owners may hear of one object (a page that finished loading, a title that changed):
// each adds a listener and keeps the subscription it gets; the listener goes when it is dropped.
#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace quillane::platform {

class Subscription {
public:
    Subscription() = default;
    explicit Subscription(std::function<void()> remove)
        : m_remove(std::move(remove))
    {
    }
    Subscription(Subscription&& other) noexcept
        : m_remove(std::exchange(other.m_remove, nullptr))
    {
    }
    Subscription& operator=(Subscription&& other) noexcept
    {
        if (this != &other) {
            cancel();
            m_remove = std::exchange(other.m_remove, nullptr);
        }
        return *this;
    }
    ~Subscription() { cancel(); }
    void cancel()
    {
        if (auto remove = std::exchange(m_remove, nullptr))
            remove();
    }

private:
    std::function<void()> m_remove;
};

template <typename... Args>
class Listeners {
public:
    [[nodiscard]] Subscription add(std::function<void(Args...)> listener)
    {
        int id = ++m_state->lastId;
        m_state->listeners.emplace_back(id, std::move(listener));
        std::weak_ptr<State> state = m_state;
        return Subscription([state, id] {
            if (auto alive = state.lock())
                std::erase_if(alive->listeners, [id](const auto& entry) { return entry.first == id; });
        });
    }

    // Each listener hears it, in the order they came; a listener may add or drop listeners meanwhile.
    void operator()(Args... args) const
    {
        auto state = m_state;
        auto listeners = state->listeners;
        for (const auto& [id, listener] : listeners) {
            // One dropped by an earlier listener of this round hears nothing more.
            bool present = std::any_of(state->listeners.begin(), state->listeners.end(), [id = id](const auto& entry) { return entry.first == id; });
            if (present)
                listener(args...);
        }
    }

private:
    struct State {
        int lastId = 0;
        std::vector<std::pair<int, std::function<void(Args...)>>> listeners;
    };
    std::shared_ptr<State> m_state = std::make_shared<State>();
};

} // namespace quillane::platform
