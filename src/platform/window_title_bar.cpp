// The title bar of a frameless window: the band above the page, painted in the page's colour, that
// moves the window, and the three window buttons over its top-left corner: real buttons underneath,
// so that screen readers know them as push buttons with names and a press action.
#include "platform/gtk/window_impl.h"

#include <cmath>

namespace quillane::platform {

namespace {
// Each button's size, and the distance from one to the next.
constexpr double diameter = windowButtonsPlace.size.height, spacing = (windowButtonsPlace.size.width - diameter) / 2;

struct Look {
    double red, green, blue;
};

constexpr Look looks[] = { { 0.93, 0.33, 0.31 }, { 0.96, 0.74, 0.22 }, { 0.27, 0.75, 0.33 } };
constexpr const char* names[] = { "Close", "Minimise", "Zoom" };
// What a page's vertical scrollbar takes at the window's edge, at its widest.
constexpr double scrollbarRoom = 14;
// The progress line's thickness, at the band's bottom edge.
constexpr double progressLine = 2;

std::size_t indexOf(GtkWidget* button, const std::array<GtkWidget*, 3>& buttons)
{
    return std::size_t(std::find(buttons.begin(), buttons.end(), button) - buttons.begin());
}
} // namespace

void Window::Impl::buildTitleBar(double height)
{
    bandHeight = height;
    // The window paints its own background: the band's colour (see onWindowDraw).
    gtk_widget_set_app_paintable(window.get(), TRUE);
    band = gtk_drawing_area_new();
    gtk_widget_set_size_request(band, -1, int(std::lround(height)));
    gtk_widget_add_events(band, GDK_BUTTON_PRESS_MASK);
    gtk_box_pack_start(GTK_BOX(gtk_widget_get_parent(page)), band, FALSE, FALSE, 0);
    gtk_widget_show(band);
    signals.push_back(connect<&Impl::onBandDraw>(band, "draw", this));
    signals.push_back(connect<&Impl::onBandPress>(band, "button-press-event", this));

    // The theme's buttons are larger than ours, with padding and borders: ours are their circles alone.
    auto style = GObjectRef<GtkCssProvider>::adopt(gtk_css_provider_new());
    gtk_css_provider_load_from_data(style.get(), "button { min-width: 0; min-height: 0; padding: 0; margin: 0; border: 0; }", -1, nullptr);
    buttonsBox = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, int(spacing - diameter));

