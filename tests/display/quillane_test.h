#pragma once
// A test of the real program showing a page served on 127.0.0.1, on a private display.
#include "harness.h"
#include "http_server.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <algorithm>
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

    // Runs a command of the running Quillane ("install-app"), as its menu item does.
    // The default application's commands are at its desktop entry's id under the program's path,
    // each character but letters and digits written as "_" and two hex digits.
    static constexpr const char* defaultApplicationPath = "/org/quillane/Quillane/applications/org_2equillane_2eQuillane";
    void activate(const std::string& command) const
    {
        session.run({ "gdbus", "call", "--session", "--dest", "org.quillane.Quillane", "--object-path", defaultApplicationPath, "--method",
            "org.gtk.Actions.Activate", command, "[]", "{}" });
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

    // Presses the left button at a point of the window (top-left coordinates) and moves by (dx, dy):
    // true once the window has followed. The window manager follows a drag from the motion after it
    // starts, so the pointer goes on moving until then.
    bool dragMoves(int x, int y, int dx, int dy, const std::vector<std::string>& heldKeys = {}) const
    {
        for (const auto& key : heldKeys)
            session.xdotool({ "keydown", key });
        Geometry before = frame();
        pointAt(x, y);
        session.xdotool({ "mousedown", "1" });
        int nudge = 0;
        bool moved = waitUntil([&] {
            session.xdotool({ "mousemove", std::to_string(before.x + x + dx + (++nudge % 2)), std::to_string(before.y + y + dy) });
            session.xdotool({ "mousemove", std::to_string(before.x + x + dx), std::to_string(before.y + y + dy) });
            Geometry now = frame();
            return now.x == before.x + dx && now.y == before.y + dy;
        }, std::chrono::seconds(3));
        session.xdotool({ "mouseup", "1" });
        for (const auto& key : heldKeys)
            session.xdotool({ "keyup", key });
        return moved;
    }

    bool isActive(unsigned long id) const { return session.run({ "xdotool", "getactivewindow" }) == std::to_string(id) + "\n"; }
    // A click in the window once the window manager has given it the focus (back): a click in the
    // moment a dialog or another window goes can be lost on its way.
    // Presses the left button inside another window of the program's (a page window), so that its
    // page has had the user's input.
    void clickInside(unsigned long other) const
    {
        Geometry inside = session.geometry(other);
        session.xdotool({ "mousemove", std::to_string(inside.x + 100), std::to_string(inside.y + 100) });
        session.xdotool({ "click", "1" });
    }
    void click(int x, int y) const
    {
        waitUntil([&] { return isActive(window); });
        pointAt(x, y);
        session.xdotool({ "click", "1" });
    }
    void key(const std::string& keys) const
    {
        session.xdotool({ "windowactivate", "--sync", std::to_string(window) });
        session.xdotool({ "key", keys });
    }
    std::string title() const { return session.property(window, "_NET_WM_NAME"); }
    bool titleHas(const std::string& text) const
    {
        return waitUntil([&] { return title().find(text) != std::string::npos; });
    }
    // Windows on screen with exactly this title.
    int windowsNamed(const std::string& name) const { return int(session.windowsNamed(name).size()); }
    bool gone(const std::string& name, std::chrono::milliseconds within = std::chrono::seconds(10)) const
    {
        return waitUntil([&] { return windowsNamed(name) == 0; }, within);
    }
    // The program's windows on screen: the main window and its dialogs.
    int windowsShown() const
    {
        return int(session.search({ "--class", "^Quillane$" }).size());
    }

    DisplaySession session;
    HttpServer server;
    std::unique_ptr<Process> quillane;
    unsigned long window = 0;
};


} // namespace quillane::testing
