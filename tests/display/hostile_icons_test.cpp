// Icons a page names that would cost the program its memory or its time: refused or stopped apart
// from the interface, which stays small and keeps answering meanwhile.
#include "process_stats.h"
#include "quillane_test.h"
#include "test_images.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

using namespace quillane::testing;

namespace {
constexpr const char* decoderName = "image-decoder";

class HostileIcons : public QuillaneTest {
protected:
    HostileIcons()
    {
        // The program's temporary folders go where the test can count them.
        std::filesystem::create_directories(temporary());
        session.setExtraEnvironment({ "TMPDIR=" + temporary() });
    }
    std::string temporary() const { return session.folder() + "/tmp"; }
    bool temporaryFoldersAreGone() const
    {
        return waitUntil([&] {
            std::error_code error;
            for (const auto& entry : std::filesystem::directory_iterator(temporary(), error)) {
                if (entry.path().filename().string().rfind("quillane-", 0) == 0)
                    return false;
            }
            return true;
        });
    }
    void serveManifestWithIcon(const std::string& name, const std::string& icon, const std::string& type)
    {
        server.serve("/manifest.json", "{\"name\": \"" + name + "\", \"icons\": [{\"src\": \"" + icon + "\", \"sizes\": \"512x512\", \"type\": \"" + type + "\"}]}",
            "application/manifest+json");
    }
    static std::string page(const std::string& script = "")
    {
        return "<title>Hostile</title><link rel='manifest' href='/manifest.json'><body style='margin: 0; background: rgb(240, 240, 240)'><script>" + script
            + "</script></body>";
    }
    // How long after `since` the server had a request, in milliseconds (its own clock, not the
    // moment the test saw it).
    std::optional<double> millisecondsUntilRequested(const std::string& path, std::chrono::steady_clock::time_point since) const
    {
        if (!waitUntil([&] { return server.whenRequested(path).has_value(); }))
            return std::nullopt;
        return std::chrono::duration<double, std::milli>(*server.whenRequested(path) - since).count();
    }
};
} // namespace

TEST_F(HostileIcons, APngClaimingThirtyThousandPixelsASideIsRefusedAndTheProgramStaysSmall)
{
    std::string huge = hugePng();
    ASSERT_LT(huge.size(), 200u * 1024) << "a small file";
    server.serve("/huge.png", huge, "image/png");
    serveManifestWithIcon("Huge", "/huge.png", "image/png");
    ASSERT_TRUE(open(page()));
    auto before = statusKibibytes(quillane->pid(), "VmHWM");
    ASSERT_TRUE(before);

    activate("install-app");
    ASSERT_TRUE(session.waitForWindowNamed("Install as Application", std::chrono::seconds(30)));
    EXPECT_EQ(server.timesRequested("/huge.png"), 1);
    auto after = statusKibibytes(quillane->pid(), "VmHWM");
    ASSERT_TRUE(after);
    std::printf("peak resident size of the interface process: %ld KiB before, %ld KiB after\n", *before, *after);
    EXPECT_LT(*after - *before, 64 * 1024) << "decoded as RGB it would take 2.7 GB";

    session.xdotool({ "key", "Return" });
    std::string entry = session.dataHome() + "/applications/org.quillane.Quillane.Huge.desktop";
    ASSERT_TRUE(waitUntil([&] { return std::filesystem::exists(entry); }));
    EXPECT_NE(readFile(entry).find("Icon=org.quillane.Quillane\n"), std::string::npos) << "the fallback icon: " << readFile(entry);
    EXPECT_FALSE(std::filesystem::exists(session.dataHome() + "/icons/hicolor/256x256/apps/org.quillane.Quillane.Huge.png"));
    EXPECT_TRUE(temporaryFoldersAreGone()) << "the install has ended";
}

TEST_F(HostileIcons, WhileASlowSvgDecodesTheProgramAnswersKeysAndQuits)
{
    server.serve("/slow.svg", slowSvg(), "image/svg+xml");
    server.serve("/key", "heard", "text/plain");
    serveManifestWithIcon("Slow", "/slow.svg", "image/svg+xml");
    ASSERT_TRUE(open(page("let keys = 0; addEventListener('keydown', () => fetch('/key?' + ++keys))")));
    session.xdotool({ "windowactivate", "--sync", std::to_string(window) });
    session.xdotool({ "key", "a" });
    ASSERT_TRUE(waitUntil([&] { return server.timesRequested("/key?1") == 1; })) << "the page hears keys";
    pid_t pid = quillane->pid();
    double processorBefore = processorSeconds(pid);

    activate("install-app");
    std::vector<pid_t> decoders;
    ASSERT_TRUE(waitUntil([&] { return !(decoders = descendantsNamed(pid, decoderName)).empty(); }, std::chrono::seconds(20)))
        << "the icon is decoded in a process of its own";

    // Each key goes through the interface's main loop to the page, whose handler asks the server:
    // the time from sending the key to that request is how long the interface took to answer.
    std::vector<double> answers;
    for (int key = 2; key <= 6; ++key) {
        auto sent = std::chrono::steady_clock::now();
        session.xdotool({ "key", "a" });
        auto answered = millisecondsUntilRequested("/key?" + std::to_string(key), sent);
        ASSERT_TRUE(answered) << "key " << key << " was never answered";
        answers.push_back(*answered);
    }
    EXPECT_FALSE(descendantsNamed(pid, decoderName).empty()) << "every key was answered while the icon was still being decoded";
    double processorUsed = processorSeconds(pid) - processorBefore;
    std::sort(answers.begin(), answers.end());
    std::printf("keys answered in %.1f ms (median), %.1f ms (slowest); interface process used %.2f s of processor time meanwhile\n", answers[2],
        answers.back(), processorUsed);
    EXPECT_LT(answers[2], 100) << "median of five keys";
    EXPECT_LT(processorUsed, 1.0);

    auto quitting = std::chrono::steady_clock::now();
    session.xdotool({ "key", "ctrl+q" });
    EXPECT_EQ(quillane->waitForExit(std::chrono::seconds(5)), 0) << "Ctrl+Q quits at once";
    std::printf("quit %.0f ms after Ctrl+Q\n", std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - quitting).count());
    EXPECT_TRUE(waitUntil([&] {
        return std::all_of(decoders.begin(), decoders.end(), [](pid_t decoder) {
            std::string stat = readFile("/proc/" + std::to_string(decoder) + "/stat");
            return stat.empty() || stat.find(") Z ") != std::string::npos;
        });
    }, std::chrono::seconds(3))) << "the decoder ends with the program";
    EXPECT_TRUE(temporaryFoldersAreGone());
}
