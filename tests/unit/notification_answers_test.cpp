// The page's Notification as the program's answers make it (notification_answers.js), run by the
// engine's JavaScript on a pretend window (no display): the engine's answer, the program's word over
// it, and who is asked.
#include "fixed_texts.h"
#include "script_runner.h"

#include <gtest/gtest.h>

namespace {
// A window with events, and the engine's Notification with the answer it holds for the page; it
// counts the requests the engine would take to the program.
constexpr const char* pretendWindow = R"(
var window = globalThis;
var top = globalThis;
const listeners = {};
function addEventListener(type, listener) { (listeners[type] = listeners[type] || []).push(listener); }
class Event { constructor(type) { this.type = type; this.stopped = false; } stopImmediatePropagation() { this.stopped = true; } }
function dispatchEvent(event) { for (const listener of listeners[event.type] || []) { if (event.stopped) break; listener(event); } }
const heard = [];
const posted = [];
var webkit = { messageHandlers: { quillane: { postMessage(body) { posted.push(JSON.stringify(body)); } } } };
var navigator = { userActivation: { isActive: true } };
const engine = { requests: 0, answer: 'granted' };
var Notification = { requestPermission() { engine.requests++; return Promise.resolve(engine.answer); } };
Object.defineProperty(Notification, 'permission', { value: 'default', configurable: true, writable: false });
)";

class NotificationAnswers : public ::testing::Test {
protected:
    NotificationAnswers() { run(pretendWindow); }
    std::string run(const std::string& script) { return m_script.run(script); }
    // The page as it starts with the engine's answer for it.
    void startWith(const std::string& engineAnswer)
    {
        run("Object.defineProperty(Notification, 'permission', { value: '" + engineAnswer + "', configurable: true })");
        // The page's world first, then ours.
        run(quillane::buildFixedTexts().notificationAnswers);
        run(quillane::buildFixedTexts().notificationWord);
        // What the page's own listeners would hear.
        run("for (const type of ['quillane-notifications-granted', 'quillane-notifications-default', 'quillane-notifications-ask'])"
            " addEventListener(type, event => heard.push(event.type))");
    }
    void word(const std::string& state) { run("dispatchEvent(new Event('quillane-notifications-" + state + "'))"); }
    // Asks, and returns what the page has been answered so far ("" while it waits).
    void request() { run("var answer = ''; Notification.requestPermission().then(state => answer = state)"); }
    std::string answer() { return run("answer"); }

private:
    quillane::testing::ScriptRunner m_script;
};
} // namespace

TEST_F(NotificationAnswers, ASiteWithAnAnswerGetsItAtOnceWithoutTheEngine)
{
    startWith("granted");
    request();
    EXPECT_EQ(answer(), "granted");
    EXPECT_EQ(run("engine.requests"), "0") << "the engine would refuse outside a click";
    startWith("denied");
    request();
    EXPECT_EQ(answer(), "denied");
}

TEST_F(NotificationAnswers, WithoutAnAnswerTheEngineAsksTheProgram)
{
    startWith("default");
    run("engine.answer = 'granted'");
    request();
    EXPECT_EQ(answer(), "granted");
    EXPECT_EQ(run("engine.requests"), "1");
    EXPECT_EQ(run("Notification.permission"), "granted");
    request();
    EXPECT_EQ(run("engine.requests"), "1") << "asked once";
}

TEST_F(NotificationAnswers, AForgottenAnswerTheEngineStillHoldsIsAskedThroughTheProgram)
{
    startWith("granted");
    word("default");
    EXPECT_EQ(run("Notification.permission"), "default");
    request();
    EXPECT_EQ(run("heard.join()"), "") << "the page's own listeners hear none of it";
    EXPECT_EQ(run("posted.join()"), "{\"notifications\":\"ask\"}") << "our world asks the program";
    EXPECT_EQ(answer(), "") << "waits for the program";
    EXPECT_EQ(run("engine.requests"), "0");
    run("quillaneNotificationAnswer('granted')");
    EXPECT_EQ(answer(), "granted");
    EXPECT_EQ(run("Notification.permission"), "granted");
}

TEST_F(NotificationAnswers, WithoutAClickOfTheUsersTheProgramIsNotAskedAndThePageStaysAtDefault)
{
    startWith("granted");
    run("quillaneNotificationAnswer('default')");
    run("navigator.userActivation.isActive = false");
    request();
    EXPECT_EQ(run("posted.join()"), "");
    EXPECT_EQ(answer(), "default");
}

TEST_F(NotificationAnswers, AWordThatCameBeforeOurScriptsReachesThePage)
{
    run("window.quillaneNotificationAnswerSaid = 'denied'");
    startWith("granted");
    EXPECT_EQ(run("Notification.permission"), "denied");
    EXPECT_EQ(run("typeof window.quillaneNotificationAnswerSaid"), "undefined");
}

TEST_F(NotificationAnswers, TheWordStandsOverTheEngineEitherWay)
{
    startWith("default");
    word("denied");
    EXPECT_EQ(run("Notification.permission"), "denied");
    request();
    EXPECT_EQ(answer(), "denied");
    EXPECT_EQ(run("engine.requests"), "0");
}

TEST_F(NotificationAnswers, APageWhoseNotificationStartsAfterTheWordHearsIt)
{
    // Our world has run, and heard the program, before the page's own scripts.
    run("Object.defineProperty(Notification, 'permission', { value: 'granted', configurable: true })");
    run(quillane::buildFixedTexts().notificationWord);
    run("quillaneNotificationAnswer('denied')");
    run(quillane::buildFixedTexts().notificationAnswers);
    EXPECT_EQ(run("Notification.permission"), "denied");
}
