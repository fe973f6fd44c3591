#include "platform/colour_scheme.h"

#include "platform/gtk/gobject_ref.h"
#include "platform/gtk/signal.h"

#include <gtk/gtk.h>

namespace quillane::platform {

namespace {
constexpr const char* portalName = "org.freedesktop.portal.Desktop";
constexpr const char* portalPath = "/org/freedesktop/portal/desktop";
constexpr const char* settingsInterface = "org.freedesktop.portal.Settings";
constexpr const char* appearance = "org.freedesktop.appearance";
constexpr const char* colourSchemeKey = "color-scheme";
// A running portal answers within milliseconds (13 to 51 ms measured on a machine busy with a load
// of 12); the start waits no longer than this, and a later answer still comes through the watch.
constexpr int startTimeoutMilliseconds = 200;

// The number in a portal's answer: ReadOne gives the value in a variant, the older Read one variant
// deeper.
std::optional<std::int64_t> numberIn(GVariant* value)
{
    GVariantPtr held(g_variant_ref(value));
    while (g_variant_is_of_type(held.get(), G_VARIANT_TYPE_VARIANT))
        held.reset(g_variant_get_variant(held.get()));
    if (g_variant_is_of_type(held.get(), G_VARIANT_TYPE_UINT32))
        return g_variant_get_uint32(held.get());
    if (g_variant_is_of_type(held.get(), G_VARIANT_TYPE_INT32))
        return g_variant_get_int32(held.get());
    return std::nullopt;
}

std::optional<std::int64_t> numberInReply(GVariant* reply)
{
    if (!reply || !g_variant_is_of_type(reply, G_VARIANT_TYPE("(v)")))
        return std::nullopt;
    GVariantPtr value(g_variant_get_child_value(reply, 0));
    return numberIn(value.get());
}

bool isUnknownMethod(const GError* error)
{
    return g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_METHOD);
}

GVariant* settingName()
{
    return g_variant_new("(ss)", appearance, colourSchemeKey);
}
} // namespace

struct DesktopColourScheme::Impl {
    DesktopColourScheme& owner;
    GtkSettings* settings = nullptr;
    bool usersOwnSetting = false;
    ColourScheme desktop = ColourScheme::noPreference;
    bool dark = false;
    GObjectRef<GDBusConnection> bus;
    GObjectRef<GCancellable> cancellable = GObjectRef<GCancellable>::adopt(g_cancellable_new());
    guint subscription = 0;
    guint watch = 0;
    SignalConnection themeChanged;

    explicit Impl(DesktopColourScheme& scheme)
        : owner(scheme)
    {
    }

    ~Impl()
    {
        g_cancellable_cancel(cancellable.get());
        if (watch)
            g_bus_unwatch_name(watch);
        if (subscription)
            g_dbus_connection_signal_unsubscribe(bus.get(), subscription);
    }

    std::string themeName() const
    {
        if (const char* forced = g_getenv("GTK_THEME"))
            return forced;
        char* raw = nullptr;
        g_object_get(settings, "gtk-theme-name", &raw, nullptr);
        GCharPtr name(raw);
        return raw ? raw : "";
    }

    void apply(ColourScheme scheme)
    {
        desktop = scheme;
        bool prefer = preferDarkTheme(desktop, usersOwnSetting);
        gboolean current = FALSE;
        g_object_get(settings, "gtk-application-prefer-dark-theme", &current, nullptr);
        if (bool(current) != prefer)
            g_object_set(settings, "gtk-application-prefer-dark-theme", gboolean(prefer), nullptr);
        lookAgain();
    }

    void lookAgain()
    {
        bool nowDark = looksDark(preferDarkTheme(desktop, usersOwnSetting), themeName());
        if (nowDark == dark)
            return;
        dark = nowDark;
        owner.changed(dark);
    }

    void onThemeName(GObject*, GParamSpec*) { lookAgain(); }

