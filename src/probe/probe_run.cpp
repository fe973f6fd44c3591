#include "probe/probe_run.h"

#include "page/address_rules.h"
#include "page/navigation.h"
#include "platform/files.h"
#include "probe/report.h"
#include "probe/report_format.h"
#include "files/download_destination.h"

#include <cstdio>

namespace quillane {

namespace {
constexpr double loadTimeout = 10;
constexpr const char* probeBaseAddress = "https://example.com/";
} // namespace

ProbeRun::ProbeRun(platform::Application& application, const FixedTexts& texts, std::string reportFile, std::optional<std::string> testPage)
    : m_application(application)
    , m_texts(texts)
    , m_reportFile(std::move(reportFile))
    , m_testPage(std::move(testPage))
{
}

DestinationChooser ProbeRun::downloadDestination()
{
    return [this](const std::string& suggestedFilename, std::function<void(std::optional<std::string>)> completion) {
        // An earlier file of that name is replaced when the download is written; nothing is removed first.
        m_download = probeDestination(m_reportFile, suggestedFilename);
        completion(m_download);
    };
}

void ProbeRun::dragWithModifier(const platform::Press&)
{
    ++m_dragsTaken;
}

void ProbeRun::dragForPage(const std::optional<platform::Press>&)
{
    ++m_pageDrags;
}

void ProbeRun::begin(const Sources& sources)
{
    m_sources.emplace(sources);
    MainWindow& main = sources.main;
    m_finished = main.page().loadFinished.add([this] {
        if (m_driver && !m_reported)
            m_driver->drive();
    });
    m_failed = main.page().loadFailed.add([this](const platform::LoadFailure& failure) { report("the page failed to load: " + failure.message); });
    if (auto replacement = m_testPage ? address(*m_testPage) : std::nullopt)
        sources.navigation.load(*replacement);
    else
        main.page().loadHTML(m_texts.probePage, probeBaseAddress);
    main.window().centre();
    main.window().focusPage();
    // Never seen, and the real pointer passes through to whatever lies beneath.
    main.window().makeInvisible();
    main.window().present();
    m_timeout = platform::runOnMainQueueAfter(loadTimeout, [this] { report("the page did not load in 10 seconds"); });
    m_driver.emplace(main, m_texts, [this](const std::string& answer) { report(answer); });
}

void ProbeRun::report(const std::string& firstLine)
{
    if (!m_sources || m_reported)
        return;
    m_reported = true;
    Sources& sources = *m_sources;
    sources.about.show();
    sources.about.dialog().makeInvisible();

    std::optional<std::string> saved;
    if (m_download) {
        saved = platform::readTextFile(*m_download);
        platform::removeRegularFile(*m_download);
    }
    std::string download = "nothing saved";
    if (m_download && saved && *saved == m_texts.probeSaves)
        download = "saved as " + m_download->substr(m_download->find_last_of('/') + 1) + ", as the page made it";

    ReportSources facts { m_application, sources.commands, sources.main, sources.modes, sources.microphone, sources.about, m_dragsTaken, m_pageDrags, download };
    if (auto failure = platform::replaceFileContents(m_reportFile, joinedReport(reportLines(firstLine, facts)), 0644)) {
        std::fprintf(stderr, "quillane: could not write the report to %s: %s\n", m_reportFile.c_str(), failure->c_str());
        m_exitStatus = 1;
    }
    m_application.quit();
}

} // namespace quillane
