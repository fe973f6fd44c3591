#pragma once
// Dialogs over a window of ours: questions, the About dialog, and the file choosers.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quillane::platform {

class Application;
class Window;

struct Question {
    Question() = default;
    Question(std::string message, std::string detail, std::vector<std::string> buttons)
        : message(std::move(message))
        , detail(std::move(detail))
        , buttons(std::move(buttons))
    {
    }

    std::string message;
    std::string detail;
    // The affirmative answer first (the default, Return), the cancelling one last (Escape).
    std::vector<std::string> buttons;
    // A text field holding this text, with the keyboard in it, named for screen readers.
    std::optional<std::string> field;
    std::string fieldName;
    // Checks the field's text when the affirmative answer is chosen: a reason why the text will not
    // do is shown under the field and the question stays; none lets the answer through.
    std::function<std::optional<std::string>(const std::string& text)> checkField;
    // A check box under the texts, off at first ("Remember my choice").
    std::string checkBox;
    // An image (a file) shown with the message.
    std::string imageFile;
};

struct Answer {
    // The button chosen, by its place; the cancelling one for Escape, or when the window went first.
    std::size_t button = 0;
    std::string field;
    bool checked = false;
    // Escape, the window manager's close, or the window going first: no button was chosen.
    bool dismissed = false;
    bool affirmative() const { return button == 0; }
};

// Asks modally over the window, kept above it; the completion runs once.
void ask(Window& parent, const Question& question, std::function<void(const Answer&)> completion);

struct AboutInfo {
    std::string name;
    std::string version;
    std::string comments;
    std::string iconName;
    std::string website;
    // The licence's SPDX identifier ("MIT", "GPL-3.0-or-later"): a licence GTK knows is named with a
    // link to its text; any other is shown as it is.
    std::string licence;
};

// The About dialog: one, brought back when it is asked for again, kept above every window.
class AboutDialog {
public:
    AboutDialog(Application& application, AboutInfo info);
    ~AboutDialog();
    AboutDialog(const AboutDialog&) = delete;
    AboutDialog& operator=(const AboutDialog&) = delete;

    void present(Window& over);
    bool isVisible() const;
    bool keepsAbove() const;
    // The texts it shows, in the order of its widgets: its links (the website, the licence) aside.
    std::vector<std::string> texts() const;
    void makeInvisible();

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};

// Lets the user choose one file, or several; only files of the given MIME types (or patterns such
// as "image/*") are offered, every file when there are none. The completion runs once, with the
// chosen paths or none for a cancel.
void chooseFilesToOpen(Window& parent, bool multiple, const std::vector<std::string>& mimeTypes,
    std::function<void(std::optional<std::vector<std::string>>)> completion);
// Asks where to save a file, starting from the suggested name in `folder`; replacing a file is
// confirmed first.
void chooseWhereToSave(Window& parent, const std::string& suggestedName, const std::string& folder,
    std::function<void(std::optional<std::string>)> completion);

} // namespace quillane::platform
