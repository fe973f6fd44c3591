// The notification answers the engine gives an application's pages without asking. It asks for them
// each time it starts a page process, which takes them as they are then and keeps them.
#include "platform/notification.h"

#include "platform/gtk/application_impl.h"

#include <vector>

namespace quillane::platform {

void Application::Impl::giveNotificationAnswers(WebKitWebContext* asking)
{
    using OriginPtr = std::unique_ptr<WebKitSecurityOrigin, GLibDeleter<WebKitSecurityOrigin, webkit_security_origin_unref>>;
    std::vector<OriginPtr> origins;
    GList* allowed = nullptr;
    GList* refused = nullptr;
    for (const auto& [site, answer] : notificationAnswers) {
        WebKitSecurityOrigin* origin = webkit_security_origin_new_for_uri(site.c_str());
        if (!origin)
            continue;
        origins.emplace_back(origin);
        if (answer)
            allowed = g_list_prepend(allowed, origin);
        else
            refused = g_list_prepend(refused, origin);
    }
    webkit_web_context_initialize_notification_permissions(asking, allowed, refused);
    GListPtr ownedAllowed(allowed), ownedRefused(refused);
}

void setNotificationPermissions(Application& application, const OrderedMap<bool>& answers)
{
    implOf(application).notificationAnswers = answers;
}

} // namespace quillane::platform
