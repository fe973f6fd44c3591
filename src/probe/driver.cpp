// Drives the loaded probe page: its download, nine presses and a key, then the page's question.
#include "app/app_delegate.h"
#include "platform/main_queue.h"
#include "platform/synthetic_events.h"
#include "scripts.h"

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

void AppDelegate::driveProbe()
{
    window->setFrame(probeFrame);
    web->evaluateJavaScript(m_texts.saveScript);
    std::string question = std::string(texts::questionOpening) + m_texts.acceptLists + std::string(texts::questionClosing);
    web->evaluateJavaScript(std::string(texts::countScript), [this, question](auto, auto) { pressWhenSettled(question, settleChecks); });
}

// The presses are placed for the probe size, which the window system grants a moment after it is asked.
void AppDelegate::pressWhenSettled(const std::string& question, int checksLeft)
{
    auto tryAgain = [this, question, checksLeft] {
        platform::runOnMainQueueAfter(settleCheck, [this, question, checksLeft] { pressWhenSettled(question, checksLeft - 1); });
    };
    if (!window->hasSettledFrame() && checksLeft > 0) {
        tryAgain();
        return;
    }
    // The page lays itself out in its own process: it has the new size once it says so.
    web->evaluateJavaScript(std::string(texts::viewportScript), [this, question, checksLeft, tryAgain](std::optional<std::string> size, auto) {
        if (size != probeViewport && checksLeft > 0)
            tryAgain();
        else
            press(question);
    });
}

void AppDelegate::press(const std::string& question)
{
    for (const auto& event : probeEvents)
        platform::postMouseEvent(*window, event.type, event.location, event.modifiers);
    platform::sendKeyEvent(*window, "Escape");
    platform::runOnMainQueueAfter(questionDelay, [this, question] {
        web->evaluateJavaScript(question, [this](std::optional<std::string> value, std::optional<std::string> error) {
            report("page: " + (value ? *value : error ? *error : std::string("no answer")));
        });
    });
}

} // namespace quillane
