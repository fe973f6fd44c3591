// The gate before our page scripts' messages: only the main page speaks, once the program has said
// which page that is, whichever comes first, the word or the scripts. Run by the engine's
// JavaScript on a pretend window (no display).
#include "fixed_texts.h"
#include "main_window/main_window.h"
#include "script_runner.h"

#include <gtest/gtest.h>

namespace {
// A window whose message handler keeps what reaches the program.
constexpr const char* pretendWindow = R"(
var window = globalThis;
const posted = [];
class Handler { postMessage(body) { posted.push(JSON.stringify(body)); } }
var webkit = { messageHandlers: { quillane: new Handler() } };
)";

class Gate : public ::testing::Test {
protected:
    Gate() { run(pretendWindow); }
    std::string run(const std::string& script) { return m_script.run(script); }
    void gate() { run(quillane::buildFixedTexts().mainPageGate); }
    std::string word() { return run(quillane::MainWindow::mainPageWord); }
    void report(const std::string& colour) { run("webkit.messageHandlers.quillane.postMessage({ band: '" + colour + "' })"); }
    std::string posted() { return run("posted.join('|')"); }

private:
    quillane::testing::ScriptRunner m_script;
};
} // namespace

TEST_F(Gate, NothingIsPostedBeforeTheWordAndTheLastReportWaitsForIt)
{
    gate();
    report("rgb(1, 1, 1)");
    report("rgb(2, 2, 2)");
    run("webkit.messageHandlers.quillane.postMessage('drag')");
    run("webkit.messageHandlers.quillane.postMessage({ notifications: 'ask' })");
    EXPECT_EQ(posted(), "");
    EXPECT_NE(word().rfind("exception", 0), 0u);
    EXPECT_EQ(posted(), "{\"band\":\"rgb(2, 2, 2)\"}") << "the newest report, and no request whose press is long over";
    report("rgb(3, 3, 3)");
    EXPECT_EQ(posted(), "{\"band\":\"rgb(2, 2, 2)\"}|{\"band\":\"rgb(3, 3, 3)\"}");
}

TEST_F(Gate, AWordThatCameBeforeTheScriptsIsFoundByThem)
{
    EXPECT_NE(word().rfind("exception", 0), 0u) << "no error while the scripts have not run";
    gate();
    report("rgb(0, 120, 60)");
    EXPECT_EQ(posted(), "{\"band\":\"rgb(0, 120, 60)\"}");
    EXPECT_EQ(run("typeof window.quillaneMainPageSaid"), "undefined") << "the word is taken, not left about";
}

TEST_F(Gate, WithoutAWordNothingIsEverPosted)
{
    gate();
    report("rgb(1, 1, 1)");
    run("quillaneMainPageSaid = true");
    report("rgb(2, 2, 2)");
    EXPECT_EQ(posted(), "") << "a word left after the scripts ran is not the program's";
}

TEST_F(Gate, TheNewestReportOfEachKindWaitsAndGoesOnce)
{
    gate();
    run("webkit.messageHandlers.quillane.postMessage({ badge: 1 })");
    report("rgb(1, 1, 1)");
    run("webkit.messageHandlers.quillane.postMessage({ badge: 2 })");
    word();
    EXPECT_EQ(run("posted.slice().sort().join('|')"), "{\"badge\":2}|{\"band\":\"rgb(1, 1, 1)\"}");
    // The program says the word again after each load of the page.
    word();
    EXPECT_EQ(run("posted.length"), "2") << "reports already gone are not sent again over newer ones";
}
