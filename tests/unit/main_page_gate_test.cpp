// The gate before our page scripts' messages: only the main page speaks, once the program has said
// which page that is, whichever comes first, the word or the scripts. Run by the engine's
// JavaScript on a pretend window (no display).
#include "fixed_texts.h"
#include "main_window/main_window.h"
#include "platform/gtk/gobject_ref.h"

#include <jsc/jsc.h>

#include <gtest/gtest.h>

using quillane::platform::GCharPtr;
using quillane::platform::GObjectRef;

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
    std::string run(const std::string& script)
    {
        auto value = GObjectRef<JSCValue>::adopt(jsc_context_evaluate(m_context.get(), script.c_str(), -1));
        if (auto* exception = jsc_context_get_exception(m_context.get())) {
            std::string message = jsc_exception_get_message(exception);
            jsc_context_clear_exception(m_context.get());
            return "exception: " + message;
        }
        GCharPtr text(jsc_value_to_string(value.get()));
        return static_cast<char*>(text.get());
    }
    void gate() { run(quillane::buildFixedTexts().mainPageGate); }
    std::string word() { return run(quillane::MainWindow::mainPageWord); }
    void report(const std::string& colour) { run("webkit.messageHandlers.quillane.postMessage({ band: '" + colour + "' })"); }
    std::string posted() { return run("posted.join('|')"); }

private:
    GObjectRef<JSCContext> m_context = GObjectRef<JSCContext>::adopt(jsc_context_new());
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
