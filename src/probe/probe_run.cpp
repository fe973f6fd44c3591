#include "probe/probe_run.h"

#include "navigation/address_rules.h"
#include "navigation/navigation.h"
#include "platform/files.h"
#include "probe/report.h"
#include "probe/report_format.h"
#include "services/download_destination.h"

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

void ProbeRun::dragWithModifier(const platform::Event&)
{
    ++m_dragsTaken;
}

void ProbeRun::dragForPage(const std::optional<platform::Event>&)
{
    ++m_pageDrags;
}

void ProbeRun::begin(const Witnesses& witnesses)
{
    m_witnesses.emplace(witnesses);
    MainWindow& main = witnesses.main;
    if (auto replacement = m_testPage ? address(*m_testPage) : std::nullopt)
        witnesses.navigation.load(*replacement);
    else
        main.page().loadHTMLString(m_texts.probePage, probeBaseAddress);
    main.window().center();
    main.window().makeFirstResponder(main.page());

    // Never seen, and the real pointer passes through to whatever lies beneath.
    main.window().setAlpha(0);
    main.window().setIgnoresMouseEvents(true);
    main.window().setMovable(false);
    main.window().orderFront();
    m_timeout = platform::runOnMainQueueAfter(loadTimeout, [this] { report("the page did not load in 10 seconds"); });
    m_driver.emplace(main, m_texts, [this](const std::string& answer) { report(answer); });
}

void ProbeRun::pageDidFinish()
{
    if (m_driver && !m_reported)
        m_driver->drive();
}

void ProbeRun::pageDidFail(const platform::LoadFailure& failure)
{
    report("the page failed to load: " + failure.message);
}

void ProbeRun::report(const std::string& firstLine)
{
    if (!m_witnesses || m_reported)
        return;
    m_reported = true;
    Witnesses& witnesses = *m_witnesses;
    witnesses.about.show();
    platform::Window* panel = witnesses.about.window();
    if (panel)
        panel->setAlpha(0);

    std::optional<std::string> saved;
    if (m_download) {
        saved = platform::readTextFile(*m_download);
        platform::removeRegularFile(*m_download);
    }
    std::string download = "nothing saved";
    if (m_download && saved && *saved == m_texts.probeSaves)
        download = "saved as " + m_download->substr(m_download->find_last_of('/') + 1) + ", as the page made it";

    ReportSources sources { m_application, witnesses.main, witnesses.modes, witnesses.microphone, panel, m_dragsTaken, m_pageDrags, download };
    if (auto failure = platform::replaceFileContents(m_reportFile, joinedReport(reportLines(firstLine, sources)), 0644)) {
        std::fprintf(stderr, "quillane: could not write the report to %s: %s\n", m_reportFile.c_str(), failure->c_str());
        m_exitStatus = 1;
    }
    m_application.terminate();
}

} // namespace quillane
