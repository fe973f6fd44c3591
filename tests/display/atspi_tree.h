#pragma once
// What a screen reader finds of the program over AT-SPI, on an accessibility bus of the test's own.
#include "harness.h"

#include <atspi/atspi.h>

#include <functional>
#include <memory>
#include <string>

namespace quillane::testing {

// Starts the accessibility bus on the session's D-Bus and joins it; programs started afterwards
// from the session join it too. Whether it is up is ready().
class AccessibilityBus {
public:
    explicit AccessibilityBus(DisplaySession& session)
    {
        session.enterThisProcess();
        m_launcher = session.start({ "/usr/libexec/at-spi-bus-launcher", "--launch-immediately" });
        m_ready = waitUntil([&] {
            return session.run({ "dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
                                   "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus" })
                       .find("true")
                != std::string::npos;
        });
        session.setExtraEnvironment({ "NO_AT_BRIDGE=0" });
        // One bus per process: ctest runs each test in a process of its own.
        m_ready = m_ready && atspi_init() == 0;
    }
    bool ready() const { return m_ready; }

private:
    std::unique_ptr<Process> m_launcher;
    bool m_ready = false;
};

// The first accessible below `root` (depth first) that `accept` takes, with a reference of its own.
inline AtspiAccessible* findAccessible(AtspiAccessible* root, const std::function<bool(AtspiAccessible*)>& accept, int depth = 0)
{
    if (!root || depth > 30)
        return nullptr;
    if (accept(root))
        return static_cast<AtspiAccessible*>(g_object_ref(root));
    int children = atspi_accessible_get_child_count(root, nullptr);
    for (int index = 0; index < children; ++index) {
        AtspiAccessible* child = atspi_accessible_get_child_at_index(root, index, nullptr);
        AtspiAccessible* found = findAccessible(child, accept, depth + 1);
        if (child)
            g_object_unref(child);
        if (found)
            return found;
    }
    return nullptr;
}

// Every accessible below `root` that `visit` is shown, depth first.
inline void visitAccessibles(AtspiAccessible* root, const std::function<void(AtspiAccessible*)>& visit, int depth = 0)
{
    findAccessible(root, [&](AtspiAccessible* each) {
        visit(each);
        return false;
    }, depth);
}

inline std::string nameOf(AtspiAccessible* accessible)
{
    char* name = atspi_accessible_get_name(accessible, nullptr);
    std::string result = name ? name : "";
    g_free(name);
    return result;
}

inline bool hasState(AtspiAccessible* accessible, AtspiStateType state)
{
    AtspiStateSet* states = atspi_accessible_get_state_set(accessible);
    bool contained = states && atspi_state_set_contains(states, state);
    if (states)
        g_object_unref(states);
    return contained;
}

} // namespace quillane::testing
