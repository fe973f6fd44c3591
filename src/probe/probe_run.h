#pragma once
// The self-test run: the probe page in an invisible window, driven once it has loaded, and the
// report that ends the run. Made only for a probe run; the owners of everyday behaviour take its
// policies (drags counted instead of moving the window, downloads saved beside the report), and it
// answers for the main page's loads in place of everyday navigation.
#include "fixed_texts.h"
#include "files/downloads.h"
#include "main_window/drags.h"
#include "platform/main_queue.h"
#include "probe/driver.h"
#include "probe/report.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quillane {

class Navigation;

class ProbeRun : public DragPolicy {
public:
    // The owners whose facts the report tells.
    struct Sources {
        platform::Commands& commands;
        MainWindow& main;
        WindowModes& modes;
        MicrophonePermission& microphone;
        AboutPanel& about;
        Navigation& navigation;
    };

    // `reportFile` is an absolute path (its download goes beside it); `testPage`, for the self-test's
    // own tests, replaces the built-in probe page.
    ProbeRun(platform::Application& application, const FixedTexts& texts, std::string reportFile, std::optional<std::string> testPage);

    DestinationChooser downloadDestination();
    // Counting, never moving: a move started from a synthetic press would follow the real pointer.
    void dragWithModifier(const platform::Press& press) override;
    void dragForPage(const std::optional<platform::Press>& press) override;
    void dragFromBand(const platform::Press&) override { }

    // Loads the probe page into the main window, which is never seen and lets the real pointer through.
    void begin(const Sources& sources);
    // 0 once the report is written; not 0 when it could not be.
    int exitStatus() const { return m_exitStatus; }

private:
    // The first of the run's ends writes the report; the application is already on its way out then.
    void report(const std::string& firstLine);

    platform::Application& m_application;
    const FixedTexts& m_texts;
    const std::string m_reportFile;
    const std::optional<std::string> m_testPage;
    std::optional<Sources> m_sources;
    std::optional<ProbeDriver> m_driver;
    std::int64_t m_dragsTaken = 0;
    std::int64_t m_pageDrags = 0;
    std::optional<std::string> m_download;
    platform::ScheduledBlock m_timeout;
    platform::Subscription m_finished;
    platform::Subscription m_failed;
    bool m_reported = false;
    int m_exitStatus = 0;
};

} // namespace quillane
