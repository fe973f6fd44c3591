#pragma once
// The system's file choosers, for opening and for saving, kept above a window of ours; the user's
// folders; the desktop's default applications.
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

// Asks where to save a file, starting from the suggested name in `folder`; replacing a file is
// confirmed first.
void runSavePanel(Window& parent, const std::string& suggestedName, const std::string& folder,
    std::function<void(std::optional<std::string>)> completion);

// The user's Downloads folder (XDG user directory), else the home folder.
std::string downloadsFolder();

// Hands a link to the application the desktop has for its scheme (the default browser for http);
// false, with a line on standard error, when none took it.
bool openWithDefaultApplication(const std::string& uri);
// The name of the application the desktop has for links of a scheme ("mailto"); none when it has none.
std::optional<std::string> defaultApplicationName(const std::string& scheme);

} // namespace quillane::platform
