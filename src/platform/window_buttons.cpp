#include "platform/gtk/window_buttons.h"

#include <cmath>

namespace quillane::platform {

namespace {
constexpr double firstLeft = 8;
constexpr double spacing = 20;
constexpr double top = 7;

struct Look {
    double red, green, blue;
};

constexpr Look lookOf(WindowButton button)
{
    switch (button) {
    case WindowButton::close:
        return { 0.93, 0.33, 0.31 };
    case WindowButton::miniaturize:
        return { 0.96, 0.74, 0.22 };
    case WindowButton::zoom:
        break;
    }
    return { 0.27, 0.75, 0.33 };
}

std::size_t indexOf(WindowButton button)
{
    return static_cast<std::size_t>(button);
}
} // namespace

WindowButtons::WindowButtons(std::function<void(WindowButton)> pressed)
    : m_pressed(std::move(pressed))
{
    GtkWidget* box = gtk_fixed_new();
    m_box = GObjectRef<GtkWidget>::retain(box);
    gtk_widget_set_halign(box, GTK_ALIGN_START);
    gtk_widget_set_valign(box, GTK_ALIGN_START);
    for (std::size_t index = 0; index < m_buttons.size(); ++index) {
        Button& button = m_buttons[index];
        button.owner = this;
        button.kind = static_cast<WindowButton>(index);
        button.area = gtk_drawing_area_new();
        Rect frame = frameFromTop(button.kind);
        gtk_widget_set_size_request(button.area, int(frame.size.width), int(frame.size.height));
        gtk_widget_add_events(button.area, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_ENTER_NOTIFY_MASK | GDK_LEAVE_NOTIFY_MASK);
        gtk_fixed_put(GTK_FIXED(box), button.area, int(frame.origin.x), int(frame.origin.y));
        button.draw = connect<&Button::onDraw>(button.area, "draw", &button);
        button.press = connect<&Button::onPress>(button.area, "button-press-event", &button);
        button.release = connect<&Button::onRelease>(button.area, "button-release-event", &button);
        button.enter = connect<&Button::onEnter>(button.area, "enter-notify-event", &button);
        button.leave = connect<&Button::onLeave>(button.area, "leave-notify-event", &button);
    }
    gtk_widget_show_all(box);
}

Rect WindowButtons::frameFromTop(WindowButton button)
{
    return { { firstLeft + spacing * double(indexOf(button)), top }, { diameter, diameter } };
}

double WindowButtons::alpha(WindowButton button) const
{
    return m_buttons[indexOf(button)].alpha;
}

void WindowButtons::setAlpha(WindowButton button, double alpha)
{
    Button& target = m_buttons[indexOf(button)];
    if (target.alpha == alpha)
        return;
    target.alpha = alpha;
    changedLook();
}

void WindowButtons::changedLook()
{
    for (auto& button : m_buttons)
        gtk_widget_queue_draw(button.area);
    // A partial redraw over the web view leaves holes until its next full frame: redraw all of it.
    if (GtkWidget* parent = gtk_widget_get_parent(m_box.get()))
        gtk_widget_queue_draw(parent);
}

gboolean WindowButtons::Button::onDraw(GtkWidget* widget, cairo_t* cairo)
{
    if (alpha <= 0)
        return TRUE;
    double width = gtk_widget_get_allocated_width(widget);
    double height = gtk_widget_get_allocated_height(widget);
    double radius = std::min(width, height) / 2;
    Look look = lookOf(kind);
    double shade = pressed ? 0.8 : 1.0;
    cairo_arc(cairo, width / 2, height / 2, radius, 0, 2 * M_PI);
    cairo_set_source_rgba(cairo, look.red * shade, look.green * shade, look.blue * shade, alpha);
    cairo_fill(cairo);
    if (!owner->m_hovered)
        return TRUE;
    cairo_set_source_rgba(cairo, 0.2, 0.1, 0.05, 0.75 * alpha);
    cairo_set_line_width(cairo, 1.5);
    double arm = radius * 0.45;
    double cx = width / 2, cy = height / 2;
    switch (kind) {
    case WindowButton::close:
        cairo_move_to(cairo, cx - arm, cy - arm);
        cairo_line_to(cairo, cx + arm, cy + arm);
        cairo_move_to(cairo, cx + arm, cy - arm);
        cairo_line_to(cairo, cx - arm, cy + arm);
        break;
    case WindowButton::miniaturize:
        cairo_move_to(cairo, cx - arm, cy);
        cairo_line_to(cairo, cx + arm, cy);
        break;
    case WindowButton::zoom:
        cairo_move_to(cairo, cx - arm, cy);
        cairo_line_to(cairo, cx + arm, cy);
        cairo_move_to(cairo, cx, cy - arm);
        cairo_line_to(cairo, cx, cy + arm);
        break;
    }
    cairo_stroke(cairo);
    return TRUE;
}

gboolean WindowButtons::Button::onPress(GtkWidget* widget, GdkEventButton* event)
{
    if (event->button != GDK_BUTTON_PRIMARY || event->type != GDK_BUTTON_PRESS)
        return TRUE;
    pressed = true;
    gtk_widget_queue_draw(widget);
    return TRUE;
}

gboolean WindowButtons::Button::onRelease(GtkWidget* widget, GdkEventButton* event)
{
    if (event->button != GDK_BUTTON_PRIMARY || !pressed)
        return TRUE;
    pressed = false;
    gtk_widget_queue_draw(widget);
    bool inside = event->x >= 0 && event->y >= 0 && event->x < gtk_widget_get_allocated_width(widget)
        && event->y < gtk_widget_get_allocated_height(widget);
    if (inside)
        owner->m_pressed(kind);
    return TRUE;
}

gboolean WindowButtons::Button::onEnter(GtkWidget*, GdkEventCrossing*)
{
    owner->m_hovered = true;
    owner->changedLook();
    return FALSE;
}

gboolean WindowButtons::Button::onLeave(GtkWidget*, GdkEventCrossing*)
{
    owner->m_hovered = false;
    pressed = false;
    owner->changedLook();
    return FALSE;
}

} // namespace quillane::platform
