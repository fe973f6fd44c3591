#pragma once
// A test of the real program showing a page served on 127.0.0.1, on a private display.
#include "harness.h"
#include "http_server.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace quillane::testing {

class QuillaneTest : public ::testing::Test {
protected:
    // The close button's centre and the row through the buttons, from the window's top-left corner.
    static constexpr int closeX = 15, buttonsY = 14;

    // Serves the page, makes it the remembered address and starts Quillane; true once the window
    // shows and the page has painted its first frame (it asks the server for "/painted" then).
    bool open(const std::string& page, const std::string& extraPreferences = "")
    {
        server.serve("/page.html", page + paintedReport);
        session.writePreferences("[Preferences]\naddress='" + server.url("/page.html") + "'\n" + extraPreferences);
        quillane = session.startQuillane();
        auto found = session.waitForWindow();
        if (!found || !waitUntil([&] { return server.timesRequested("/painted") >= 1; }))
            return false;
        window = *found;
        return true;
    }
    static constexpr const char* paintedReport
        = "<script>addEventListener('load', () => requestAnimationFrame(() => requestAnimationFrame(() => fetch('/painted'))))</script>";

    // Closes the window, which quits, and starts Quillane again; true once the new window shows.
    bool restart()
    {
        session.run({ "wmctrl", "-i", "-c", std::to_string(window) });
        if (quillane->waitForExit(std::chrono::seconds(10)) != 0)
            return false;
        quillane = session.startQuillane();
        auto found = session.waitForWindow();
        if (!found)
            return false;
        window = *found;
        return true;
    }

    Geometry frame() const { return session.geometry(window); }

    // Asks the running Quillane to install its page, as its context menu's item does.
    void installFromThePage() const
    {
        session.run({ "gdbus", "call", "--session", "--dest", "org.quillane.Quillane", "--object-path",
            "/org/quillane/Quillane/applications/org_quillane_Quillane", "--method",
            "org.gtk.Actions.Activate", "install-app", "[]", "{}" });
    }

    // The colour at a point given in the window's top-left coordinates.
    Pixel pixel(int x, int y) const
    {
        Geometry here = frame();
        return session.screenshot({ here.x + x, here.y + y, 1, 1 }, "pixel").at(0, 0);
    }

    bool waitForPixel(int x, int y, Pixel expected, std::chrono::milliseconds timeout = std::chrono::seconds(5)) const
    {
        return waitUntil([&] { return near(pixel(x, y), expected); }, timeout);
    }

    // The close button is seen by its own red, left of its centre (where the pointer over it draws
    // its cross).
    bool buttonsShow() const
    {
        Pixel close = pixel(closeX - 4, buttonsY);
        return close.red > 200 && close.green < 120;
    }

    static bool near(const Pixel& a, const Pixel& b) { return std::abs(a.red - b.red) <= 2 && std::abs(a.green - b.green) <= 2 && std::abs(a.blue - b.blue) <= 2; }

    // Moves the pointer to a point given in the window's top-left coordinates.
    void pointAt(int x, int y) const
    {
        Geometry here = frame();
        session.xdotool({ "mousemove", std::to_string(here.x + x), std::to_string(here.y + y) });
    }

    DisplaySession session;
    HttpServer server;
    std::unique_ptr<Process> quillane;
    unsigned long window = 0;
};

inline std::ostream& operator<<(std::ostream& out, const Pixel& pixel)
{
    return out << "rgb(" << pixel.red << ", " << pixel.green << ", " << pixel.blue << ")";
}

} // namespace quillane::testing
