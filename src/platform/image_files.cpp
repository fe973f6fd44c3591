#include "platform/image_files.h"

#include "platform/gtk/gobject_ref.h"
#include "platform/main_queue.h"

#include <gio/gio.h>

#include <csignal>
#include <cstdio>
#include <utility>

#include <sys/prctl.h>
#include <sys/resource.h>

#if defined(__SANITIZE_ADDRESS__)
#define QUILLANE_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUILLANE_ADDRESS_SANITIZER 1
#endif
#endif

namespace quillane::platform {

struct ImageDecoding::State {
    std::function<void(DecodedImage)> completion;
    GObjectRef<GSubprocess> process;
    GObjectRef<GCancellable> cancellable;
    // The wall-clock time-out; or, when the decoder could not start, the report of that.
    ScheduledBlock deadline;
    bool timedOut = false;
    std::string png;
    ImageLimits limits;

    void stop()
    {
        completion = nullptr;
        deadline.cancel();
        if (cancellable)
            g_cancellable_cancel(cancellable.get());
        if (process)
            g_subprocess_force_exit(process.get());
    }
    void finish(DecodedImage outcome)
    {
        deadline.cancel();
        if (auto done = std::exchange(completion, nullptr))
            done(std::move(outcome));
    }
};

ImageDecoding::ImageDecoding() = default;
ImageDecoding::ImageDecoding(std::shared_ptr<State> state)
    : m_state(std::move(state))
{
}
ImageDecoding::ImageDecoding(ImageDecoding&&) noexcept = default;

ImageDecoding& ImageDecoding::operator=(ImageDecoding&& other) noexcept
{
    if (this != &other) {
        if (m_state)
            m_state->stop();
        m_state = std::move(other.m_state);
    }
    return *this;
}

ImageDecoding::~ImageDecoding()
{
    if (m_state)
        m_state->stop();
}

namespace {
struct ChildLimits {
    rlim_t processorSeconds;
    rlim_t addressSpace;
};

// Runs in the child between fork and exec: only async-signal-safe calls.
void limitChild(gpointer data)
{
    const auto* limits = static_cast<const ChildLimits*>(data);
    // SIGXCPU at the soft limit, SIGKILL a second later.
    rlimit processor { limits->processorSeconds, limits->processorSeconds + 1 };
    setrlimit(RLIMIT_CPU, &processor);
#ifndef QUILLANE_ADDRESS_SANITIZER // whose shadow memory alone needs terabytes of address space
    rlimit addressSpace { limits->addressSpace, limits->addressSpace };
    setrlimit(RLIMIT_AS, &addressSpace);
#endif
    rlimit core { 0, 0 };
    setrlimit(RLIMIT_CORE, &core);
    // Gives way to the interface on a busy machine, and never outlives this program.
    setpriority(PRIO_PROCESS, 0, 10);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
}

// The decoder's line of refusal, as text that is safe to show: one line, no control characters.
std::string refusalFrom(GBytes* errors)
{
    gsize length = 0;
    const char* data = errors ? static_cast<const char*>(g_bytes_get_data(errors, &length)) : nullptr;
    std::string line(data ? data : "", length);
    line = line.substr(0, line.find('\n'));
    if (line.size() > 200) {
        line.resize(200);
        while (!line.empty() && (static_cast<unsigned char>(line.back()) & 0xc0) == 0x80)
            line.pop_back();
        if (!line.empty() && static_cast<unsigned char>(line.back()) >= 0xc0)
            line.pop_back();
    }
    for (char& c : line) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = '?';
    }
    return line;
}

DecodedImage outcomeOf(ImageDecoding::State& state, GBytes* output, GBytes* errors)
{
    GSubprocess* process = state.process.get();
    if (g_subprocess_get_if_signaled(process)) {
        int signal = g_subprocess_get_term_sig(process);
        char why[160];
        if (state.timedOut)
            std::snprintf(why, sizeof why, "it took longer than %g s to decode", state.limits.timeoutSeconds);
        else if (signal == SIGXCPU || signal == SIGKILL)
            std::snprintf(why, sizeof why, "it took more than %d s of processor time to decode", state.limits.processorSeconds);
        else
            std::snprintf(why, sizeof why, "the decoder stopped on signal %d", signal);
        return { std::nullopt, why };
    }
    int status = g_subprocess_get_if_exited(process) ? g_subprocess_get_exit_status(process) : -1;
    if (status != 0) {
        std::string said = refusalFrom(errors);
        return { std::nullopt, status == 1 && !said.empty() ? said : "the decoder failed (status " + std::to_string(status) + ")" };
    }
    gsize length = 0;
    const char* png = output ? static_cast<const char*>(g_bytes_get_data(output, &length)) : nullptr;
    if (!png || length < 8 || std::string_view(png, 8) != "\x89PNG\r\n\x1a\n")
        return { std::nullopt, "the decoder gave no PNG" };
    ErrorOut error;
    if (!g_file_set_contents(state.png.c_str(), png, gssize(length), error.out()))
        return { std::nullopt, std::string("the PNG could not be written: ") + error.message() };
    return { state.png, "" };
}

void communicated(GObject* source, GAsyncResult* result, gpointer data)
{
    std::unique_ptr<std::shared_ptr<ImageDecoding::State>> held(static_cast<std::shared_ptr<ImageDecoding::State>*>(data));
    GBytes* output = nullptr;
    GBytes* errors = nullptr;
    ErrorOut error;
    bool done = g_subprocess_communicate_finish(G_SUBPROCESS(source), result, &output, &errors, error.out());
    std::unique_ptr<GBytes, GLibDeleter<GBytes, g_bytes_unref>> ownedOutput(output), ownedErrors(errors);
    auto& state = **held;
    if (!state.completion)
        return;
    if (!done) {
        g_subprocess_force_exit(state.process.get());
        state.finish({ std::nullopt, std::string("the decoder could not be heard: ") + error.message() });
        return;
    }
    state.finish(outcomeOf(state, output, errors));
}
} // namespace

