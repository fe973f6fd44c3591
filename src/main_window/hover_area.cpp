#include "main_window/hover_area.h"

#include "main_window/main_window.h"
#include "platform/input.h"

namespace quillane {

namespace {
constexpr double releasePoll = 0.1;
}

platform::Rect nearButtons(const std::optional<platform::Rect>& buttons, platform::Size window)
{
    if (!buttons || buttons->isEmpty())
        return {};
    return buttons->grownBy(hoverReach).intersection({ {}, window });
}

HoverArea::HoverArea(MainWindow& main)
    : m_main(main)
{
    m_main.window().onPointer = [this](std::optional<platform::Point> point) { pointerAt(point); };
}

platform::Rect HoverArea::area() const
{
    const platform::Window& window = m_main.window();
    return nearButtons(window.buttonsArea(), window.frame().size);
}

bool HoverArea::pointerIsNear() const
{
    return m_pointer && area().contains(*m_pointer);
}

void HoverArea::pointerAt(std::optional<platform::Point> point)
{
    m_pointer = point;
    bool near = pointerIsNear();
    if (near == m_inside)
        return;
    m_inside = near;
    // While a press goes on the buttons stay as they are.
    if (!near && platform::primaryButtonHeld()) {
        if (!m_releasePoll.isPending())
            waitForRelease();
        return;
    }
    m_main.showButtons(near);
}

void HoverArea::waitForRelease()
{
    m_releasePoll = platform::runOnMainQueueAfter(releasePoll, [this] {
        if (platform::primaryButtonHeld())
            waitForRelease();
        else
            m_main.showButtons(pointerIsNear());
    });
}

} // namespace quillane
