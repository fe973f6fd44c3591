// Keys reach the focused view (the page) before the menus' key equivalents: a key equivalent acts
// only on a key the page leaves alone. The web view answers at once that it has taken a key, sends
// it to the page, and when the page did not handle it delivers it again, marked to be let through;
// then the key equivalent acts. A few keys of the program's own (to quit, to open another address)
// must work whatever the page does: when the page has not dealt with one of those within a moment
// (a page whose script never yields, or no page at all), the program acts on it all the same. And a
// few are the program's before the page sees them at all: those the owner names (Alt+arrows).
#include "platform/gtk/window_impl.h"

#include <webkit2/webkit2.h>

namespace quillane::platform {

namespace {
// How long a page may take over one of the program's own keys.
constexpr double pagePatience = 0.25;

bool matches(const GdkEventKey* key, const std::vector<std::string>& accelerators)
{
    guint modifiers = key->state & gtk_accelerator_get_default_mod_mask();
    guint keyval = gdk_keyval_to_lower(key->keyval);
    for (const auto& accelerator : accelerators) {
        guint wantedKey = 0;
        GdkModifierType wantedModifiers {};
        gtk_accelerator_parse(accelerator.c_str(), &wantedKey, &wantedModifiers);
        // Shift may be what made the key's symbol.
        if (wantedKey && gdk_keyval_to_lower(wantedKey) == keyval
            && (guint(wantedModifiers) == modifiers || guint(wantedModifiers) == (modifiers & ~GDK_SHIFT_MASK)))
            return true;
    }
    return false;
}

bool sameKey(const GdkEventKey& a, const GdkEventKey& b)
{
    return a.time == b.time && a.keyval == b.keyval && a.hardware_keycode == b.hardware_keycode && a.state == b.state;
}

struct PageAnswer {
    std::weak_ptr<Window::Impl*> window;
    unsigned long key;
};
} // namespace

void Window::setKeysKeptFromAnUnresponsivePage(std::vector<std::string> accelerators)
{
    m_impl->urgentAccelerators = std::move(accelerators);
}

void Window::setKeysBeforeThePage(std::vector<std::string> accelerators)
{
    m_impl->acceleratorsBeforeThePage = std::move(accelerators);
}

gboolean Window::Impl::onKeyPress(GtkWidget*, GdkEventKey* key)
{
    GtkWindow* gtkWindow = GTK_WINDOW(window.get());
    // The page hands back the keys it leaves alone: one press, counted once.
    if (key->time != lastCountedKey.first || key->hardware_keycode != lastCountedKey.second) {
        lastCountedKey = { key->time, key->hardware_keycode };
        countUserInput();
        hadUserInput = true;
    }
    if (matches(key, acceleratorsBeforeThePage) && gtk_window_activate_key(gtkWindow, key))
        return TRUE;
    // One of the program's keys coming back from the page, which left it alone; or too late, after
    // the program acted on it for a page that did not answer.
    for (auto waiting = waitingKeys.begin(); waiting != waitingKeys.end(); ++waiting) {
        if (sameKey(waiting->event->key, *key)) {
            bool actedOn = waiting->actedOn;
            waitingKeys.erase(waiting);
            if (actedOn)
                return TRUE;
            break;
        }
    }
    GtkWidget* focus = gtk_window_get_focus(gtkWindow);
    bool urgent = focus && WEBKIT_IS_WEB_VIEW(focus) && matches(key, urgentAccelerators);
    if (gtk_window_propagate_key_event(gtkWindow, key)) {
        // A view that has never loaded a page drops the key.
        if (urgent && !webkit_web_view_get_uri(WEBKIT_WEB_VIEW(focus)))
            gtk_window_activate_key(gtkWindow, key);
        else if (urgent)
            waitForThePage(WEBKIT_WEB_VIEW(focus), key);
        return TRUE;
    }
    if (gtk_window_activate_key(gtkWindow, key))
        return TRUE;
    // What neither took: the window's own bindings (focus moves, say), as GTK would run them.
    gtk_bindings_activate_event(G_OBJECT(gtkWindow), key);
    return TRUE;
}

void Window::Impl::waitForThePage(WebKitWebView* page, GdkEventKey* key)
{
    // A page that never answers would otherwise leave one behind for each key.
    constexpr std::size_t mostKept = 16;
    if (waitingKeys.size() >= mostKept)
        waitingKeys.pop_front();
    WaitingKey& waiting = waitingKeys.emplace_back();
    waiting.id = ++lastKeyId;
    waiting.event.reset(gdk_event_copy(reinterpret_cast<GdkEvent*>(key)));
    unsigned long id = waiting.id;
    waiting.timer = runOnMainQueueAfter(pagePatience, [this, id] { actOnKey(id); });
    // The page's process takes what it is sent in order: once a script sent after the key has run,
    // the key has been dealt with (taken by the page, or handed back before the script's answer).
    auto* answer = new PageAnswer { self, id };
    webkit_web_view_evaluate_javascript(page, "0", -1, nullptr, nullptr, nullptr,
        [](GObject* source, GAsyncResult* result, gpointer data) {
            std::unique_ptr<PageAnswer> answer(static_cast<PageAnswer*>(data));
            ErrorOut error;
            auto value = GObjectRef<JSCValue>::adopt(webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), result, error.out()));
            auto alive = answer->window.lock();
            if (!alive)
                return;
            Window::Impl& impl = **alive;
            // No page to run it (none loaded, or its process gone): the key went nowhere.
            if (!value) {
                impl.actOnKey(answer->key);
                return;
            }
            impl.waitingKeys.remove_if([&](const WaitingKey& waiting) { return waiting.id == answer->key && !waiting.actedOn; });
        },
        answer);
}

void Window::Impl::actOnKey(unsigned long id)
{
    for (auto& waiting : waitingKeys) {
        if (waiting.id != id || waiting.actedOn)
            continue;
        waiting.actedOn = true;
        waiting.timer.cancel();
        gtk_window_activate_key(GTK_WINDOW(window.get()), &waiting.event->key);
        return;
    }
}

} // namespace quillane::platform
