#include "app/install_from_page.h"

#include "app/app_names.h"
#include "app/main_window.h"
#include "platform/alert.h"
#include "platform/image_files.h"
#include "platform/json.h"
#include "platform/url.h"
#include "platform/user_folders.h"
#include "services/app_installer.h"
#include "services/web_app_manifest.h"

namespace quillane {

namespace {
constexpr int iconSide = 256;

std::string textIn(const platform::ScriptValue& value, const char* key)
{
    const platform::ScriptValue* found = value.find(key);
    return found && found->kind == platform::ScriptValue::Kind::text ? found->text : "";
}
} // namespace

InstallFromPage::InstallFromPage(MainWindow& main, const FixedTexts& texts)
    : m_main(main)
    , m_texts(texts)
{
}

void InstallFromPage::start()
{
    auto address = m_main.page().url();
    auto page = address ? platform::URL::parse(*address) : std::nullopt;
    if (!page || !page->host() || (page->scheme() != "http" && page->scheme() != "https")) {
        m_main.tell("Only a page of a web site can be installed as an application.");
        return;
    }
    if (m_folder.empty())
        m_folder = platform::makeTemporaryFolder();
    std::string pageAddress = page->absoluteString();
    m_main.page().callAsyncJavaScript(m_texts.installGather, { { "address", "" } },
        [this, pageAddress](std::optional<std::string> answer) { gathered(pageAddress, std::move(answer)); });
}

void InstallFromPage::gathered(const std::string& address, std::optional<std::string> answer)
{
    auto found = answer ? platform::parseJSON(*answer) : std::nullopt;
    platform::ScriptValue facts = found.value_or(platform::ScriptValue {});
    ManifestFacts manifest;
    if (const platform::ScriptValue* described = facts.find("manifest"); described && described->kind == platform::ScriptValue::Kind::dictionary) {
        if (auto parsed = platform::parseJSON(textIn(*described, "text")))
            manifest = readManifest(*parsed, textIn(*described, "url"));
    }
    m_title = manifest.name.value_or("");
    std::string name = appNameFor(manifest.name.value_or(textIn(facts, "title")));
    std::string icon = m_folder.empty() ? "" : m_folder + "/icon.png";
    auto withIcon = [this, address, name, icon](bool made) { ask(address, name, made ? icon : ""); };
    if (!manifest.icon) {
        withIcon(!icon.empty() && m_main.page().saveFavicon(icon));
        return;
    }
    m_main.page().callAsyncJavaScript(m_texts.installGather, { { "address", *manifest.icon } }, [this, icon, withIcon](std::optional<std::string> answer) {
        auto found = answer ? platform::parseJSON(*answer) : std::nullopt;
        auto bytes = found ? platform::fromBase64(textIn(*found, "icon")) : std::nullopt;
        bool made = !icon.empty() && bytes && platform::writeImageAsPNG(*bytes, icon, iconSide);
        withIcon(made || (!icon.empty() && m_main.page().saveFavicon(icon)));
    });
}

void InstallFromPage::ask(const std::string& address, const std::string& name, const std::string& icon)
{
    auto alert = platform::Alert::make();
    alert->setMessageText("Install as Application");
    alert->setInformativeText("The page gets a desktop entry and a window of its own, with its own cookies and storage.");
    if (!icon.empty())
        alert->setIcon(icon);
    alert->setTextField(name, { 320, 24 });
    alert->addButton("Install");
    alert->addButton("Cancel");
    alert->beginSheetModal(m_main.window(), [this, alert, address, icon](int response) {
        if (response != platform::alertFirstButtonReturn)
            return;
        std::string chosen = alert->textFieldValue();
        if (!isValidAppName(chosen)) {
            m_main.tell("\u201c" + chosen + "\u201d is not a name for an application: use letters, digits, - and _.");
            return;
        }
        if (!isInstalled(chosen)) {
            install(address, chosen, icon);
            return;
        }
        m_main.ask({ "Replace \u201c" + chosen + "\u201d?", "An application of that name is installed already.", { "Replace", "Cancel" } },
            [this, address, chosen, icon](bool replace) {
                if (!replace)
                    return;
                uninstallApp(chosen, false);
                install(address, chosen, icon);
            });
    });
}

void InstallFromPage::install(const std::string& address, const std::string& name, const std::string& icon)
{
    if (auto failure = installApp(name, address, icon.empty() ? std::nullopt : std::optional<std::string>(icon), m_title)) {
        m_main.tell("The application could not be installed: " + *failure + ".");
        return;
    }
    platform::startThisProgram({ "--app", name });
}

} // namespace quillane
