#include "probe/driver.h"

#include "platform/synthetic_events.h"

namespace quillane {

namespace {
constexpr platform::Rect probeFrame { { 0, 0 }, { 756, 949 } };
// The page's viewport in the probe window: the window less the band.
constexpr const char* probeViewport = "756x939";
// From the window's top-left corner, each a pixel's centre: the empty page, the band, the page's
// empty top strip and the page's button at its top-right.
constexpr platform::Point emptyPagePoint { 745.5, 299.5 };
constexpr platform::Point bandPoint { 378.5, 4.5 };
constexpr platform::Point stripPoint { 378.5, 12.5 };
constexpr platform::Point buttonPoint { 702.5, 24.5 };
constexpr double questionDelay = 0.5;
// How often, and how many times, to look whether the window has its probe size before pressing.
constexpr double settleCheck = 0.01;
constexpr int settleChecks = 200;

struct ProbeEvent {
    bool press;
    platform::Point location;
    bool super;
};

constexpr ProbeEvent probeEvents[] = {
    { true, emptyPagePoint, true },
    { true, emptyPagePoint, false },
    { false, emptyPagePoint, false },
    { true, bandPoint, false },
    { false, bandPoint, false },
    { true, stripPoint, false },
    { false, stripPoint, false },
    { true, buttonPoint, false },
    { false, emptyPagePoint, false },
};
} // namespace

ProbeDriver::ProbeDriver(MainWindow& main, const FixedTexts& texts, std::function<void(const std::string& answer)> answered)
    : m_main(main)
    , m_texts(texts)
    , m_answered(std::move(answered))
{
}

void ProbeDriver::drive()
{
    m_main.window().setFrame(probeFrame);
    m_main.page().evaluateJavaScript(m_texts.saveScript);
    m_main.page().evaluateJavaScript(m_texts.countScript, [this](auto, auto) { pressWhenSettled(settleChecks); });
}

// The presses are placed for the probe size, which the window system grants a moment after it is asked.
void ProbeDriver::pressWhenSettled(int checksLeft)
{
    auto tryAgain = [this, checksLeft] {
        m_waiting = platform::runOnMainQueueAfter(settleCheck, [this, checksLeft] { pressWhenSettled(checksLeft - 1); });
    };
    if (!m_main.window().hasSettledSize() && checksLeft > 0) {
        tryAgain();
        return;
    }
    // The page lays itself out in its own process: it has the new size once it says so.
    m_main.page().evaluateJavaScript(m_texts.viewportScript, [this, checksLeft, tryAgain](std::optional<std::string> size, auto) {
        if (size != probeViewport && checksLeft > 0)
            tryAgain();
        else
            press();
    });
}

void ProbeDriver::press()
{
    for (const auto& event : probeEvents)
        platform::postPrimaryButton(m_main.window(), event.press, event.location, event.super);
    platform::sendKeyPress(m_main.window(), "Escape");
    m_waiting = platform::runOnMainQueueAfter(questionDelay, [this] {
        m_main.page().evaluateJavaScript(m_texts.probeQuestion, [this](std::optional<std::string> value, std::optional<std::string> error) {
            m_answered("page: " + (value ? *value : error ? *error : std::string("no answer")));
        });
    });
}

} // namespace quillane
