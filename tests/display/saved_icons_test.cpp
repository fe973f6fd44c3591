// The page's favicon as the engine gives it, saved as an icon: made the size an icon is made, and
// refused past the size a raster icon may have.
#include "harness.h"
#include "http_server.h"
#include "in_process.h"
#include "platform/application.h"
#include "platform/gtk/web_view_impl.h"
#include "platform/web_view.h"
#include "platform/window.h"
#include "test_images.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>
#include <webkit2/webkit2.h>

using namespace quillane;
using namespace quillane::testing;

TEST(SavedIcons, TheFaviconIsSavedAtTheIconsSideAndAnOversizedOneIsRefused)
{
    DisplaySession session;
    session.enterThisProcess();
    HttpServer server;
    server.serve("/small.png", solidPng(16, 16, 0, 160, 80), "image/png");
    server.serve("/small.html", "<link rel='icon' href='/small.png'><body>small</body>");
    server.serve("/wide.png", solidPng(1025, 4, 0, 160, 80), "image/png");
    server.serve("/wide.html", "<link rel='icon' href='/wide.png'><body>wide</body>");
    constexpr platform::ImageLimits limits { .side = 256, .largestRaster = 1024 };
    runApplication([&](platform::Application& application) {
        platform::WebView page(application, {});
        // The program leaves the engine's favicon database off; this test turns it on so that the
        // page has a favicon to save.
        WebKitWebContext* context = webkit_web_view_get_context(platform::implOf(page).view.get());
        webkit_web_context_set_favicon_database_directory(context, (session.folder() + "/favicons").c_str());
        platform::Window window(application, page, { 400, 300 });
        window.present();

        std::string saved = session.folder() + "/favicon.png";
        page.load(server.url("/small.html"), 60);
        ASSERT_TRUE(spinUntil([&] { return page.saveFavicon(saved, limits); })) << "the engine gave the favicon";
        GdkPixbuf* icon = gdk_pixbuf_new_from_file(saved.c_str(), nullptr);
        ASSERT_TRUE(icon);
        EXPECT_EQ(gdk_pixbuf_get_width(icon), 256);
        EXPECT_EQ(gdk_pixbuf_get_height(icon), 256);
        const guint8* centre = gdk_pixbuf_read_pixels(icon) + 128 * gdk_pixbuf_get_rowstride(icon) + 128 * gdk_pixbuf_get_n_channels(icon);
        EXPECT_EQ(std::tuple(centre[0], centre[1], centre[2]), std::tuple(0, 160, 80));
        g_object_unref(icon);

        // The engine has decoded this one already; it is still not made into an icon. (It has come
        // once a limit it fits in saves it 256 × 1.)
        page.load(server.url("/wide.html"), 60);
        constexpr platform::ImageLimits roomier { .side = 256, .largestRaster = 2048 };
        ASSERT_TRUE(spinUntil([&] {
            if (!page.saveFavicon(saved, roomier))
                return false;
            GdkPixbuf* wide = gdk_pixbuf_new_from_file(saved.c_str(), nullptr);
            bool arrived = wide && gdk_pixbuf_get_width(wide) == 256 && gdk_pixbuf_get_height(wide) == 1;
            if (wide)
                g_object_unref(wide);
            return arrived;
        }));
        EXPECT_FALSE(page.saveFavicon(saved, limits));
    });
}
