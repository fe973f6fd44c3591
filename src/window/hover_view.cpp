#include "window/hover_view.h"

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
        if (!m_releasePoll.isPending())
            waitForRelease();
        return;
    }
    onHover(false);
}

void HoverView::waitForRelease()
{
    // The poll belongs to the view: it ends with it.
    m_releasePoll = platform::runOnMainQueueAfter(releasePoll, [this] {
        if (leftButtonHeld()) {
            waitForRelease();
            return;
        }
        onHover(pointerIsNear());
    });
}

} // namespace quillane
