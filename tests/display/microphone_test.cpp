// The page's microphone requests: asked once per site in a sheet, answered from memory afterwards.
#include "quillane_test.h"

using namespace quillane::testing;

namespace {
// Green when the page got an audio track, red when it was refused.
constexpr const char* askingPage = "<body style='margin: 0; background: rgb(240, 240, 240)'><script>"
                                   "navigator.mediaDevices.getUserMedia({ audio: true }).then("
                                   " stream => document.body.style.background = stream.getAudioTracks().length ? 'rgb(0, 200, 0)' : 'rgb(0, 0, 200)',"
                                   " () => document.body.style.background = 'rgb(200, 0, 0)')</script></body>";
constexpr Pixel granted { 0, 200, 0 }, refused { 200, 0, 0 };
const std::string question = "Allow 127.0.0.1 to use the microphone?";

class Microphone : public QuillaneTest {
protected:
    void SetUp() override { session.setExtraEnvironment({ "QUILLANE_MOCK_CAPTURE_DEVICES=1" }); }
    bool pageBecomes(Pixel colour) const { return waitForPixel(300, 300, colour); }
    bool asked(std::chrono::milliseconds within = std::chrono::seconds(10)) const { return session.waitForWindowNamed(question, within).has_value(); }
    std::string site() const { return "http://127.0.0.1:" + std::to_string(server.port()); }
};
} // namespace

TEST_F(Microphone, AllowGrantsAndIsRememberedForTheSite)
{
    ASSERT_TRUE(open(askingPage));
    auto sheet = session.waitForWindowNamed(question);
    ASSERT_TRUE(sheet);
    EXPECT_NE(session.property(*sheet, "WM_TRANSIENT_FOR").find("window id"), std::string::npos);
    session.xdotool({ "key", "Return" });
    EXPECT_TRUE(pageBecomes(granted)) << pixel(300, 300);
    // The store writes on a thread of its own, within milliseconds.
    EXPECT_TRUE(waitUntil([&] { return session.readPreferences().find("microphone={'" + site() + "': true}") != std::string::npos; }))
        << session.readPreferences();
    ASSERT_TRUE(restart());
    EXPECT_TRUE(pageBecomes(granted));
    EXPECT_FALSE(asked(std::chrono::milliseconds(500)));
}

TEST_F(Microphone, DontAllowRefusesAndIsRememberedAndEscapeRefusesOnlyForNow)
{
    ASSERT_TRUE(open(askingPage));
    ASSERT_TRUE(asked());
    // Escape answers no button: refused this time, asked again at the next request.
    session.xdotool({ "key", "Escape" });
    EXPECT_TRUE(pageBecomes(refused));
    ASSERT_TRUE(restart());
    ASSERT_TRUE(asked()) << "asked again";
    EXPECT_EQ(session.readPreferences().find("microphone="), std::string::npos) << session.readPreferences();

    // From Allow, the button before it is Don't Allow.
    session.xdotool({ "key", "shift+Tab" });
    session.xdotool({ "key", "space" });
    EXPECT_TRUE(pageBecomes(refused));
    EXPECT_TRUE(waitUntil([&] { return session.readPreferences().find("microphone={'" + site() + "': false}") != std::string::npos; }))
        << session.readPreferences();
    ASSERT_TRUE(restart());
    EXPECT_TRUE(pageBecomes(refused));
    EXPECT_FALSE(asked(std::chrono::milliseconds(500)));
}

TEST_F(Microphone, AnotherPortIsAnotherSite)
{
    HttpServer other;
    other.serve("/page.html", askingPage);
    ASSERT_TRUE(open(askingPage, "microphone={'http://127.0.0.1:" + std::to_string(other.port()) + "': true, 'https://127.0.0.1': true}\n"));
    EXPECT_TRUE(asked()) << "this port has no answer yet";
    session.xdotool({ "key", "Return" });
    EXPECT_TRUE(pageBecomes(granted));
    EXPECT_TRUE(waitUntil([&] { return session.readPreferences().find("'" + site() + "': true") != std::string::npos; }));
    std::string stored = session.readPreferences();
    EXPECT_NE(stored.find("'" + site() + "': true"), std::string::npos) << stored;
    EXPECT_NE(stored.find("'http://127.0.0.1:" + std::to_string(other.port()) + "': true"), std::string::npos) << "earlier answers kept";
}

TEST_F(Microphone, ACameraRequestIsRefusedWithoutAQuestion)
{
    ASSERT_TRUE(open("<body style='margin: 0; background: rgb(240, 240, 240)'><script>"
                     "navigator.mediaDevices.getUserMedia({ audio: true, video: true }).then("
                     " () => document.body.style.background = 'rgb(0, 200, 0)', () => document.body.style.background = 'rgb(200, 0, 0)')"
                     "</script></body>"));
    EXPECT_TRUE(pageBecomes(refused));
    EXPECT_FALSE(asked(std::chrono::milliseconds(500)));
}

TEST_F(Microphone, AFramesRequestIsRefusedWithoutAQuestionWhateverItsSite)
{
    // Each frame asks, itself and through a blank frame of its own making; each answer goes to the page.
    const std::string frame = "<body><script>const ask = devices => devices.getUserMedia({ audio: true }).then("
                              "() => parent.postMessage('granted', '*'), () => parent.postMessage('refused', '*'));"
                              "ask(navigator.mediaDevices); const blank = document.createElement('iframe'); document.body.append(blank);"
                              "ask(blank.contentWindow.navigator.mediaDevices)</script></body>";
    server.serve("/frame.html", frame);
    HttpServer otherSite;
    otherSite.serve("/frame.html", frame);
    // Red once all four asked and none was granted; green at once if one was.
    ASSERT_TRUE(open("<body style='margin: 0; background: rgb(240, 240, 240)'><iframe src='/frame.html'></iframe>"
                     "<iframe allow='microphone' src='" + otherSite.url("/frame.html") + "'></iframe><script>let refusals = 0;"
                     "addEventListener('message', event => { if (event.data === 'granted') document.body.style.background = 'rgb(0, 200, 0)';"
                     " else if (++refusals === 4) document.body.style.background = 'rgb(200, 0, 0)' })</script></body>",
        "microphone={'" + site() + "': true}\n"));
    EXPECT_TRUE(pageBecomes(refused)) << "even a site allowed the microphone keeps it from its frames: " << pixel(300, 300);
    EXPECT_FALSE(asked(std::chrono::milliseconds(500)));
}

TEST_F(Microphone, AfterForgettingTheChoicesTheQuestionReturns)
{
    ASSERT_TRUE(open(askingPage, "microphone={'http://127.0.0.1:" + std::to_string(server.port()) + "': true}\n"));
    EXPECT_TRUE(pageBecomes(granted));
    EXPECT_FALSE(asked(std::chrono::milliseconds(300)));
    // Quillane > Forget Microphone Choices, as the menu item does it.
    activate("forget-microphone-choices");
    EXPECT_TRUE(waitUntil([&] { return session.readPreferences().find("microphone=") == std::string::npos; })) << session.readPreferences();
    session.xdotool({ "key", "ctrl+r" });
    EXPECT_TRUE(asked()) << "asked again after a reload";
}
