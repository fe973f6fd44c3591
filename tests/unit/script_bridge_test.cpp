#include "page/script_messages.h"
#include "main_window/drag_script.h"

#include <gtest/gtest.h>

using quillane::ScriptMessage;
using quillane::classifyMessage;
using quillane::platform::ScriptValue;
using Kind = ScriptValue::Kind;

namespace {
ScriptValue text(std::string value)
{
    ScriptValue result;
    result.kind = Kind::text;
    result.text = std::move(value);
    return result;
}

ScriptValue number(double value)
{
    ScriptValue result;
    result.kind = Kind::number;
    result.number = value;
    return result;
}

ScriptValue object(std::vector<ScriptValue::Entry> entries)
{
    ScriptValue result;
    result.kind = Kind::dictionary;
    result.entries = std::move(entries);
    return result;
}
} // namespace

TEST(ScriptBridge, AnObjectWithATextUnderBandIsABandReport)
{
    auto report = classifyMessage(object({ { "band", text("rgb(30, 60, 90)") } }));
    EXPECT_EQ(report.kind, ScriptMessage::Kind::bandReport);
    EXPECT_EQ(report.band, "rgb(30, 60, 90)");
    auto empty = classifyMessage(object({ { "band", text("") } }));
    EXPECT_EQ(empty.kind, ScriptMessage::Kind::bandReport);
    EXPECT_EQ(empty.band, "");
    auto withOthers = classifyMessage(object({ { "other", number(1) }, { "band", text("red") } }));
    EXPECT_EQ(withOthers.kind, ScriptMessage::Kind::bandReport);
    EXPECT_EQ(withOthers.band, "red");
}

TEST(ScriptBridge, AskUnderNotificationsIsTheMainPagesRequestToBeAsked)
{
    EXPECT_EQ(classifyMessage(object({ { "notifications", text("ask") } })).kind, ScriptMessage::Kind::notificationRequest);
    EXPECT_EQ(classifyMessage(object({ { "band", text("red") }, { "notifications", text("ask") } })).kind, ScriptMessage::Kind::bandReport)
        << "a band report first";
    for (const auto& shape : { object({ { "notifications", text("Ask") } }), object({ { "notifications", text("") } }),
             object({ { "notifications", number(1) } }), object({ { "Notifications", text("ask") } }) })
        EXPECT_EQ(classifyMessage(shape).kind, ScriptMessage::Kind::dragRequest);
}

TEST(ScriptBridge, EveryOtherShapeIsADragRequest)
{
    ScriptValue list;
    list.kind = Kind::list;
    list.items = { text("band") };
    ScriptValue boolean;
    boolean.kind = Kind::boolean;
    boolean.boolean = true;
    const ScriptValue shapes[] = {
        text("drag"),
        text("anything"),
        text(""),
        number(3),
        ScriptValue {},
        boolean,
        list,
        object({}),
        object({ { "colour", text("rgb(1, 2, 3)") } }),
        object({ { "band", number(5) } }),
        object({ { "Band", text("rgb(1, 2, 3)") } }),
        object({ { "band", object({ { "band", text("x") } }) } }),
    };
    for (const auto& shape : shapes)
        EXPECT_EQ(classifyMessage(shape).kind, ScriptMessage::Kind::dragRequest);
}

TEST(DragScript, TheStripReachesJustBelowTheButtonsAndNeverPastTheTitleBar)
{
    // The buttons' row ends 21 points from the top: the strip reaches 3 points further, less the band.
    const std::pair<double, int> cases[] = { { 10, 14 }, { 0, 24 }, { 4, 20 }, { 24, 0 }, { 10.9, 13 } };
    for (const auto& [band, height] : cases)
        EXPECT_EQ(quillane::topStripHeight(band), height) << band;
}
