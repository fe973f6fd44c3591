#pragma once
// A question attached to a window: a message, optional informative text, an optional text field and
// buttons, the first of them the default (Return); Escape answers "Cancel", or the last button.
#include "platform/geometry.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillane::platform {

class Window;

inline constexpr int alertFirstButtonReturn = 1000;

class Alert : public std::enable_shared_from_this<Alert> {
public:
    static std::shared_ptr<Alert> make();
    ~Alert();

    void setMessageText(std::string text);
    void setInformativeText(std::string text);
    void addButton(std::string title);
    // An image (a file) shown with the message.
    void setIcon(std::string imageFile);
    // A text field under the texts, holding `text`; it has the keyboard focus when the alert shows.
    void setTextField(std::string text, Size size);
    // What the text field holds now.
    std::string textFieldValue() const;
    // A check box under the texts, off at first ("Remember my choice").
    void setCheckBox(std::string label);
    // Whether the check box was on when the alert was answered.
    bool checkBoxValue() const;

    // Shows the alert modal to the window and above it. The completion runs once with
    // alertFirstButtonReturn plus the index of the answering button, also when the window goes
    // away first (then as Escape would answer). The alert keeps itself until then.
    void beginSheetModal(Window& window, std::function<void(int response)> completion);
    bool isShowing() const;

    struct Impl;

private:
    Alert();
    std::unique_ptr<Impl> m_impl;
};

} // namespace quillane::platform
