#pragma once
// The page's requests for the microphone: asked once per site, the answer remembered in the
// preferences store until the user forgets the choices. The camera is never offered.
#include "permissions/site_permission.h"

namespace quillane {

class MicrophonePermission {
public:
    MicrophonePermission(platform::Preferences& preferences, Ask ask);

    // Answers a page's requests for the microphone.
    void attach(platform::WebView& page);
    // A request of the page's own document; camera requests are refused.
    void request(const platform::SecurityOrigin& origin, platform::MediaCaptureType type, std::function<void(bool allow)> decide);
    platform::OrderedMap<bool> remembered() const { return m_answers.remembered(); }
    void forget() { m_answers.forget(); }

private:
    SitePermission m_answers;
};

} // namespace quillane
