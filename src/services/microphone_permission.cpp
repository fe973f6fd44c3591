#include "services/microphone_permission.h"

#include "app/names.h"
#include "navigation/address_rules.h"

namespace quillane {

MicrophonePermission::MicrophonePermission(platform::Preferences& preferences, Ask ask)
    : m_preferences(preferences)
    , m_ask(std::move(ask))
{
}

std::map<std::string, bool> MicrophonePermission::remembered() const
{
    return m_preferences.dictionary(keys::microphone).value_or(std::map<std::string, bool> {});
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
    std::string siteText = site(origin.protocol, origin.host, origin.port);
    auto answers = remembered();
    if (auto answer = answers.find(siteText); answer != answers.end()) {
        decisionHandler(answer->second ? PermissionDecision::grant : PermissionDecision::deny);
        return;
    }
    Question question { "Allow " + origin.host + " to use the microphone?",
        "Quillane will remember your answer for this site. To be asked again, choose Quillane > Forget Microphone Choices.",
        { "Allow", "Don\u2019t Allow" } };
    m_ask(question, [this, siteText, decisionHandler](bool allowed) {
        // Read again now: answers given or forgotten while this question was up are kept.
        auto current = remembered();
        current[siteText] = allowed;
        m_preferences.setDictionary(keys::microphone, current);
        decisionHandler(allowed ? PermissionDecision::grant : PermissionDecision::deny);
    });
}

void MicrophonePermission::forget()
{
    m_preferences.remove(keys::microphone);
}

} // namespace quillane
