#pragma once
// The self-test run: the probe page in an invisible window, driven once it has loaded, and the
// report that ends the run. Made only for a probe run; the owners of everyday behaviour take its
// policies (drags counted instead of moving the window, downloads saved beside the report).
#include "app/fixed_texts.h"
#include "app/main_window.h"
#include "menus/about_panel.h"
#include "navigation/load_events.h"
#include "platform/main_queue.h"
#include "probe/driver.h"
#include "services/downloads.h"
#include "services/microphone_permission.h"
#include "window/drag_monitor.h"
#include "window/window_modes.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quillane {

class Navigation;

class ProbeRun : public DragPolicy, public LoadEvents {
public:
    // The owners whose facts the report tells.
    struct Witnesses {
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
    void dragWithModifier(const platform::Event& press) override;
    void dragForPage(const std::optional<platform::Event>& press) override;

    // Loads the probe page into the main window, which is never seen and lets the real pointer through.
    void begin(const Witnesses& witnesses);
    void pageDidFinish() override;
    void pageDidFail(const platform::LoadFailure& failure) override;
    // 0 once the report is written; not 0 when it could not be.
    int exitStatus() const { return m_exitStatus; }

private:
    // The first of the run's ends writes the report; the application is already on its way out then.
    void report(const std::string& firstLine);

    platform::Application& m_application;
    const FixedTexts& m_texts;
    const std::string m_reportFile;
    const std::optional<std::string> m_testPage;
    std::optional<Witnesses> m_witnesses;
    std::optional<ProbeDriver> m_driver;
    std::int64_t m_dragsTaken = 0;
    std::int64_t m_pageDrags = 0;
    std::optional<std::string> m_download;
    platform::ScheduledBlock m_timeout;
    bool m_reported = false;
    int m_exitStatus = 0;
};

} // namespace quillane
