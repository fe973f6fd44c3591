#include "window/drag_monitor.h"

#include "platform/event_monitor.h"
#include "platform/pointer.h"
#include "platform/window.h"

#include <utility>

namespace quillane {

void WindowDrags::dragWithModifier(const platform::Event& press)
{
    m_window.performDrag(press);
}

void WindowDrags::dragForPage(const std::optional<platform::Event>& press)
{
    if (press)
        m_window.performDrag(*press);
}

DragMonitor::Sensors DragMonitor::systemSensors()
{
    return { platform::systemUptime, [] { return (platform::pressedMouseButtons() & 1) != 0; } };
}

DragMonitor::DragMonitor(const platform::Window& main, DragPolicy& policy, Sensors sensors)
    : m_main(main)
    , m_policy(policy)
    , m_sensors(std::move(sensors))
{
}

void DragMonitor::watch()
{
    platform::addLocalMonitorForLeftMouseDown([this](const platform::Event& press) { return leftMouseDown(press); });
}

bool DragMonitor::leftMouseDown(const platform::Event& press)
{
    if (press.window != &m_main)
        return true;
    m_pressed = press;
    if (!(press.modifierFlags & platform::commandKey))
        return true;
    m_policy.dragWithModifier(press);
    return false;
}

void DragMonitor::dragRequest()
{
    std::optional<platform::Event> press;
    // One drag a press, and only while it goes on.
    if (m_pressed && m_sensors.now() - m_pressed->timestamp < freshPress && m_sensors.leftButtonHeld())
        press = std::exchange(m_pressed, std::nullopt);
    m_policy.dragForPage(press);
}

} // namespace quillane
