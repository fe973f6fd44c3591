#include "apps/install_from_page.h"

#include "apps/app_names.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "main_window/main_window.h"
#include "platform/image_files.h"
#include "platform/json.h"
#include "platform/url.h"
#include "platform/desktop.h"
#include "apps/installed_apps.h"
#include "apps/web_app_manifest.h"

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
// A server that never finishes sending the icon does not hold the install up for longer.
constexpr double iconDownloadTimeout = 30;

std::string textIn(const platform::ScriptValue& value, const char* key)
{
    const platform::ScriptValue* found = value.find(key);
    return found && found->kind == platform::ScriptValue::Kind::text ? found->text : "";
}
} // namespace

struct InstallFromPage::Install {
    // The page's address; where the application starts (the manifest's start address, else the
    // page's) and what it holds as its own (none: its site).
    std::string address;
    std::string startAddress;
    std::optional<std::string> scope;
    // Made for the icon, removed with the install.
    std::string folder;
    // What people will see of the application: the manifest's name, else the page's title.
    std::string title;
    std::string name;
    std::string iconAddress;
    // The icon shown in the question and installed: a PNG in the folder, or none.
    std::string icon;
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
    ManifestFacts manifest;
    if (const platform::ScriptValue* described = facts.find("manifest"); described && described->kind == platform::ScriptValue::Kind::dictionary) {
        if (auto parsed = platform::parseJSON(textIn(*described, "text")))
            manifest = readManifest(*parsed, textIn(*described, "url"), m_install->address);
    }
    m_install->startAddress = manifest.startAddress.value_or(m_install->address);
    m_install->scope = manifest.scope;
    m_install->title = manifest.name.value_or("");
    m_install->name = appNameFor(manifest.name.value_or(textIn(facts, "title")));
    if (!manifest.icon || m_install->folder.empty()) {
        withoutPageIcon("");
        return;
    }
    m_install->iconAddress = *manifest.icon;
    m_install->download = m_main.page().downloadToFile(*manifest.icon, m_install->folder + "/download", iconLimits.largestFile, iconDownloadTimeout,
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
        ask(*image.png);
    else
        withoutPageIcon(image.refusal);
}

void InstallFromPage::withoutPageIcon(const std::string& why)
{
    if (!why.empty())
        std::fprintf(stderr, "quillane: the icon %s is not used: %s\n", m_install->iconAddress.c_str(), why.c_str());
    std::string icon = m_install->iconFile();
    ask(!m_install->folder.empty() && m_main.page().saveFavicon(icon, iconLimits) ? icon : "");
}

void InstallFromPage::ask(const std::string& icon)
{
    m_install->asking = true;
    m_install->icon = icon;
    platform::Question question { "Install as Application", "The page gets a desktop entry and a window of its own, with its own cookies and storage.",
        { "Install", "Cancel" } };
    question.imageFile = icon;
    question.field = m_install->name;
    question.fieldName = "Application name";
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
    if (!isValidAppName(name)) {
        m_main.tell("\u201c" + name + "\u201d is not a name for an application: use letters, digits, - and _.");
        return;
    }
    if (!isInstalled(name)) {
        installAs(*install, name);
        return;
    }
    m_main.ask({ "Replace \u201c" + name + "\u201d?", "An application of that name is installed already.", { "Replace", "Cancel" } },
        [this, install, name](const platform::Answer& answer) {
            if (!answer.affirmative())
                return;
            uninstallApp(name, false);
            installAs(*install, name);
        });
}

void InstallFromPage::installAs(const Install& install, const std::string& name)
{
    auto icon = install.icon.empty() ? std::nullopt : std::optional<std::string>(install.icon);
    std::string start = install.startAddress.empty() ? install.address : install.startAddress;
    if (auto failure = installApp(name, start, icon, install.title, install.scope)) {
        m_main.tell("The application could not be installed: " + *failure + ".");
        return;
    }
    platform::startThisProgram({ "--app", name });
}

} // namespace quillane
