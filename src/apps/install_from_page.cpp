#include "apps/install_from_page.h"

#include "apps/app_names.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "main_window/main_window.h"
#include "platform/image_files.h"
#include "platform/input.h"
#include "platform/json.h"
#include "platform/url.h"
#include "apps/installed_apps.h"
#include "apps/web_app_manifest.h"

#include <algorithm>
#include <cstdio>

namespace quillane {

namespace {
// Icons are made 256 pixels a side from at most 1 MiB of the page's. A raster image over 1024
// pixels a side is refused before it is decoded; an SVG is drawn at 256. An icon decodes in well
// under a second; one that takes 3 s of processor time, or 6 s in all, is given up.
constexpr platform::ImageLimits iconLimits {
    .side = 256,
    .largestRaster = 1024,
    .largestFile = std::size_t(1) << 20,
    .processorSeconds = 3,
    .timeoutSeconds = 6,
    .addressSpace = std::size_t(256) << 20,
};
// Shortcuts' icons, made smaller, under the same limits otherwise.
constexpr platform::ImageLimits shortcutIconLimits {
    .side = shortcutIconSide,
    .largestRaster = iconLimits.largestRaster,
    .largestFile = iconLimits.largestFile,
    .processorSeconds = iconLimits.processorSeconds,
    .timeoutSeconds = iconLimits.timeoutSeconds,
    .addressSpace = iconLimits.addressSpace,
};
// A server that never finishes sending the icon does not hold the install up for longer.
constexpr double iconDownloadTimeout = 30;
// All the shortcuts' icons are fetched one after another within this many seconds (the question
// waits for them); those not fetched by then are left out, and their shortcuts go without.
constexpr double shortcutIconsTime = 10;

std::string textIn(const platform::ScriptValue& value, const char* key)
{
    const platform::ScriptValue* found = value.find(key);
    return found && found->kind == platform::ScriptValue::Kind::text ? found->text : "";
}
} // namespace

struct InstallFromPage::Install {
    // The page's address.
    std::string address;
    // Made for the icon, removed with the install.
    std::string folder;
    // What people will see of the application: the manifest's name, else the page's title.
    std::string title;
    std::string name;
    std::string iconAddress;
    // The icon shown in the question and installed: a PNG in the folder, or none.
    std::string icon;
    ManifestFacts manifest;
    // The shortcuts' icons made (PNGs in the folder), the next to fetch, and when to stop.
    std::vector<std::optional<std::string>> shortcutIcons;
    std::size_t nextShortcut = 0;
    double shortcutsDeadline = 0;
    bool asking = false;
    platform::ProgramDownload download;
    platform::ImageDecoding decoding;

