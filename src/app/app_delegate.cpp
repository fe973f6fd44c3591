#include "app/app_delegate.h"

namespace quillane {

AppDelegate::AppDelegate(platform::Application& application, platform::Preferences& preferences, const FixedTexts& texts,
    std::optional<std::string> probeFile)
    : m_application(application)
    , m_preferences(preferences)
    , m_texts(texts)
    , m_probeFile(std::move(probeFile))
{
}


} // namespace quillane