    // At the start: the answer of a portal that is running, before any page shows.
    void readNow()
    {
        ErrorOut error;
        GVariantPtr reply(g_dbus_connection_call_sync(bus.get(), portalName, portalPath, settingsInterface, "ReadOne", settingName(),
            G_VARIANT_TYPE("(v)"), G_DBUS_CALL_FLAGS_NO_AUTO_START, startTimeoutMilliseconds, nullptr, error.out()));
        if (!reply && isUnknownMethod(error.get())) {
            reply.reset(g_dbus_connection_call_sync(bus.get(), portalName, portalPath, settingsInterface, "Read", settingName(), G_VARIANT_TYPE("(v)"),
                G_DBUS_CALL_FLAGS_NO_AUTO_START, startTimeoutMilliseconds, nullptr, nullptr));
        }
        if (reply)
            apply(colourSchemeFromPortal(numberInReply(reply.get())));
    }

    // A portal that started, or came back: its answer when it comes.
    void readLater(const char* method)
    {
        g_dbus_connection_call(bus.get(), portalName, portalPath, settingsInterface, method, settingName(), G_VARIANT_TYPE("(v)"),
            G_DBUS_CALL_FLAGS_NONE, -1, cancellable.get(),
            [](GObject* source, GAsyncResult* result, gpointer data) {
                ErrorOut error;
                GVariantPtr reply(g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, error.out()));
                if (g_error_matches(error.get(), G_IO_ERROR, G_IO_ERROR_CANCELLED))
                    return;
                auto* self = static_cast<Impl*>(data);
                if (!reply && isUnknownMethod(error.get()))
                    self->readLater("Read");
                else if (reply)
                    self->apply(colourSchemeFromPortal(numberInReply(reply.get())));
            },
            this);
    }

    static void onSettingChanged(GDBusConnection*, const char*, const char*, const char*, const char*, GVariant* parameters, gpointer data)
    {
        if (!g_variant_is_of_type(parameters, G_VARIANT_TYPE("(ssv)")))
            return;
        const char* group = nullptr;
        const char* key = nullptr;
        GVariantPtr value;
        GVariant* raw = nullptr;
        g_variant_get(parameters, "(&s&sv)", &group, &key, &raw);
        value.reset(raw);
        if (g_strcmp0(group, appearance) == 0 && g_strcmp0(key, colourSchemeKey) == 0)
            static_cast<Impl*>(data)->apply(colourSchemeFromPortal(numberIn(value.get())));
    }

    static void onPortalAppeared(GDBusConnection*, const char*, const char*, gpointer data) { static_cast<Impl*>(data)->readLater("ReadOne"); }
};

DesktopColourScheme::DesktopColourScheme()
    : m_impl(std::make_unique<Impl>(*this))
{
    Impl& impl = *m_impl;
    impl.settings = gtk_settings_get_default();
    if (!impl.settings)
        return;
    gboolean own = FALSE;
    g_object_get(impl.settings, "gtk-application-prefer-dark-theme", &own, nullptr);
    impl.usersOwnSetting = own;
    impl.dark = looksDark(impl.usersOwnSetting, impl.themeName());
    impl.themeChanged = connect<&Impl::onThemeName>(impl.settings, "notify::gtk-theme-name", &impl);

    impl.bus = GObjectRef<GDBusConnection>::adopt(g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr));
    if (!impl.bus)
        return;
    impl.subscription = g_dbus_connection_signal_subscribe(impl.bus.get(), portalName, settingsInterface, "SettingChanged", portalPath, appearance,
        G_DBUS_SIGNAL_FLAGS_NONE, &Impl::onSettingChanged, &impl, nullptr);
    impl.readNow();
    // A portal that is not running yet is started, and read when it has; one that restarts is read again.
    impl.watch = g_bus_watch_name_on_connection(impl.bus.get(), portalName, G_BUS_NAME_WATCHER_FLAGS_AUTO_START, &Impl::onPortalAppeared, nullptr,
        &impl, nullptr);
}

DesktopColourScheme::~DesktopColourScheme() = default;

bool DesktopColourScheme::isDark() const
{
    return m_impl->dark;
}

} // namespace quillane::platform
