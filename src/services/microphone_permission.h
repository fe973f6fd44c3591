#pragma once
// The page's requests for the microphone: asked once per site, the answer remembered in the
// preferences store until the user forgets the choices.
#include "app/main_window.h"
#include "platform/preferences.h"
#include "platform/web_view_delegates.h"

#include <functional>
#include <map>
#include <string>

namespace quillane {

class MicrophonePermission {
public:
    MicrophonePermission(platform::Preferences& preferences, Ask ask);

    // A request of the page's own document; camera requests are refused.
    void request(const platform::SecurityOrigin& origin, platform::MediaCaptureType type,
        std::function<void(platform::PermissionDecision)> decisionHandler);
    // The answers remembered per site; none when the stored value is of another shape.
    std::map<std::string, bool> remembered() const;
    void forget();

private:
    platform::Preferences& m_preferences;
    Ask m_ask;
};

} // namespace quillane
