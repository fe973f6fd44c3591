// The notification answers the engine gives pages without asking. It asks for them each time it
// starts a page process, which takes them as they are then and keeps them.
#include "platform/notification.h"

#include "platform/gtk/gobject_ref.h"
#include "platform/gtk/signal.h"
#include "platform/gtk/web_context.h"

#include <vector>

namespace quillane::platform {

namespace {
struct EngineAnswers {
    OrderedMap<bool> answers;
    SignalConnection asked;
    void give(WebKitWebContext* context);
};

EngineAnswers& engineAnswers()
{
    // Lives as long as the program, as the web context does.
    static EngineAnswers held;
    return held;
}
} // namespace

void EngineAnswers::give(WebKitWebContext* context)
{
    using OriginPtr = std::unique_ptr<WebKitSecurityOrigin, GLibDeleter<WebKitSecurityOrigin, webkit_security_origin_unref>>;
    std::vector<OriginPtr> origins;
    GList* allowed = nullptr;
    GList* refused = nullptr;
    for (const auto& [site, answer] : answers) {
        WebKitSecurityOrigin* origin = webkit_security_origin_new_for_uri(site.c_str());
        if (!origin)
            continue;
        origins.emplace_back(origin);
        if (answer)
            allowed = g_list_prepend(allowed, origin);
        else
            refused = g_list_prepend(refused, origin);
    }
    webkit_web_context_initialize_notification_permissions(context, allowed, refused);
    GListPtr ownedAllowed(allowed), ownedRefused(refused);
}

void answerNotificationPermissionsFor(WebKitWebContext* context)
{
    engineAnswers().asked = connect<&EngineAnswers::give>(context, "initialize-notification-permissions", &engineAnswers());
}

void setNotificationPermissions(const OrderedMap<bool>& answers)
{
    engineAnswers().answers = answers;
}

} // namespace quillane::platform
