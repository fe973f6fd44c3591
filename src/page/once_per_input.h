#pragma once
// What a page may do once for each press or key press the user gives it: open a window, hand a link
// to another program. A page that does it again and again inside one click gets it once.
#include <functional>
#include <optional>

namespace quillane {

class OncePerInput {
public:
    // `inputs` counts the user's presses and key presses so far.
    explicit OncePerInput(std::function<unsigned long()> inputs)
        : m_inputs(std::move(inputs))
    {
    }

    // Whether the current input still allows it; if so, it is used up.
    bool take()
    {
        unsigned long now = m_inputs();
        if (m_taken == now)
            return false;
        m_taken = now;
        return true;
    }

private:
    std::function<unsigned long()> m_inputs;
    std::optional<unsigned long> m_taken;
};

} // namespace quillane
