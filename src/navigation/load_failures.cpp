// A load that fails before anything of it shows: silent in ordinary use, a line of the self-test's report.
#include "app/app_delegate.h"

namespace quillane {

void AppDelegate::webViewDidFailProvisionalNavigation(platform::WebView&, const std::string& message)
{
    report("the page failed to load: " + message);
}

} // namespace quillane
