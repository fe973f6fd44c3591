#pragma once
// Printing a page. The user's own command shows the print dialog whenever none shows; a page's
// window.print() only when none shows and not again for a while after the user cancelled one, a
// while that doubles with each cancel in a row: a page that asks again and again cannot keep the
// dialog in front of the user.
#include <functional>
#include <memory>
#include <string>

namespace quillane {

namespace platform {
class WebView;
class Window;
}

class Printing {
public:
    // Shows the dialog; `answered` hears whether the user printed.
    using ShowDialog = std::function<void(std::function<void(bool printed)> answered)>;

    // The quiet after one cancel, and the longest it grows to.
    static constexpr double quietAfterCancel = 3;
    static constexpr double longestQuiet = 60;

    // `now` reads a clock in seconds; `folder` says where printing to a file starts.
    Printing(std::function<double()> now, std::function<std::string()> folder = nullptr);
    // Hears the page's window.print(); its dialog shows over the window.
    void attach(platform::WebView& page, platform::Window& window);
    // The user asks to print the page.
    void print(platform::WebView& page, platform::Window& window);

    // Ctrl+P or the context menu.
    void userAsks(const ShowDialog& show);
    // The page's window.print().
    void pageAsks(const ShowDialog& show);
    bool isShowing() const { return m_showing; }

private:
    void showNow(const ShowDialog& show);
    ShowDialog dialogFor(platform::WebView& page, platform::Window& window);
    void answered(bool printed);

    std::function<double()> m_now;
    std::function<std::string()> m_folder;
    bool m_showing = false;
    int m_cancelsInARow = 0;
    double m_quietUntil = 0;
    // A dialog may outlive this (it goes with its window): its answer then finds no one.
    std::shared_ptr<Printing*> m_self = std::make_shared<Printing*>(this);
};

} // namespace quillane
