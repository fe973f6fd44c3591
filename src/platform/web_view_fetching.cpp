// What the program asks of the page itself: scripts whose promises it awaits, the page's icon.
#include "platform/gtk/web_view_impl.h"

namespace quillane::platform {

void WebView::callAsyncJavaScript(const std::string& body, const std::vector<std::pair<std::string, std::string>>& arguments,
    std::function<void(std::optional<std::string>)> completion)
{
    GVariantBuilder named;
    g_variant_builder_init(&named, G_VARIANT_TYPE_VARDICT);
    for (const auto& [name, value] : arguments)
        g_variant_builder_add(&named, "{sv}", name.c_str(), g_variant_new_string(value.c_str()));
    using Completion = std::function<void(std::optional<std::string>)>;
    auto* held = new Completion(std::move(completion));
    const char* world = m_impl->scriptWorld.empty() ? nullptr : m_impl->scriptWorld.c_str();
    webkit_web_view_call_async_javascript_function(m_impl->view.get(), body.c_str(), static_cast<gssize>(body.size()), g_variant_builder_end(&named),
        world, nullptr,
        nullptr,
        [](GObject* source, GAsyncResult* result, gpointer data) {
            std::unique_ptr<Completion> done(static_cast<Completion*>(data));
            auto value = GObjectRef<JSCValue>::adopt(webkit_web_view_call_async_javascript_function_finish(WEBKIT_WEB_VIEW(source), result, nullptr));
            if (!value || !jsc_value_is_string(value.get())) {
                (*done)(std::nullopt);
                return;
            }
            GCharPtr text(jsc_value_to_string(value.get()));
            (*done)(text ? std::optional<std::string>(static_cast<char*>(text.get())) : std::nullopt);
        },
        held);
}

bool WebView::saveFavicon(const std::string& path) const
{
    cairo_surface_t* favicon = webkit_web_view_get_favicon(m_impl->view.get());
    return favicon && cairo_surface_write_to_png(favicon, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

} // namespace quillane::platform
