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

constexpr const char* nameOf(WindowButton button)
{
    switch (button) {
    case WindowButton::close:
        return "Close";
    case WindowButton::miniaturize:
        return "Minimise";
    case WindowButton::zoom:
        break;
    }
    return "Zoom";
}

std::size_t indexOf(WindowButton button)
{
    return static_cast<std::size_t>(button);
}
} // namespace

WindowButtons::WindowButtons(std::function<void(WindowButton)> pressed)
    : m_pressed(std::move(pressed))
{
    // The theme's buttons are larger than ours, with padding and borders: ours are their circles alone.
    auto style = GObjectRef<GtkCssProvider>::adopt(gtk_css_provider_new());
    gtk_css_provider_load_from_data(style.get(), "button { min-width: 0; min-height: 0; padding: 0; margin: 0; border: 0; }", -1, nullptr);
    GtkWidget* box = gtk_fixed_new();
    m_box = GObjectRef<GtkWidget>::retain(box);
    gtk_widget_set_halign(box, GTK_ALIGN_START);
    gtk_widget_set_valign(box, GTK_ALIGN_START);
    for (std::size_t index = 0; index < m_buttons.size(); ++index) {
        Button& button = m_buttons[index];
        button.owner = this;
        button.kind = static_cast<WindowButton>(index);
        button.area = gtk_button_new();
        Rect frame = frameFromTop(button.kind);
        gtk_widget_set_size_request(button.area, int(frame.size.width), int(frame.size.height));
        gtk_style_context_add_provider(gtk_widget_get_style_context(button.area), GTK_STYLE_PROVIDER(style.get()), GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
        gtk_widget_set_tooltip_text(button.area, nameOf(button.kind));
        atk_object_set_name(gtk_widget_get_accessible(button.area), nameOf(button.kind));
        // The page keeps the keyboard: the buttons are pressed with the pointer or a screen reader.
        gtk_widget_set_can_focus(button.area, FALSE);
        gtk_fixed_put(GTK_FIXED(box), button.area, int(frame.origin.x), int(frame.origin.y));
        button.draw = connect<&Button::onDraw>(button.area, "draw", &button);
        button.clicked = connect<&Button::onClicked>(button.area, "clicked", &button);
        button.enter = connect<&Button::onEnter>(button.area, "enter-notify-event", &button);
        button.leave = connect<&Button::onLeave>(button.area, "leave-notify-event", &button);
        gtk_widget_show(button.area);
    }
    gtk_widget_show(box);
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
    // Unmapped, not merely transparent: a hidden button is not there for screen readers or the keyboard.
    gtk_widget_set_child_visible(target.area, alpha > 0);
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
    double shade = (gtk_widget_get_state_flags(widget) & GTK_STATE_FLAG_ACTIVE) ? 0.8 : 1.0;
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

void WindowButtons::Button::onClicked(GtkButton*)
{
    owner->m_pressed(kind);
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
    owner->changedLook();
    return FALSE;
}

} // namespace quillane::platform
