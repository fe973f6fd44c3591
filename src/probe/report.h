#pragma once
// The self-test report: 21 lines of what the run measured, each group asked of the owner that knows it.
#include "app/main_window.h"
#include "platform/application.h"
#include "services/microphone_permission.h"
#include "window/window_modes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quillane {

struct ReportSources {
    platform::Application& application;
    MainWindow& main;
    const WindowModes& modes;
    const MicrophonePermission& microphone;
    // The About panel's window, shown for the report; null when it did not show.
    platform::Window* aboutPanel;
    // Presses taken for dragging: with the drag modifier, and at the page's request.
    std::int64_t dragsTaken;
    std::int64_t pageDrags;
    // What became of the page's download.
    std::string download;
};

std::vector<std::string> reportLines(const std::string& firstLine, const ReportSources& sources);

} // namespace quillane
