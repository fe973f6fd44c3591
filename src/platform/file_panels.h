#pragma once
// The system's file choosers, for opening and for saving, kept above a window of ours.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillane::platform {

class Window;

// Lets the user choose one file, or several; only files of the given content types (MIME types or
// patterns such as "image/*") are offered, every file when the list is empty. The completion runs
// once, with the chosen paths or none for a cancel.
void runOpenPanel(Window& parent, bool allowsMultipleSelection, const std::vector<std::string>& contentTypes,
    std::function<void(std::optional<std::vector<std::string>>)> completion);

// Asks where to save a file, starting from the suggested name; replacing a file is confirmed first.
void runSavePanel(Window& parent, const std::string& suggestedName, std::function<void(std::optional<std::string>)> completion);

} // namespace quillane::platform
