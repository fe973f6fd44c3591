// Loading a page address: the engine's default cache policy and a 60-second time-out.
#include "app/app_delegate.h"

namespace quillane {

namespace {
constexpr double pageRequestTimeout = 60;
}

void AppDelegate::loadPage(const platform::URL& address)
{
    if (web)
        web->load({ address.loadableString(), pageRequestTimeout });
}

} // namespace quillane
