#include "window/hover_view.h"

#include "platform/main_queue.h"
#include "platform/pointer.h"
#include "platform/window.h"

namespace quillane {

namespace {
constexpr double releasePoll = 0.1;

bool leftButtonHeld()
{
    return platform::pressedMouseButtons() & 1;
}
} // namespace

platform::Rect HoverView::nearButtons() const
{
    platform::Window* host = window();
    if (!host)
        return {};
    platform::Rect buttons;
    for (auto kind : { platform::WindowButton::close, platform::WindowButton::miniaturize, platform::WindowButton::zoom }) {
        if (auto frame = host->buttonFrame(kind))
            buttons = buttons.unionWith(convertFrom(*frame, nullptr));
    }
    if (buttons.isEmpty())
        return {};
    return buttons.insetBy(-reach, -reach).intersection(bounds());
}

bool HoverView::pointerIsNear() const
{
    platform::Window* host = window();
    if (!host)
        return false;
    platform::Point inWindow = host->convertPointFromScreen(platform::mouseLocation());
    return nearButtons().contains(convertFrom(inWindow, nullptr));
}

void HoverView::updateTrackingAreas()
{
    View::updateTrackingAreas();
    removeAllTrackingAreas();
    addTrackingArea(nearButtons());
}

void HoverView::mouseEntered(const platform::Event&)
{
    onHover(true);
}

void HoverView::mouseExited(const platform::Event&)
{
    // While a press goes on (the window being dragged, say) the buttons stay as they are.
    if (leftButtonHeld()) {
        if (!m_waiting) {
            m_waiting = true;
            waitForRelease();
        }
        return;
    }
    onHover(false);
}

void HoverView::waitForRelease()
{
    std::weak_ptr<View> weak = weak_from_this();
    platform::runOnMainQueueAfter(releasePoll, [weak] {
        auto view = std::static_pointer_cast<HoverView>(weak.lock());
        if (!view)
            return;
        if (leftButtonHeld()) {
            view->waitForRelease();
            return;
        }
        view->m_waiting = false;
        view->onHover(view->pointerIsNear());
    });
}

} // namespace quillane
