#include "apps/app_management.h"

#include "apps/app_names.h"
#include "page/address_rules.h"
#include "apps/installed_apps.h"
#include "names.h"
#include "platform/application.h"

#include <cstdio>

namespace quillane {

int manageApps(const AppManagementRequest& request)
{
    using Kind = AppManagementRequest::Kind;
    switch (request.kind) {
    case Kind::unusable:
        std::fputs("quillane: use --install NAME ADDRESS, --uninstall NAME [--purge] or --apps\n", stderr);
        return 2;
    case Kind::list: {
        // One line a name and its address, tab-separated for scripts; the line saying there are none
        // has no tab, so it reads as no application to them.
        const auto apps = installedApps();
        if (apps.empty())
            std::puts("no applications are installed (quillane --install NAME ADDRESS installs one)");
        for (const auto& app : apps)
            std::printf("%s\t%s\n", app.name.c_str(), app.address.c_str());
        return 0;
    }
    case Kind::install: {
        if (!isValidAppName(request.name)) {
            std::fprintf(stderr, "quillane: %s\n", notAnAppName(request.name).c_str());
            return 2;
        }
        auto page = webPage(request.address);
        if (!page) {
            std::fprintf(stderr, "quillane: \u201c%s\u201d is not the address of a web page: use an http or https address\n", request.address.c_str());
            return 2;
        }
        if (auto failure = installApp(request.name, page->absoluteString())) {
            std::fprintf(stderr, "quillane: %s\n", failure->c_str());
            return 1;
        }
        std::printf("installed %s on %s\n", request.name.c_str(), page->absoluteString().c_str());
        return 0;
    }
    case Kind::uninstall: {
        auto identity = appIdentity(request.name);
        // Its files are in use, and its preferences would be written back.
        auto running = identity ? platform::isApplicationRunning(names::applicationId, identity->iconName) : platform::Running::no;
        if (running == platform::Running::yes) {
            std::fprintf(stderr, "quillane: \u201c%s\u201d is running: quit it first, then uninstall it\n", request.name.c_str());
            return 1;
        }
        if (running == platform::Running::unknown) {
            std::fprintf(stderr, "quillane: the running Quillane did not say whether \u201c%s\u201d is running: quit it if it is, then try again\n",
                request.name.c_str());
            return 1;
        }
        bool installed = isInstalled(request.name);
        auto removed = uninstallApp(request.name, request.purge);
        if (!installed && removed.empty()) {
            std::fprintf(stderr, "quillane: no application named \u201c%s\u201d is installed%s\n", request.name.c_str(),
                request.purge ? ", and none of its data is left" : "");
            return 1;
        }
        for (const auto& path : removed)
            std::printf("removed %s\n", path.c_str());
        return 0;
    }
    }
    return 2;
}

} // namespace quillane