    std::string iconFile() const { return folder + "/icon.png"; }
    ~Install()
    {
        // Stopped first, so that neither writes into the folder once it has gone.
        download = {};
        decoding = {};
        if (!folder.empty())
            platform::removeFolder(folder);
    }
};

InstallFromPage::InstallFromPage(MainWindow& main, const FixedTexts& texts)
    : m_main(main)
    , m_texts(texts)
{
}

InstallFromPage::~InstallFromPage() = default;

void InstallFromPage::start()
{
    // One question at a time; an install still gathering gives way to the new one.
    if (m_install && m_install->asking)
        return;
    auto address = m_main.page().url();
    auto page = address ? platform::URL::parse(*address) : std::nullopt;
    if (!page || !page->host() || (page->scheme() != "http" && page->scheme() != "https")) {
        m_main.tell("Only a page of a web site can be installed as an application.");
        return;
    }
    m_install = std::make_shared<Install>();
    m_install->address = page->absoluteString();
    m_install->folder = platform::makeTemporaryFolder();
    m_main.page().callAsyncJavaScript(m_texts.installGather, {}, [this, install = std::weak_ptr(m_install)](std::optional<std::string> answer) {
        // While the install lives, so does this owner of it.
        if (auto current = install.lock(); current && current == m_install)
            gathered(std::move(answer));
    });
}

void InstallFromPage::gathered(std::optional<std::string> answer)
{
    auto found = answer ? platform::parseJSON(*answer) : std::nullopt;
    platform::ScriptValue facts = found.value_or(platform::ScriptValue {});
    ManifestFacts& manifest = m_install->manifest;
    auto application = platform::URL::parse(m_install->address);
    if (const platform::ScriptValue* described = facts.find("manifest"); described && described->kind == platform::ScriptValue::Kind::dictionary) {
        if (auto parsed = platform::parseJSON(textIn(*described, "text")); parsed && application)
            manifest = readManifest(*parsed, textIn(*described, "url"), *application);
    }
    m_install->shortcutIcons.resize(manifest.shortcuts.size());
    // The desktop shows the manifest's name, else the name the user gives (the page's title, which
    // may hold an unread count or an address, is only where the suggested name comes from).
    m_install->title = manifest.name.value_or("");
    m_install->name = appNameFor(manifest.name.value_or(textIn(facts, "title")));
    // Without a manifest's icon, the page's own (its links' best, else the site's favicon).
    const platform::ScriptValue* pageIcons = facts.find("icons");
    m_install->iconAddress = manifest.icon ? *manifest.icon : application ? pageIcon(pageIcons ? *pageIcons : platform::ScriptValue {}, *application) : "";
    if (m_install->iconAddress.empty() || m_install->folder.empty()) {
        withoutPageIcon("");
        return;
    }
    m_install->download = m_main.page().downloadToFile(m_install->iconAddress, m_install->folder + "/download", iconLimits.largestFile, iconDownloadTimeout,
        [this](std::optional<std::string> failure) { iconFetched(std::move(failure)); });
}

void InstallFromPage::iconFetched(std::optional<std::string> failure)
{
    if (failure) {
        withoutPageIcon("it could not be fetched: " + *failure);
        return;
    }
    m_install->decoding = platform::decodeImageFile(m_install->folder + "/download", m_install->iconFile(), iconLimits,
        [this](platform::DecodedImage image) { iconDecoded(image); });
}

void InstallFromPage::iconDecoded(const platform::DecodedImage& image)
{
    if (image.png)
        iconReady(*image.png);
    else
        withoutPageIcon(image.refusal);
}

void InstallFromPage::withoutPageIcon(const std::string& why)
{
    if (!why.empty())
        std::fprintf(stderr, "quillane: the icon %s is not used: %s\n", m_install->iconAddress.c_str(), why.c_str());
    iconReady("");
}

void InstallFromPage::iconReady(const std::string& icon)
{
    m_install->icon = icon;
    m_install->shortcutsDeadline = platform::secondsNow() + shortcutIconsTime;
    nextShortcutIcon();
}

void InstallFromPage::nextShortcutIcon()
{
    Install& install = *m_install;
    const auto& shortcuts = install.manifest.shortcuts;
    while (install.nextShortcut < shortcuts.size() && !shortcuts[install.nextShortcut].icon)
        ++install.nextShortcut;
    double left = install.shortcutsDeadline - platform::secondsNow();
    if (install.nextShortcut >= shortcuts.size() || left <= 0 || install.folder.empty()) {
        ask();
        return;
    }
    std::string download = install.folder + "/shortcut-" + std::to_string(install.nextShortcut) + ".download";
    install.download = m_main.page().downloadToFile(*shortcuts[install.nextShortcut].icon, download, shortcutIconLimits.largestFile,
        std::min(iconDownloadTimeout, left), [this, download](std::optional<std::string> failure) {
            if (failure) {
                shortcutIconDone("it could not be fetched: " + *failure);
                return;
            }
            std::string png = m_install->folder + "/shortcut-" + std::to_string(m_install->nextShortcut) + ".png";
            m_install->decoding = platform::decodeImageFile(download, png, shortcutIconLimits, [this](platform::DecodedImage image) {
                m_install->shortcutIcons[m_install->nextShortcut] = image.png;
                shortcutIconDone(image.refusal);
            });
        });
}

void InstallFromPage::shortcutIconDone(const std::string& why)
{
    Install& install = *m_install;
    if (!why.empty())
        std::fprintf(stderr, "quillane: the icon %s is not used: %s\n", install.manifest.shortcuts[install.nextShortcut].icon->c_str(), why.c_str());
    ++install.nextShortcut;
    nextShortcutIcon();
}

std::string installedNote(const std::string& name, bool started)
{
    return "Installed \u201c" + name + "\u201d: it is among the desktop's applications"
        + (started ? ", and its window is opening." : ", but its window could not be opened.");
}

void InstallFromPage::ask()
{
    m_install->asking = true;
    const std::string& icon = m_install->icon;
    platform::Question question { "Install as Application",
        "The page gets a desktop entry and a window of its own, with its own cookies and storage. Its name may hold letters, digits, - and _.",
        { "Install", "Cancel" } };
    question.imageFile = icon;
    question.field = m_install->name;
    question.fieldName = "Application name";
    // A name that will not do is said under the field, which keeps what was typed.
    question.checkField = [](const std::string& name) -> std::optional<std::string> {
        return isValidAppName(name) ? std::nullopt : std::optional(notAnAppName(name) + ".");
    };
    m_main.ask(question, [this, weak = std::weak_ptr(m_install)](const platform::Answer& answer) {
        auto install = weak.lock();
        if (!install || install != m_install)
            return;
        // The install ends with this answer, or with the answer to the question it leads to.
        m_install.reset();
        if (answer.affirmative())
            answered(install, answer.field);
    });
}

void InstallFromPage::answered(const std::shared_ptr<Install>& install, const std::string& name)
{
    // The dialog took only a valid name; installApp checks it again before anything is written.
    if (!isInstalled(name)) {
        installAs(*install, name, Existing::refuse);
        return;
    }
    m_main.ask({ "Replace \u201c" + name + "\u201d?", "An application of that name is installed already.", { "Replace", "Cancel" } },
        [this, install, name](const platform::Answer& answer) {
            if (!answer.affirmative())
                return;
            installAs(*install, name, Existing::replace);
        });
}

void InstallFromPage::installAs(const Install& install, const std::string& name, Existing existing)
{
    auto icon = install.icon.empty() ? std::nullopt : std::optional<std::string>(install.icon);
    AppExtras extras { {}, install.manifest.protocolHandlers, install.manifest.themeColour, install.manifest.backgroundColour, install.manifest.scope };
    for (std::size_t index = 0; index < install.manifest.shortcuts.size(); ++index) {
        const auto& shortcut = install.manifest.shortcuts[index];
        extras.shortcuts.push_back({ shortcut.name, shortcut.address, install.shortcutIcons[index] });
    }
    // Where the manifest says the application starts, else the page it was installed from.
    std::string start = install.manifest.startAddress.value_or(install.address);
    if (auto failure = installApp(name, start, icon, install.title, extras, existing)) {
        if (existing == Existing::replace)
            m_main.tell("The application could not be replaced: " + *failure + ". The installed one is left as it was.");
        else
            m_main.tell("The application could not be installed: " + *failure + ".");
        return;
    }
    bool started = platform::startThisProgram({ "--app", name });
    m_main.window().showNote({ installedNote(name, started), {} });
}

} // namespace quillane
