// The web view on a private display: user scripts and the messages page scripts post.
#include "harness.h"
#include "in_process.h"
#include "platform/application.h"
#include "platform/web_view.h"
#include "platform/window.h"

#include <gtest/gtest.h>

using namespace quillane;
using namespace quillane::testing;
using platform::ScriptValue;

namespace {
struct Collector : platform::ScriptMessageHandler {
    std::vector<std::pair<std::string, ScriptValue>> received;
    void didReceiveScriptMessage(const std::string& name, const ScriptValue& body) override { received.emplace_back(name, body); }
};

class WebViewTest : public ::testing::Test {
protected:
    void SetUp() override { session.enterThisProcess(); }
    DisplaySession session;
};

// A page shown in a window of its own; the window holds the view.
std::shared_ptr<platform::WebView> showPage(platform::Application& application, std::unique_ptr<platform::Window>& window,
    const platform::WebViewConfiguration& configuration)
{
    window = std::make_unique<platform::Window>(application, platform::Rect { { 0, 0 }, { 400, 300 } }, 0xF);
    auto content = std::make_shared<platform::View>(platform::Rect { { 0, 0 }, { 400, 300 } });
    auto page = std::make_shared<platform::WebView>(content->bounds(), configuration);
    content->addSubview(page);
    window->setContentView(content);
    window->orderFront();
    return page;
}
} // namespace

TEST_F(WebViewTest, UserScriptsRunInOrderInTheMainFrameOnlyAndTheirMessagesArriveConverted)
{
    runApplication([&](platform::Application& application) {
        Collector first, second;
        platform::WebViewConfiguration configuration;
        configuration.userScripts = {
            "webkit.messageHandlers.first.postMessage({band: 'rgb(1, 2, 3)', n: 2.5, list: [1, 'two', null, true], nested: {deep: {}}});",
            "webkit.messageHandlers.second.postMessage('drag'); webkit.messageHandlers.first.postMessage(42);",
        };
        configuration.messageHandlers = { { "first", &first }, { "second", &second } };
        std::unique_ptr<platform::Window> window;
        auto page = showPage(application, window, configuration);
        // The frame would post a third message to each handler if the scripts ran in it too.
        page->loadHTMLString("<body><iframe srcdoc='<p>inner</p>'></iframe>"
                             "<script>window.onload = () => webkit.messageHandlers.second.postMessage('loaded')</script></body>",
            "https://example.com/");
        ASSERT_TRUE(spinUntil([&] { return second.received.size() == 2; }));
        spinFor(300ms);

        ASSERT_EQ(first.received.size(), 2u);
        const ScriptValue& object = first.received[0].second;
        EXPECT_EQ(first.received[0].first, "first");
        ASSERT_EQ(object.kind, ScriptValue::Kind::dictionary);
        ASSERT_TRUE(object.find("band"));
        EXPECT_EQ(object.find("band")->text, "rgb(1, 2, 3)");
        EXPECT_EQ(object.find("n")->number, 2.5);
        const ScriptValue* list = object.find("list");
        ASSERT_TRUE(list);
        ASSERT_EQ(list->items.size(), 4u);
        EXPECT_EQ(list->items[1].text, "two");
        EXPECT_EQ(list->items[2].kind, ScriptValue::Kind::null);
        EXPECT_TRUE(list->items[3].boolean);
        const ScriptValue* nested = object.find("nested");
        ASSERT_TRUE(nested && nested->find("deep"));
        EXPECT_EQ(nested->find("deep")->kind, ScriptValue::Kind::dictionary);
        EXPECT_TRUE(nested->find("deep")->entries.empty());
        EXPECT_EQ(first.received[1].second.kind, ScriptValue::Kind::number);
        EXPECT_EQ(first.received[1].second.number, 42);
        EXPECT_EQ(second.received[0].second.text, "drag");
        EXPECT_EQ(second.received[1].second.text, "loaded");
        EXPECT_EQ(page->url(), "https://example.com/");
    });
}

TEST_F(WebViewTest, MessagesAreConvertedUnderABudgetAndTheLoopKeepsAnswering)
{
    runApplication([&](platform::Application& application) {
        Collector collector;
        platform::WebViewConfiguration configuration;
        configuration.messageHandlers = { { "quillane", &collector } };
        std::unique_ptr<platform::Window> window;
        auto page = showPage(application, window, configuration);
        // A value that holds itself is cut where it comes round; values shared 2^40 times over are
        // over budget and dropped whole; what comes after still arrives.
        page->loadHTMLString("<script>const post = value => webkit.messageHandlers.quillane.postMessage(value)</script>"
                             "<script>const a = {name: 'loop'}; a.self = a; post(a)</script>"
                             "<script>const twice = []; twice.push(twice, twice); post(twice)</script>"
                             "<script>let shared = {}; for (let i = 0; i < 40; ++i) shared = [shared, shared]; post(shared)</script>"
                             "<script>post('last')</script>",
            "https://example.com/");
        auto started = std::chrono::steady_clock::now();
        double longestTurn = 0;
        auto previous = started;
        ASSERT_TRUE(spinUntil([&] {
            auto now = std::chrono::steady_clock::now();
            longestTurn = std::max(longestTurn, std::chrono::duration<double>(now - previous).count());
            previous = now;
            return !collector.received.empty() && collector.received.back().second.text == "last";
        })) << collector.received.size() << " arrived";
        std::printf("longest main-loop turn while the page posted: %.1f ms\n", longestTurn * 1000);
        ASSERT_EQ(collector.received.size(), 3u) << "the over-budget values were dropped";
        const ScriptValue& loop = collector.received[0].second;
        ASSERT_EQ(loop.kind, ScriptValue::Kind::dictionary);
        EXPECT_EQ(loop.find("name")->text, "loop");
        EXPECT_EQ(loop.find("self")->kind, ScriptValue::Kind::null) << "cut where it comes round";
        const ScriptValue& list = collector.received[1].second;
        ASSERT_EQ(list.items.size(), 2u);
        EXPECT_EQ(list.items[0].kind, ScriptValue::Kind::null);
        EXPECT_LT(longestTurn, 0.25) << "the loop kept turning";
    });
}

TEST_F(WebViewTest, TheUnderPageColourIsTheThemeColourElseTheBackground)
{
    runApplication([&](platform::Application& application) {
        std::unique_ptr<platform::Window> window;
        auto page = showPage(application, window, {});
        int changes = 0;
        auto observation = page->observeUnderPageBackgroundColour([&] { ++changes; }, true);
        EXPECT_EQ(changes, 1) << "the first run is at once";
        EXPECT_EQ(page->underPageBackgroundColour(), (platform::Colour { 1, 1, 1, 1 }));
        page->loadHTMLString("<meta name='theme-color' content='#102030'>", "https://example.com/");
        ASSERT_TRUE(spinUntil([&] { return changes == 2; }));
        platform::Colour colour = page->underPageBackgroundColour();
        EXPECT_NEAR(colour.red, 0x10 / 255.0, 1e-6);
        EXPECT_NEAR(colour.blue, 0x30 / 255.0, 1e-6);
        page->loadHTMLString("<p>no theme</p>", "https://example.com/");
        ASSERT_TRUE(spinUntil([&] { return changes == 3; }));
        EXPECT_EQ(page->underPageBackgroundColour(), (platform::Colour { 1, 1, 1, 1 }));
    });
}
