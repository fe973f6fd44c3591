#include "app/script_bridge.h"

#include "app/app_delegate.h"
#include "app/band_colour.h"

namespace quillane {

BridgeMessage sortMessage(const platform::ScriptValue& body)
{
    using Kind = platform::ScriptValue::Kind;
    if (body.kind == Kind::dictionary) {
        const platform::ScriptValue* band = body.find("band");
        if (band && band->kind == Kind::text)
            return { BridgeMessage::Kind::bandReport, band->text };
    }
    return { BridgeMessage::Kind::dragRequest, {} };
}

void AppDelegate::didReceiveScriptMessage(const std::string&, const platform::ScriptValue& body)
{
    BridgeMessage message = sortMessage(body);
    if (message.kind == BridgeMessage::Kind::bandReport) {
        topColour = colour(message.band);
        paintBand();
        return;
    }
    dragRequest();
}

} // namespace quillane
