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

void AppDelegate::pageFullScreenChanged()
{
    // The window's answer to the page's own full screen comes with the window modes.
}

void AppDelegate::buildMenus()
{
    // The menu bar is built here once the menus exist.
}

} // namespace quillane
