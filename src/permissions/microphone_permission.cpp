#include "permissions/microphone_permission.h"

#include "names.h"

namespace quillane {

MicrophonePermission::MicrophonePermission(platform::Preferences& preferences, Ask ask)
    : m_answers(preferences, keys::microphone, std::move(ask), [](const std::string& host) {
        return platform::Question { "Allow " + host + " to use the microphone?",
            "Quillane will remember your answer for this site. To be asked again, choose Quillane > Forget Microphone Choices.",
            { "Allow", "Don\u2019t Allow" } };
    })
{
}

void MicrophonePermission::attach(platform::WebView& page)
{
    page.onMediaRequest = [this](const platform::SecurityOrigin& origin, platform::MediaCaptureType type, std::function<void(bool)> decide) {
        request(origin, type, decide);
    };
}

void MicrophonePermission::request(const platform::SecurityOrigin& origin, platform::MediaCaptureType type, std::function<void(bool allow)> decide)
{
    if (type != platform::MediaCaptureType::microphone) {
        decide(false);
        return;
    }
    // Requests of frames inside the page never get here: the page script refuses them in the frame.
    m_answers.request(origin, decide);
}

} // namespace quillane
