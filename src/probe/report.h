#pragma once
// The self-test report: 21 lines of what the run measured, each group asked of the owner that knows
// it, and written in the words of the platform the program was first described for (window levels,
// collection behaviours, selectors), translated from what GTK and the owners say.
#include "main_window/main_window.h"
#include "main_window/window_modes.h"
#include "menus/about_panel.h"
#include "permissions/microphone_permission.h"
#include "platform/application.h"
#include "platform/commands.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quillane {

struct ReportSources {
    platform::Application& application;
    platform::Commands& commands;
    MainWindow& main;
    const WindowModes& modes;
    const MicrophonePermission& microphone;
    const AboutPanel& about;
    // Presses taken for dragging: with the drag modifier, and at the page's request.
    std::int64_t dragsTaken;
    std::int64_t pageDrags;
    // What became of the page's download.
    std::string download;
};

std::vector<std::string> reportLines(const std::string& firstLine, const ReportSources& sources);

} // namespace quillane
