// What our page scripts' messages ask for, by their shape; and the height of the strip whose presses
// the drag script turns into requests.
#include "main_window/drag_script.h"
#include "page/script_messages.h"

#include <gtest/gtest.h>

using quillane::ScriptMessage;
using quillane::classifyMessage;
using quillane::platform::ScriptValue;
using Kind = ScriptValue::Kind;

namespace {
ScriptValue of(Kind kind, std::string text = "", std::vector<ScriptValue::Entry> entries = {})
{
    ScriptValue value;
    value.kind = kind;
    value.text = std::move(text);
    value.entries = std::move(entries);
    value.number = 1;
    value.items = { ScriptValue {} };
    return value;
}
ScriptValue text(std::string value) { return of(Kind::text, std::move(value)); }
ScriptValue object(std::vector<ScriptValue::Entry> entries) { return of(Kind::dictionary, "", std::move(entries)); }
} // namespace

TEST(ScriptBridge, AnObjectWithATextUnderBandIsABandReportAndEveryOtherShapeADragRequest)
{
    const std::pair<ScriptValue, std::string> reports[] = {
        { object({ { "band", text("rgb(30, 60, 90)") } }), "rgb(30, 60, 90)" },
        { object({ { "band", text("") } }), "" },
        { object({ { "other", of(Kind::number) }, { "band", text("red") } }), "red" },
    };
    for (const auto& [body, band] : reports) {
        auto message = classifyMessage(body);
        EXPECT_EQ(message.kind, ScriptMessage::Kind::bandReport) << band;
        EXPECT_EQ(message.band, band);
    }
    const ScriptValue drags[] = {
        text("drag"),
        ScriptValue {},
        of(Kind::boolean),
        of(Kind::list),
        object({}),
        object({ { "colour", text("rgb(1, 2, 3)") } }),
        object({ { "band", of(Kind::number) } }),
        object({ { "Band", text("rgb(1, 2, 3)") } }),
        object({ { "band", object({ { "band", text("x") } }) } }),
    };
    for (const auto& body : drags)
        EXPECT_EQ(classifyMessage(body).kind, ScriptMessage::Kind::dragRequest);
}

TEST(ScriptBridge, AskUnderNotificationsIsTheMainPagesRequestToBeAsked)
{
    EXPECT_EQ(classifyMessage(object({ { "notifications", text("ask") } })).kind, ScriptMessage::Kind::notificationRequest);
    EXPECT_EQ(classifyMessage(object({ { "band", text("red") }, { "notifications", text("ask") } })).kind, ScriptMessage::Kind::bandReport)
        << "a band report first";
    for (const auto& shape : { object({ { "notifications", text("Ask") } }), object({ { "notifications", text("") } }),
             object({ { "notifications", of(Kind::number) } }), object({ { "Notifications", text("ask") } }) })
        EXPECT_EQ(classifyMessage(shape).kind, ScriptMessage::Kind::dragRequest);
}

TEST(DragScript, TheStripReachesJustBelowTheButtonsAndNeverPastTheTitleBar)
{
    // The buttons' row ends 21 points from the top: the strip reaches 3 points further, less the band.
    const std::pair<double, int> cases[] = { { 10, 14 }, { 0, 24 }, { 4, 20 }, { 24, 0 }, { 10.9, 13 } };
    for (const auto& [band, height] : cases)
        EXPECT_EQ(quillane::topStripHeight(band), height) << band;
}