std::string imageDecoderProgram()
{
    GCharPtr self(g_file_read_link("/proc/self/exe", nullptr));
    if (!self)
        return "";
    GCharPtr folder(g_path_get_dirname(static_cast<char*>(self.get())));
    GCharPtr path(g_build_filename(static_cast<char*>(folder.get()), QUILLANE_IMAGE_DECODER_FROM_PROGRAM, nullptr));
    GCharPtr canonical(g_canonicalize_filename(static_cast<char*>(path.get()), nullptr));
    return static_cast<char*>(canonical.get());
}

ImageDecoding decodeImageFile(const std::string& image, const std::string& png, const ImageLimits& limits, std::function<void(DecodedImage)> completion,
    const std::string& decoder)
{
    auto state = std::make_shared<ImageDecoding::State>();
    state->completion = std::move(completion);
    state->png = png;
    state->limits = limits;

    auto launcher = GObjectRef<GSubprocessLauncher>::adopt(g_subprocess_launcher_new(GSubprocessFlags(G_SUBPROCESS_FLAGS_STDOUT_PIPE | G_SUBPROCESS_FLAGS_STDERR_PIPE)));
    g_subprocess_launcher_set_stdin_file_path(launcher.get(), image.c_str());
    // The decoder has no business with the display or the session bus.
    for (const char* name : { "DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS" })
        g_subprocess_launcher_unsetenv(launcher.get(), name);
    ChildLimits childLimits { rlim_t(limits.processorSeconds), rlim_t(limits.addressSpace) };
    g_subprocess_launcher_set_child_setup(launcher.get(), limitChild, &childLimits, nullptr);
    std::string side = std::to_string(limits.side), largest = std::to_string(limits.largestRaster), file = std::to_string(limits.largestFile);
    const char* argv[] = { decoder.c_str(), side.c_str(), largest.c_str(), file.c_str(), nullptr };
    ErrorOut error;
    state->process = GObjectRef<GSubprocess>::adopt(g_subprocess_launcher_spawnv(launcher.get(), argv, error.out()));
    if (!state->process) {
        std::string why = std::string("the image decoder could not be started: ") + error.message();
        state->deadline = runOnMainQueue([raw = state.get(), why] { raw->finish({ std::nullopt, why }); });
        return ImageDecoding(state);
    }
    state->cancellable = GObjectRef<GCancellable>::adopt(g_cancellable_new());
    state->deadline = runOnMainQueueAfter(limits.timeoutSeconds, [raw = state.get()] {
        raw->timedOut = true;
        g_subprocess_force_exit(raw->process.get());
    });
    g_subprocess_communicate_async(state->process.get(), nullptr, state->cancellable.get(), communicated, new std::shared_ptr<ImageDecoding::State>(state));
    return ImageDecoding(state);
}

} // namespace quillane::platform
