#pragma once
// Questions for the user, attached to a window of ours.
#include <functional>
#include <string>
#include <vector>

namespace quillane {

namespace platform {
class Window;
}

// The first button is the affirmative one (Return); Escape answers the last.
struct Question {
    std::string message;
    std::string informative;
    std::vector<std::string> buttons;
};

// Asks a question; the answer is whether the first button was chosen.
using Ask = std::function<void(const Question& question, std::function<void(bool affirmative)> answer)>;

// Asks on a sheet attached to the window, kept above it.
void ask(platform::Window& window, const Question& question, std::function<void(bool affirmative)> answer);

} // namespace quillane
