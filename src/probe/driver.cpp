#include "probe/driver.h"

#include "platform/synthetic_events.h"

namespace quillane {

namespace {
using Type = platform::Event::Type;

constexpr platform::Rect probeFrame { { 0, 0 }, { 756, 949 } };
// The page's viewport in the probe window: the window less the band.
constexpr const char* probeViewport = "756x939";
constexpr platform::Point emptyPagePoint { 745, 650 };
constexpr platform::Point bandPoint { 378, 945 };
constexpr platform::Point stripPoint { 378, 937 };
constexpr platform::Point buttonPoint { 702, 925 };
constexpr double questionDelay = 0.5;
// How often, and how many times, to look whether the window has its probe size before pressing.
constexpr double settleCheck = 0.01;
constexpr int settleChecks = 200;

struct ProbeEvent {
    Type type;
    platform::Point location;
    std::uint64_t modifiers;
};

constexpr ProbeEvent probeEvents[] = {
    { Type::leftMouseDown, emptyPagePoint, platform::commandKey },
    { Type::leftMouseDown, emptyPagePoint, 0 },
    { Type::leftMouseUp, emptyPagePoint, 0 },
    { Type::leftMouseDown, bandPoint, 0 },
    { Type::leftMouseUp, bandPoint, 0 },
    { Type::leftMouseDown, stripPoint, 0 },
    { Type::leftMouseUp, stripPoint, 0 },
    { Type::leftMouseDown, buttonPoint, 0 },
    { Type::leftMouseUp, emptyPagePoint, 0 },
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
    if (!m_main.window().hasSettledFrame() && checksLeft > 0) {
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
        platform::postMouseEvent(m_main.window(), event.type, event.location, event.modifiers);
    platform::sendKeyEvent(m_main.window(), "Escape");
    m_waiting = platform::runOnMainQueueAfter(questionDelay, [this] {
        m_main.page().evaluateJavaScript(m_texts.probeQuestion, [this](std::optional<std::string> value, std::optional<std::string> error) {
            m_answered("page: " + (value ? *value : error ? *error : std::string("no answer")));
        });
    });
}

} // namespace quillane
