#pragma once
// "Install as Application…": the page becomes an application of its own, named after its web
// application manifest (else its title), with the manifest's icon (else the page's favicon, else
// Quillane's), its shortcuts (with their icons), the links it handles and its colours, after a
// question attached to the window; then the new application starts on the page's address. Everything taken from the page comes through its own session, limited in size,
// and is checked before it is written: the name by the name rule, the icon decoded in a process of
// its own, held to resource limits and a time-out, while the window goes on answering.
#include "apps/installed_apps.h"

#include <memory>
#include <optional>
#include <string>

namespace quillane {

namespace platform {
struct DecodedImage;
}
class MainWindow;
struct FixedTexts;

// What the window says once the application `name` is installed, and its own window was (or could
// not be) started.
std::string installedNote(const std::string& name, bool started);

class InstallFromPage {
public:
    InstallFromPage(MainWindow& main, const FixedTexts& texts);
    ~InstallFromPage();

    void start();

private:
    // One install, from gathering what the page says to the answer to the question; the temporary
    // folder made for its icon goes with it.
    struct Install;

    void gathered(std::optional<std::string> answer);
    void iconFetched(std::optional<std::string> failure);
    void iconDecoded(const platform::DecodedImage& image);
    void withoutPageIcon(const std::string& why);
    void iconReady(const std::string& icon);
    // The shortcuts' icons, one after another, then the question.
    void nextShortcutIcon();
    void shortcutIconDone(const std::string& why);
    void ask();
    void answered(const std::shared_ptr<Install>& install, const std::string& name);
    void installAs(const Install& install, const std::string& name, Existing existing);

    MainWindow& m_main;
    const FixedTexts& m_texts;
    // Shared only so that answers arriving late can tell whether their install is still the one.
    std::shared_ptr<Install> m_install;
};

} // namespace quillane
