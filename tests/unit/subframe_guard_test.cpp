// What a frame inside the page may ask for (subframe_media.js), run by the engine's JavaScript on a
// pretend window (no display): no capture devices for any frame, and no notifications for a frame
// of another site, however its top window's origin reads.
#include "fixed_texts.h"
#include "script_runner.h"

#include <gtest/gtest.h>

namespace {
// The engine's own answers: a stream, and the notification answer it holds.
constexpr const char* pretendWindow = R"(
var window = globalThis;
var location = { origin: 'https://mail.example' };
class DOMException extends Error { constructor(message, name) { super(message); this.name = name; } }
class MediaDevices { getUserMedia() { return Promise.resolve('stream'); } }
var Notification = { requestPermission() { return Promise.resolve('granted'); } };
var outcome = '';
)";

// What a frame whose top window is `top` gets for the microphone and for notifications, after
// the page's script has tried to put the engine's back.
std::string asked(const std::string& top)
{
    quillane::testing::ScriptRunner frame(pretendWindow);
    frame.run("var top = " + top);
    frame.run(quillane::buildFixedTexts().subframeMediaGuard);
    frame.run("try { Notification.requestPermission = () => Promise.resolve('granted') } catch (error) {}");
    frame.run("new MediaDevices().getUserMedia({ audio: true }).then(value => outcome += value, error => outcome += error.name);"
              "Notification.requestPermission().then(value => outcome += ' ' + value)");
    return frame.run("outcome");
}
} // namespace

TEST(SubframeGuard, FramesGetNoMicrophoneAndFramesOfAnotherSiteNoNotifications)
{
    const std::pair<const char*, const char*> cases[] = {
        { "window", "stream granted" },
        { "{ location: { origin: 'https://mail.example' } }", "NotAllowedError granted" },
        { "{ location: { origin: 'https://ads.example' } }", "NotAllowedError denied" },
        { "{ location: { get origin() { throw new Error('cross-origin') } } }", "NotAllowedError denied" },
    };
    for (const auto& [top, expected] : cases)
        EXPECT_EQ(asked(top), expected) << top;
}