    for (std::size_t index = 0; index < buttons.size(); ++index) {
        GtkWidget* button = gtk_button_new();
        buttons[index] = button;
        gtk_widget_set_size_request(button, int(diameter), int(diameter));
        gtk_style_context_add_provider(gtk_widget_get_style_context(button), GTK_STYLE_PROVIDER(style.get()), GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
        gtk_widget_set_tooltip_text(button, names[index]);
        atk_object_set_name(gtk_widget_get_accessible(button), names[index]);
        // The page keeps the keyboard: the buttons are pressed with the pointer or a screen reader.
        gtk_widget_set_can_focus(button, FALSE);
        gtk_box_pack_start(GTK_BOX(buttonsBox), button, FALSE, FALSE, 0);
        signals.push_back(connect<&Impl::onButtonDraw>(button, "draw", this));
        signals.push_back(connect<&Impl::onButtonClicked>(button, "clicked", this));
        signals.push_back(connect<&Impl::onButtonCrossing>(button, "enter-notify-event", this));
        signals.push_back(connect<&Impl::onButtonCrossing>(button, "leave-notify-event", this));
    }
    gtk_widget_show_all(buttonsBox);
    gtk_overlay_add_overlay(GTK_OVERLAY(overlay), buttonsBox);
    // Exactly where the buttons are, and no larger: the band and the page around them get their own events.
    signals.push_back(connect<&Impl::onOverlayChildPosition>(overlay, "get-child-position", this));
    // Only the buttons themselves take presses; the rest of their strip passes them to the page.
    gtk_overlay_set_overlay_pass_through(GTK_OVERLAY(overlay), buttonsBox, TRUE);
}

gboolean Window::Impl::onOverlayChildPosition(GtkOverlay*, GtkWidget* child, GdkRectangle* place)
{
    if (child != buttonsBox)
        return FALSE;
    *place = { int(windowButtonsPlace.origin.x), int(windowButtonsPlace.origin.y), int(windowButtonsPlace.size.width), int(windowButtonsPlace.size.height) };
    // Under a right-to-left language the title bar is mirrored: the buttons sit at the top-right, in
    // mirrored order (GTK lays the box out so), and far enough from the right edge to keep clear of
    // the page's scrollbar, which the engine puts on the right of a left-to-right page.
    if (gtk_widget_get_direction(buttonsBox) == GTK_TEXT_DIR_RTL)
        place->x = gtk_widget_get_allocated_width(overlay) - int(windowButtonsPlace.origin.x + scrollbarRoom) - place->width;
    return TRUE;
}

void Window::Impl::layOut()
{
    if (band)
        gtk_widget_set_visible(band, !fullScreen && !pageFullScreen);
    if (buttonsBox)
        gtk_widget_set_visible(buttonsBox, !pageFullScreen);
    // A partial redraw over the page leaves holes until its next full frame: redraw all of it.
    gtk_widget_queue_draw(overlay);
}

gboolean Window::Impl::onBandDraw(GtkWidget* widget, cairo_t* cairo)
{
    cairo_set_source_rgba(cairo, bandColour.red, bandColour.green, bandColour.blue, bandColour.alpha);
    cairo_set_operator(cairo, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cairo);
    if (!progress)
        return TRUE;
    // Dark on a light band, light on a dark one; faint and whole when how far is not known.
    double width = gtk_widget_get_allocated_width(widget), height = gtk_widget_get_allocated_height(widget);
    double lightness = 0.2126 * bandColour.red + 0.7152 * bandColour.green + 0.0722 * bandColour.blue;
    double shade = lightness > 0.5 ? 0 : 1;
    bool known = *progress >= 0;
    cairo_set_operator(cairo, CAIRO_OPERATOR_OVER);
    cairo_set_source_rgba(cairo, shade, shade, shade, known ? 0.5 : 0.25);
    cairo_rectangle(cairo, 0, height - progressLine, known ? width * std::min(*progress, 1.0) : width, progressLine);
    cairo_fill(cairo);
    return TRUE;
}

gboolean Window::Impl::onBandPress(GtkWidget*, GdkEventButton* event)
{
    if (event->type == GDK_BUTTON_PRESS) {
        countUserInput();
        hadUserInput = true;
    }
    if (owner.onBandPress)
        owner.onBandPress(pressFrom(reinterpret_cast<GdkEvent*>(event), window.get()));
    return TRUE;
}

gboolean Window::Impl::onButtonDraw(GtkWidget* button, cairo_t* cairo)
{
    if (!buttonsShown)
        return TRUE;
    std::size_t index = indexOf(button, buttons);
    double width = gtk_widget_get_allocated_width(button), height = gtk_widget_get_allocated_height(button);
    double radius = std::min(width, height) / 2, cx = width / 2, cy = height / 2;
    Look look = looks[index];
    double shade = (gtk_widget_get_state_flags(button) & GTK_STATE_FLAG_ACTIVE) ? 0.8 : 1.0;
    cairo_arc(cairo, cx, cy, radius, 0, 2 * M_PI);
    cairo_set_source_rgb(cairo, look.red * shade, look.green * shade, look.blue * shade);
    cairo_fill(cairo);
    // The glyphs show while the pointer is over any of the buttons, as title buttons usually do.
    if (!overButtons)
        return TRUE;
    cairo_set_source_rgba(cairo, 0.2, 0.1, 0.05, 0.75);
    cairo_set_line_width(cairo, 1.5);
    double arm = radius * 0.45;
    if (index == std::size_t(WindowButton::close)) {
        cairo_move_to(cairo, cx - arm, cy - arm);
        cairo_line_to(cairo, cx + arm, cy + arm);
        cairo_move_to(cairo, cx + arm, cy - arm);
        cairo_line_to(cairo, cx - arm, cy + arm);
    } else {
        cairo_move_to(cairo, cx - arm, cy);
        cairo_line_to(cairo, cx + arm, cy);
        if (index == std::size_t(WindowButton::zoom)) {
            cairo_move_to(cairo, cx, cy - arm);
            cairo_line_to(cairo, cx, cy + arm);
        }
    }
    cairo_stroke(cairo);
    return TRUE;
}

void Window::Impl::onButtonClicked(GtkButton* button)
{
    act(WindowButton(indexOf(GTK_WIDGET(button), buttons)));
}

void Window::Impl::act(WindowButton kind)
{
    if (kind == WindowButton::close) {
        if (!owner.onCloseRequest || owner.onCloseRequest())
            owner.close();
    } else if (owner.onButton) {
        owner.onButton(kind);
    }
}

gboolean Window::Impl::onButtonCrossing(GtkWidget*, GdkEventCrossing* event)
{
    overButtons = event->type == GDK_ENTER_NOTIFY;
    layOut();
    return FALSE;
}

bool Window::hasOwnTitleBar() const
{
    return m_impl->band != nullptr;
}

Colour Window::bandColour() const
{
    return m_impl->bandColour;
}

void Window::setBandColour(Colour colour)
{
    if (m_impl->bandColour == colour)
        return;
    m_impl->bandColour = colour;
    if (m_impl->band)
        gtk_widget_queue_draw(m_impl->window.get());
}

void Window::setFirstColour(std::optional<Colour> colour)
{
    m_impl->firstColour = colour;
    gtk_widget_queue_draw(m_impl->window.get());
}

void Window::setProgress(std::optional<double> fraction)
{
    Impl& impl = *m_impl;
    if (!impl.band)
        return;
    // Redrawn only when the line would look different, a pixel at a time.
    double width = gtk_widget_get_allocated_width(impl.band);
    auto drawn = [width](const std::optional<double>& value) { return value ? (*value < 0 ? -1.0 : std::floor(width * std::min(*value, 1.0))) : -2.0; };
    bool changed = drawn(fraction) != drawn(impl.progress);
    impl.progress = fraction;
    if (changed)
        gtk_widget_queue_draw(impl.band);
}

void Window::showButtons(bool show)
{
    Impl& impl = *m_impl;
    if (!impl.buttonsBox || impl.buttonsShown == show)
        return;
    impl.buttonsShown = show;
    // Unmapped, not merely transparent: a hidden button is not there for screen readers or the keyboard.
    for (GtkWidget* button : impl.buttons)
        gtk_widget_set_child_visible(button, show);
    impl.layOut();
}

bool Window::buttonsShown() const
{
    return m_impl->buttonsBox && m_impl->buttonsShown;
}

std::optional<Rect> Window::buttonsArea() const
{
    const Impl& impl = *m_impl;
    if (!impl.buttonsBox)
        return std::nullopt;
    // Where GTK has laid them out (their box holds the three and no more, whichever way round they
    // stand); before the first layout, where it will.
    GtkAllocation box {};
    gtk_widget_get_allocation(impl.buttonsBox, &box);
    int left = 0, topEdge = 0;
    if (box.width <= 1 || !gtk_widget_translate_coordinates(impl.buttonsBox, impl.window.get(), 0, 0, &left, &topEdge))
        return windowButtonsPlace;
    return Rect { { double(left), double(topEdge) }, { double(box.width), double(box.height) } };
}

bool Window::isBandAt(Point point) const
{
    const Impl& impl = *m_impl;
    if (!impl.band || !gtk_widget_get_visible(impl.band))
        return false;
    auto buttons = buttonsArea();
    if (buttons && impl.buttonsShown && buttons->contains(point))
        return false;
    int x = 0, y = 0;
    if (!gtk_widget_translate_coordinates(impl.band, impl.window.get(), 0, 0, &x, &y))
        return false;
    Rect band { { double(x), double(y) }, { double(gtk_widget_get_allocated_width(impl.band)), double(gtk_widget_get_allocated_height(impl.band)) } };
    return band.contains(point);
}

} // namespace quillane::platform
