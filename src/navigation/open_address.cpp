// The Open Address dialog.
#include "app/app_delegate.h"
#include "navigation/address_rules.h"
#include "platform/alert.h"

namespace quillane {

void AppDelegate::openAddress()
{
    if (!window || !web)
        return;
    auto alert = platform::Alert::make();
    alert->setMessageText("Open Address");
    alert->setTextField(web->url().value_or(""), { 320, 24 });
    alert->addButton("Open");
    alert->addButton("Cancel");
    alert->beginSheetModal(*window, [this, alert](int response) {
        if (response != platform::alertFirstButtonReturn)
            return;
        auto chosen = address(alert->textFieldValue());
        if (!chosen)
            return;
        m_preferences.setText("address", chosen->absoluteString());
        loadPage(*chosen);
    });
}

} // namespace quillane
