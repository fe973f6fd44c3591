#include "services/microphone_permission.h"

#include "app/names.h"

namespace quillane {

MicrophonePermission::MicrophonePermission(platform::Preferences& preferences, Ask ask)
    : m_answers(preferences, keys::microphone, std::move(ask), [](const std::string& host) {
        return Question { "Allow " + host + " to use the microphone?",
            "Quillane will remember your answer for this site. To be asked again, choose Quillane > Forget Microphone Choices.",
            { "Allow", "Don\u2019t Allow" } };
    })
{
}

void MicrophonePermission::request(const platform::SecurityOrigin& origin, platform::MediaCaptureType type,
    std::function<void(platform::PermissionDecision)> decisionHandler)
{
    using platform::PermissionDecision;
    if (type != platform::MediaCaptureType::microphone) {
        decisionHandler(PermissionDecision::deny);
        return;
    }
    // Requests of frames inside the page never get here: the page script refuses them in the frame.
    m_answers.request(origin, [decisionHandler](bool allowed) { decisionHandler(allowed ? PermissionDecision::grant : PermissionDecision::deny); });
}

} // namespace quillane
