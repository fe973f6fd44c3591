// The page's requests for the microphone: asked once per site, the answer remembered.
#include "app/app_delegate.h"
#include "navigation/address_rules.h"
#include "platform/alert.h"

namespace quillane {

namespace {
constexpr const char* microphoneKey = "microphone";
}

std::map<std::string, bool> AppDelegate::rememberedMicrophoneAnswers() const
{
    return m_preferences.dictionary(microphoneKey).value_or(std::map<std::string, bool> {});
}

void AppDelegate::requestMediaCapturePermission(platform::WebView&, const platform::SecurityOrigin& origin, platform::MediaCaptureType type,
    std::function<void(platform::PermissionDecision)> decisionHandler)
{
    using platform::PermissionDecision;
    if (type != platform::MediaCaptureType::microphone) {
        decisionHandler(PermissionDecision::deny);
        return;
    }
    // Requests of frames inside the page never get here: the page script refuses them in the frame.
    std::string siteText = site(origin.protocol, origin.host, origin.port);
    auto answers = rememberedMicrophoneAnswers();
    if (auto answer = answers.find(siteText); answer != answers.end()) {
        decisionHandler(answer->second ? PermissionDecision::grant : PermissionDecision::deny);
        return;
    }
    if (!window) {
        decisionHandler(PermissionDecision::deny);
        return;
    }
    auto alert = platform::Alert::make();
    alert->setMessageText("Allow " + origin.host + " to use the microphone?");
    alert->setInformativeText("Quillane will remember your answer for this site. To be asked again, choose Quillane > Forget Microphone Choices.");
    alert->addButton("Allow");
    alert->addButton("Don\u2019t Allow");
    alert->beginSheetModal(*window, [this, siteText, decisionHandler](int response) {
        bool allowed = response == platform::alertFirstButtonReturn;
        // Read again now: answers given or forgotten while this question was up are kept.
        auto current = rememberedMicrophoneAnswers();
        current[siteText] = allowed;
        m_preferences.setDictionary(microphoneKey, current);
        decisionHandler(allowed ? platform::PermissionDecision::grant : platform::PermissionDecision::deny);
    });
}

void AppDelegate::forgetMicrophoneChoices()
{
    m_preferences.remove(microphoneKey);
}

} // namespace quillane
