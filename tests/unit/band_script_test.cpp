// The band script's choice of colour, run by the engine's JavaScript on a pretend page (no display).
#include "fixed_texts.h"
#include "platform/gtk/gobject_ref.h"

#include <jsc/jsc.h>

#include <gtest/gtest.h>

using quillane::platform::GCharPtr;
using quillane::platform::GObjectRef;

namespace {
// A page of three nested elements (html > body > div) with the given backgrounds, the div at the top.
constexpr const char* pretendPage = R"(
const posted = [];
var webkit = { messageHandlers: { quillane: { postMessage: value => posted.push(value.band) } } };
const listeners = {};
function addEventListener(type, listener) { (listeners[type] = listeners[type] || []).push(listener); }
var innerWidth = 800;
function makePage(root, body, div, top) {
    const html = { background: root, parentElement: null };
    const bodyElement = { background: body, parentElement: html };
    const divElement = { background: div, parentElement: bodyElement };
    const atTop = { html, body: bodyElement, div: divElement }[top];
    return { documentElement: html, body: bodyElement, elementFromPoint: () => atTop, querySelectorAll: () => [] };
}
var document;
function getComputedStyle(element) { return { backgroundColor: element.background }; }
function matchMedia() { return { addEventListener() {} }; }
function MutationObserver() { this.observe = () => {}; }
)";

std::string bandOf(const std::string& root, const std::string& body, const std::string& div, const std::string& top)
{
    auto context = GObjectRef<JSCContext>::adopt(jsc_context_new());
    auto run = [&](const std::string& script) { return GObjectRef<JSCValue>::adopt(jsc_context_evaluate(context.get(), script.c_str(), -1)); };
    run(pretendPage);
    run("document = makePage('" + root + "', '" + body + "', '" + div + "', '" + top + "')");
    run(quillane::buildFixedTexts().bandScript);
    auto posted = run("listeners.DOMContentLoaded.forEach(listener => listener()); posted.join('|')");
    GCharPtr text(jsc_value_to_string(posted.get()));
    return static_cast<char*>(text.get());
}

constexpr const char* none = "rgba(0, 0, 0, 0)";
} // namespace

TEST(BandScript, TheTopElementOrItsNearestAncestorWithABackgroundGivesTheColour)
{
    EXPECT_EQ(bandOf("rgb(0, 0, 255)", "rgb(255, 0, 0)", "rgb(0, 128, 0)", "div"), "rgb(0, 128, 0)");
    EXPECT_EQ(bandOf("rgb(0, 0, 255)", "rgb(255, 0, 0)", none, "div"), "rgb(255, 0, 0)");
    EXPECT_EQ(bandOf("rgb(0, 0, 255)", "rgb(255, 0, 0)", none, "html"), "rgb(0, 0, 255)") << "a root of its own colour";
    EXPECT_EQ(bandOf(none, none, "rgba(10, 20, 30, 0.5)", "div"), "rgba(10, 20, 30, 0.5)") << "partly transparent shows";
    EXPECT_EQ(bandOf(none, none, none, "div"), "") << "nothing shows: the program falls back to the page's under-page colour";
}

TEST(BandScript, ARootWithoutABackgroundShowsTheBodysAsTheBrowserPaintsTheCanvas)
{
    // The body's margin leaves the root at the top; the body's colour covers the whole canvas.
    EXPECT_EQ(bandOf(none, "rgb(255, 0, 0)", none, "html"), "rgb(255, 0, 0)");
    EXPECT_EQ(bandOf(none, none, "rgb(0, 128, 0)", "html"), "");
}
