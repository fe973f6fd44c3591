#pragma once
#include "platform/web_view.h"

namespace quillane {

// The view that shows the page.
class PageView : public platform::WebView {
public:
    using WebView::WebView;
    std::string_view typeName() const override { return "PageView"; }
    // The first press on an inactive window reaches the page too, so one press on the empty top
    // strip moves even an inactive window.
    bool acceptsFirstMouse() const override { return true; }
};

} // namespace quillane
