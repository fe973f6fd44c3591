#pragma once
// "Install as Application…": the page becomes an application of its own, named after its web
// application manifest (else its title), with the manifest's icon (else the page's favicon, else
// Quillane's), after a question attached to the window; then the new application starts on the
// page's address. Everything taken from the page is fetched through its own session, limited in
// size, and checked (the name by the name rule, the icon decoded as an image) before it is written.
#include <optional>
#include <string>

namespace quillane {

class MainWindow;
struct FixedTexts;

class InstallFromPage {
public:
    InstallFromPage(MainWindow& main, const FixedTexts& texts);

    void start();

private:
    void gathered(const std::string& address, std::optional<std::string> answer);
    void ask(const std::string& address, const std::string& name, const std::string& icon);
    void install(const std::string& address, const std::string& name, const std::string& icon);

    // What people will see of the application: the manifest's name, else the page's title.
    std::string m_title;

    MainWindow& m_main;
    const FixedTexts& m_texts;
    std::string m_folder;
};

} // namespace quillane
