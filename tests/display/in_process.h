#pragma once
// For tests that run the platform layer in this process, on the display of a DisplaySession.
#include <chrono>
#include <functional>

namespace quillane::platform {
class Application;
}

namespace quillane::testing {

// Lets the main loop run until the condition holds; whether it did before the timeout.
bool spinUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(10));
void spinFor(std::chrono::milliseconds duration);

// Runs an application whose launch calls the body; the application quits when the body returns.
void runApplication(const std::function<void(platform::Application&)>& body);

} // namespace quillane::testing
