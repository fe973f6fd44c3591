#include "app/script_bridge.h"


namespace quillane {

BridgeMessage sortMessage(const platform::ScriptValue& body)
{
    using Kind = platform::ScriptValue::Kind;
    if (body.kind == Kind::dictionary) {
        const platform::ScriptValue* band = body.find("band");
        if (band && band->kind == Kind::text) {
            const platform::ScriptValue* theme = body.find("theme");
            return { BridgeMessage::Kind::bandReport, band->text, theme && theme->kind == Kind::text ? theme->text : "" };
        }
    }
    return { BridgeMessage::Kind::dragRequest, {}, {} };
}

} // namespace quillane
