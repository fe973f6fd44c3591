#pragma once
#include "platform/view.h"

#include <functional>

namespace quillane {

// The window's content view. It draws nothing, so the window's colour shows wherever the page view
// leaves it uncovered; it tells, through onHover, whether the pointer has come near the window buttons.
class HoverView : public platform::View {
public:
    using View::View;
    std::string_view typeName() const override { return "HoverView"; }

    std::function<void(bool)> onHover = [](bool) { };
    // How far, in points, the sensitive area reaches beyond the buttons on every side.
    static constexpr double reach = 20;
};

} // namespace quillane
