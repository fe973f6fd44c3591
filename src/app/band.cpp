// The band above the page: the window's background colour, which shows where the page view leaves
// the window uncovered.
#include "app/app_delegate.h"

namespace quillane {

void AppDelegate::paintBand()
{
    if (!window || !web)
        return;
    window->setBackgroundColour(topColour.value_or(web->underPageBackgroundColour()));
}

} // namespace quillane
