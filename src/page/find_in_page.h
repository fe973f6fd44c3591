#pragma once
// Find in page: the find bar over the main page, finding as the user types, Return and Shift+Return
// (or the bar's buttons) going through the matches, Escape closing it and clearing the highlights.
#include "page/find_position.h"
#include "platform/find_bar.h"

#include <optional>
#include <string>

namespace quillane {

class MainWindow;

class FindInPage {
public:
    // Hears what the main page says of the text looked for.
    explicit FindInPage(MainWindow& main);

    // Opens the bar (or brings the keyboard back to it).
    void open();
    // What the page said of the text.
    void found(unsigned matches);
    void notFound();
    // What the bar says ("2 of 3", "No matches"), and whether it shows.
    std::string status() const;
    bool isOpen() const { return m_bar.isShown(); }

private:
    void setStatus(const std::string& status);

    MainWindow& m_main;
    platform::FindBar m_bar;
    FindPosition m_position;
    std::string m_status;
};

} // namespace quillane
