// What the program asks of the page itself: scripts whose promises it awaits, the page's icon.
// (Downloads of the program's own are in program_download.cpp.)
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

bool WebView::saveFavicon(const std::string& path, const ImageLimits& limits) const
{
    cairo_surface_t* favicon = webkit_web_view_get_favicon(m_impl->view.get());
    if (!favicon || cairo_surface_get_type(favicon) != CAIRO_SURFACE_TYPE_IMAGE)
        return false;
    int width = cairo_image_surface_get_width(favicon), height = cairo_image_surface_get_height(favicon);
    auto size = decodedSize(ImageKind::raster, width, height, limits);
    if (!size)
        return false;
    using Surface = std::unique_ptr<cairo_surface_t, GLibDeleter<cairo_surface_t, cairo_surface_destroy>>;
    using Drawing = std::unique_ptr<cairo_t, GLibDeleter<cairo_t, cairo_destroy>>;
    Surface scaled(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size->width, size->height));
    Drawing drawing(cairo_create(scaled.get()));
    cairo_scale(drawing.get(), double(size->width) / width, double(size->height) / height);
    cairo_set_source_surface(drawing.get(), favicon, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(drawing.get()), CAIRO_FILTER_GOOD);
    cairo_paint(drawing.get());
    cairo_surface_flush(scaled.get());
    return cairo_surface_write_to_png(scaled.get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

} // namespace quillane::platform
