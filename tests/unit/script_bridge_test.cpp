#include "page/script_messages.h"
#include "main_window/drag_script.h"

#include <gtest/gtest.h>

using quillane::BridgeMessage;
using quillane::sortMessage;
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
    auto report = sortMessage(object({ { "band", text("rgb(30, 60, 90)") } }));
    EXPECT_EQ(report.kind, BridgeMessage::Kind::bandReport);
    EXPECT_EQ(report.band, "rgb(30, 60, 90)");
    auto empty = sortMessage(object({ { "band", text("") } }));
    EXPECT_EQ(empty.kind, BridgeMessage::Kind::bandReport);
    EXPECT_EQ(empty.band, "");
    auto withOthers = sortMessage(object({ { "other", number(1) }, { "band", text("red") } }));
    EXPECT_EQ(withOthers.kind, BridgeMessage::Kind::bandReport);
    EXPECT_EQ(withOthers.band, "red");
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
        EXPECT_EQ(sortMessage(shape).kind, BridgeMessage::Kind::dragRequest);
}

TEST(DragScript, TheHeightStandsBetweenTheTwoFixedPieces)
{
    const std::string opening = "addEventListener('mousedown', event => {\n    if (event.button !== 0 || event.metaKey || event.clientY >= ";
    const std::string closing = ") return;\n    const clickable = 'a[href], button, input, select, textarea, label, summary, [role=button], "
                                "[role=link], [role=tab], [contenteditable], [onclick]';\n    if (event.target.closest(clickable) || "
                                "getComputedStyle(event.target).cursor === 'pointer') return;\n    event.preventDefault();\n    "
                                "webkit.messageHandlers.quillane.postMessage('drag');\n}, true);";
    const auto texts = quillane::buildFixedTexts();
    EXPECT_EQ(quillane::dragScript(texts, 14), opening + "14" + closing);
    EXPECT_EQ(quillane::dragScript(texts, -3), opening + "-3" + closing);
}
