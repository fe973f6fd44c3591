#pragma once
// The three window buttons at the top-left, drawn by us over the band: real buttons underneath, so
// that screen readers know them as push buttons with names and a press action. An invisible button
// is not there at all (not shown, not focusable, not announced). Private to the platform layer.
#include "platform/geometry.h"
#include "platform/gtk/gobject_ref.h"
#include "platform/gtk/signal.h"
#include "platform/window.h"

#include <gtk/gtk.h>

#include <array>
#include <functional>

namespace quillane::platform {

class WindowButtons {
public:
    // Heights of the hidden title bar the buttons sit in, and of each button, in points.
    static constexpr double titleBarHeight = 28;
    static constexpr double diameter = 14;

    explicit WindowButtons(std::function<void(WindowButton)> pressed);
    GtkWidget* widget() const { return m_box.get(); }

    // In top-left coordinates of the window.
    static Rect frameFromTop(WindowButton button);
    double alpha(WindowButton button) const;
    void setAlpha(WindowButton button, double alpha);

private:
    struct Button {
        WindowButtons* owner = nullptr;
        WindowButton kind {};
        GtkWidget* area = nullptr;
        double alpha = 1;
        SignalConnection draw, clicked, enter, leave;
        gboolean onDraw(GtkWidget*, cairo_t*);
        void onClicked(GtkButton*);
        gboolean onEnter(GtkWidget*, GdkEventCrossing*);
        gboolean onLeave(GtkWidget*, GdkEventCrossing*);
    };
    void changedLook();

    GObjectRef<GtkWidget> m_box;
    std::array<Button, 3> m_buttons;
    std::function<void(WindowButton)> m_pressed;
    // The glyphs show while the pointer is over any of the buttons, as title buttons usually do.
    bool m_hovered = false;
};

} // namespace quillane::platform
