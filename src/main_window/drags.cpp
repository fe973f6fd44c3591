#include "main_window/drags.h"

#include "platform/window.h"

#include <utility>

namespace quillane {

void WindowDrags::dragWithModifier(const platform::Press& press)
{
    m_window.beginMoveDrag(press);
}

void WindowDrags::dragForPage(const std::optional<platform::Press>& press)
{
    if (press)
        m_window.beginMoveDrag(*press);
}

void WindowDrags::dragFromBand(const platform::Press& press)
{
    m_window.beginMoveDrag(press);
}

Drags::Drags(DragPolicy& policy)
    : Drags(policy, { platform::secondsNow, platform::primaryButtonHeld })
{
}

Drags::Drags(DragPolicy& policy, Sensors sensors)
    : m_policy(policy)
    , m_sensors(std::move(sensors))
{
}

void Drags::attach(platform::Window& window, std::function<void()> bandDoubleClick, std::function<void()> bandMenu)
{
    setBandActions(std::move(bandDoubleClick), std::move(bandMenu));
    window.onPress = [this](const platform::Press& press) { return pressed(press); };
    window.onBandPress = [this](const platform::Press& press) { bandPressed(press); };
}

void Drags::setBandActions(std::function<void()> doubleClick, std::function<void()> menu)
{
    m_bandDoubleClick = std::move(doubleClick);
    m_bandMenu = std::move(menu);
}

bool Drags::pressed(const platform::Press& press)
{
    // Any other press ends the one going on.
    if (press.button != 1) {
        m_pressed.reset();
        return false;
    }
    m_pressed = press;
    if (!press.super)
        return false;
    m_policy.dragWithModifier(press);
    return true;
}

void Drags::pageRequest()
{
    std::optional<platform::Press> press;
    // One drag a press, and only while it goes on.
    if (m_pressed && m_sensors.now() - m_pressed->seconds < freshPress && m_sensors.primaryHeld())
        press = std::exchange(m_pressed, std::nullopt);
    m_policy.dragForPage(press);
}

void Drags::bandPressed(const platform::Press& press)
{
    // As on a title bar: a right-click opens the menus, a double-click maximises, a press moves.
    if (press.button == 3) {
        if (m_bandMenu)
            m_bandMenu();
    } else if (press.button == 1 && press.count == 2) {
        if (m_bandDoubleClick)
            m_bandDoubleClick();
    } else if (press.button == 1 && press.count == 1) {
        m_policy.dragFromBand(press);
    }
}

} // namespace quillane
