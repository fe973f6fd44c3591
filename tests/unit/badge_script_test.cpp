// The badge's two scripts, run by the engine's JavaScript on a pretend page (no display): the page's
// navigator.setAppBadge() and what our own world passes on of the event it raises.
#include "fixed_texts.h"
#include "script_runner.h"

#include <gtest/gtest.h>

namespace {
using Script = quillane::testing::ScriptRunner;

// Our world: the event's listeners, a timer run by hand, and what is posted.
constexpr const char* ourWorld = R"(
const posted = [];
var webkit = { messageHandlers: { quillane: { postMessage: value => posted.push(JSON.stringify(value.badge)) } } };
const listeners = {};
function addEventListener(type, listener) { (listeners[type] = listeners[type] || []).push(listener); }
let timers = [];
const delays = [];
function setTimeout(block, delay) { timers.push(block); delays.push(delay); return timers.length; }
function raise(detail) { (listeners['quillane-app-badge'] || []).forEach(listener => listener({ detail })); }
function later() { const due = timers; timers = []; due.forEach(block => block()); }
)";

// The page's world: a navigator, and the events raised on the window.
constexpr const char* pageWorld = R"(
var window = globalThis;
window.top = window;
function Navigator() {}
var navigator = new Navigator();
const raised = [];
function CustomEvent(type, init) { this.type = type; this.detail = init.detail; }
function dispatchEvent(event) { raised.push(event.type + ':' + JSON.stringify(event.detail)); }
var outcome = '';
)";

std::string forwarded(const std::string& detail)
{
    Script world(ourWorld);
    world.run(quillane::buildFixedTexts().badgeScript);
    return world.run("raise(" + detail + "); later(); posted.join('|')");
}

// What the page's call raises, and how its promise ends.
std::string called(const std::string& call)
{
    Script page(pageWorld);
    page.run(quillane::buildFixedTexts().badgeShim);
    page.run(call + ".then(() => outcome = 'resolved', error => outcome = error.name)");
    return page.run("raised.join('|') + ' ' + outcome");
}
} // namespace

TEST(BadgeScript, OnlyACountOfAtLeastZeroOrAFlagIsPassedOn)
{
    const std::pair<const char*, const char*> cases[] = {
        { "3", "3" },
        { "0", "0" },
        { "-0", "0" },
        { "4.9", "4" },
        { "1e12", "1000000000000" },
        { "'flag'", "\"flag\"" },
        { "-1", "" },
        { "-0.5", "" },
        { "NaN", "" },
        { "Infinity", "" },
        { "-Infinity", "" },
        { "'7'", "" },
        { "'Flag'", "" },
        { "null", "" },
        { "undefined", "" },
        { "true", "" },
        { "[3]", "" },
        { "({ valueOf: () => 3 })", "" },
        { "({ badge: 3 })", "" },
    };
    for (const auto& [detail, expected] : cases)
        EXPECT_EQ(forwarded(detail), expected) << detail;
}

TEST(BadgeScript, ABurstIsOnePostOfTheNewestAndTheSameBadgeIsNotPostedAgain)
{
    Script world(ourWorld);
    world.run(quillane::buildFixedTexts().badgeScript);
    EXPECT_EQ(world.run("raise(1); raise(2); raise(-1); raise(3); timers.length"), "1") << "one wait for the whole burst";
    EXPECT_EQ(world.run("delays.join()"), "100") << "in milliseconds";
    EXPECT_EQ(world.run("later(); posted.join('|')"), "3");
    EXPECT_EQ(world.run("raise(3); later(); raise(3.5); later(); posted.join('|')"), "3") << "no change";
    EXPECT_EQ(world.run("raise('flag'); raise(0); later(); posted.join('|')"), "3|0");
}

TEST(BadgeScript, SetAppBadgeTakesAWholeNumberOfAtLeastZeroOrNoneForAFlag)
{
    const std::pair<const char*, const char*> cases[] = {
        { "navigator.setAppBadge(3)", "quillane-app-badge:3 resolved" },
        { "navigator.setAppBadge(3.7)", "quillane-app-badge:3 resolved" },
        { "navigator.setAppBadge('12')", "quillane-app-badge:12 resolved" },
        { "navigator.setAppBadge(0)", "quillane-app-badge:0 resolved" },
        { "navigator.setAppBadge(null)", "quillane-app-badge:0 resolved" },
        { "navigator.setAppBadge(2 ** 53 - 1)", "quillane-app-badge:9007199254740991 resolved" },
        { "navigator.setAppBadge()", "quillane-app-badge:\"flag\" resolved" },
        { "navigator.setAppBadge(undefined)", "quillane-app-badge:\"flag\" resolved" },
        { "navigator.clearAppBadge()", "quillane-app-badge:0 resolved" },
        { "navigator.setAppBadge(-1)", " TypeError" },
        { "navigator.setAppBadge(-0.5)", " TypeError" },
        { "navigator.setAppBadge(2 ** 53)", " TypeError" },
        { "navigator.setAppBadge(NaN)", " TypeError" },
        { "navigator.setAppBadge(Infinity)", " TypeError" },
        { "navigator.setAppBadge('many')", " TypeError" },
        { "navigator.setAppBadge({})", " TypeError" },
        { "navigator.setAppBadge(Symbol('x'))", " TypeError" },
    };
    for (const auto& [call, expected] : cases)
        EXPECT_EQ(called(call), expected) << call;
}

TEST(BadgeScript, AFrameInsideThePageGetsNoBadge)
{
    Script frame(pageWorld);
    frame.run("window.top = {}");
    frame.run(quillane::buildFixedTexts().badgeShim);
    EXPECT_EQ(frame.run("typeof navigator.setAppBadge + ' ' + typeof navigator.clearAppBadge"), "undefined undefined");
}
