#pragma once
// Private to the platform layer: the web context every page of the program runs in.
#include <webkit2/webkit2.h>

namespace quillane::platform {

// Made on first use: website data in the folders set for the program, cookies kept on disk beside
// them (so that logins survive a restart), pages in the engine's sandbox.
WebKitWebContext* webContext();

// Gives each page process the notification answers set last (setNotificationPermissions) as it starts.
void answerNotificationPermissionsFor(WebKitWebContext* context);

} // namespace quillane::platform
