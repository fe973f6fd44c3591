#include "page/script_messages.h"

namespace quillane {

ScriptMessage classifyMessage(const platform::ScriptValue& body)
{
    using Kind = platform::ScriptValue::Kind;
    if (body.kind == Kind::dictionary) {
        const platform::ScriptValue* band = body.find("band");
        if (band && band->kind == Kind::text) {
            const platform::ScriptValue* theme = body.find("theme");
            return { ScriptMessage::Kind::bandReport, band->text, theme && theme->kind == Kind::text ? theme->text : "", std::nullopt };
        }
        if (const platform::ScriptValue* value = body.find("badge")) {
            auto badge = badgeFrom(*value);
            return { badge ? ScriptMessage::Kind::badge : ScriptMessage::Kind::refused, {}, {}, badge };
        }
        const platform::ScriptValue* notifications = body.find("notifications");
        if (notifications && notifications->kind == Kind::text && notifications->text == "ask")
            return { ScriptMessage::Kind::notificationRequest, {}, {}, std::nullopt };
    }
    return { ScriptMessage::Kind::dragRequest, {}, {}, std::nullopt };
}

} // namespace quillane
