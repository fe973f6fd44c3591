// Each application's web context: its website data, its web processes, its spell checking.
#include "platform/website_data.h"

#include "platform/gtk/application_impl.h"

#include <utility>

namespace quillane::platform {

namespace {
// The folders the engine itself would give the program's website data, kept for the default
// application so that what it stored before is found where it is.
WebsiteDataFolders programFolders()
{
    const char* program = g_get_prgname();
    GCharPtr data(g_build_filename(g_get_user_data_dir(), program ? program : "quillane", nullptr));
    GCharPtr cache(g_build_filename(g_get_user_cache_dir(), program ? program : "quillane", nullptr));
    return { static_cast<char*>(data.get()), static_cast<char*>(cache.get()) };
}

std::vector<std::string>& chosenSpellingLanguages()
{
    static std::vector<std::string> languages;
    return languages;
}
} // namespace

void setSpellCheckingLanguages(std::vector<std::string> languages)
{
    chosenSpellingLanguages() = std::move(languages);
}

WebKitWebContext* Application::Impl::webContext()
{
    if (context)
        return context.get();
    const WebsiteDataFolders where = folders ? *folders : programFolders();
    auto manager = GObjectRef<WebKitWebsiteDataManager>::adopt(
        webkit_website_data_manager_new("base-data-directory", where.data.c_str(), "base-cache-directory", where.cache.c_str(), nullptr));
    context = GObjectRef<WebKitWebContext>::adopt(WEBKIT_WEB_CONTEXT(g_object_new(WEBKIT_TYPE_WEB_CONTEXT, "website-data-manager", manager.get(), nullptr)));
    webkit_web_context_set_sandbox_enabled(context.get(), TRUE);
    notificationAnswersAsked = connect<&Impl::giveNotificationAnswers>(context.get(), "initialize-notification-permissions", this);
    g_mkdir_with_parents(where.data.c_str(), 0700);
    GCharPtr cookies(g_build_filename(where.data.c_str(), "cookies.sqlite", nullptr));
    webkit_cookie_manager_set_persistent_storage(webkit_web_context_get_cookie_manager(context.get()), static_cast<char*>(cookies.get()),
        WEBKIT_COOKIE_PERSISTENT_STORAGE_SQLITE);
    // Suggestions and "Learn Spelling" come in the engine's own context menu of a misspelt word.
    // Loading the dictionaries holds the main thread for some 30 ms: that is done on a later turn of
    // the main loop, while the first page's process starts, rather than before its load can begin.
    webkit_web_context_set_spell_checking_enabled(context.get(), TRUE);
    spellingLoad = runOnMainQueue([context = context.get()] {
        std::vector<const char*> languages;
        for (const auto& language : chosenSpellingLanguages())
            languages.push_back(language.c_str());
        languages.push_back(nullptr);
        webkit_web_context_set_spell_checking_languages(context, languages.data());
    });
    return context.get();
}

} // namespace quillane::platform
