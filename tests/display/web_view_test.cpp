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
struct Collector {
    std::vector<ScriptValue> received;
    void listen(platform::WebView& page)
    {
        page.onScriptMessage = [this](const ScriptValue& body) { received.push_back(body); };
    }
};

class WebViewTest : public ::testing::Test {
protected:
    void SetUp() override { session.enterThisProcess(); }
    DisplaySession session;
};

// A page shown in a window of its own.
std::unique_ptr<platform::WebView> showPage(platform::Application& application, std::unique_ptr<platform::Window>& window,
    const platform::WebViewSettings& settings)
{
    auto page = std::make_unique<platform::WebView>(application, settings);
    window = std::make_unique<platform::Window>(application, *page, platform::Size { 400, 300 });
    window->present();
    return page;
}

platform::WebViewSettings inOurWorld(std::vector<std::string> scripts)
{
    platform::WebViewSettings settings;
    settings.scriptWorld = "ours";
    settings.messageHandler = "quillane";
    settings.worldScripts = std::move(scripts);
    return settings;
}
} // namespace

TEST_F(WebViewTest, OurScriptsRunInOrderInTheMainFrameOnlyAndTheirMessagesArriveConverted)
{
    runApplication([&](platform::Application& application) {
        Collector collector;
        auto settings = inOurWorld({
            "const post = value => webkit.messageHandlers.quillane.postMessage(value);"
            "post({band: 'rgb(1, 2, 3)', n: 2.5, list: [1, 'two', null, true], nested: {deep: {}}});"
            // Over the conversion's budget: dropped whole, and what follows still arrives.
            "let shared = {}; for (let i = 0; i < 40; ++i) shared = [shared, shared]; post(shared);",
            "webkit.messageHandlers.quillane.postMessage(42); addEventListener('load', () => webkit.messageHandlers.quillane.postMessage('loaded'))",
        });
        std::unique_ptr<platform::Window> window;
        auto page = showPage(application, window, settings);
        collector.listen(*page);
        // The frame would post its own messages if the scripts ran in it too; the page's own world
        // has no handler to post to.
        page->loadHTML("<body><iframe srcdoc='<p>inner</p>'></iframe>"
                       "<script>try { webkit.messageHandlers.quillane.postMessage('from the page') } catch (e) { }</script></body>",
            "https://example.com/");
        // The frame loads before the page: anything it posted would come before the page's "loaded".
        ASSERT_TRUE(spinUntil([&] { return !collector.received.empty() && collector.received.back().text == "loaded"; }));
        ASSERT_EQ(collector.received.size(), 3u);
        const ScriptValue& object = collector.received[0];
        ASSERT_TRUE(object.find("band") && object.find("list"));
        EXPECT_EQ(object.find("band")->text, "rgb(1, 2, 3)");
        EXPECT_EQ(object.find("list")->items.size(), 4u);
        EXPECT_EQ(collector.received[1].number, 42);
        EXPECT_EQ(page->url(), "https://example.com/");
    });
}

TEST_F(WebViewTest, TheUnderPageColourIsTheThemeColourElseTheBackground)
{
    runApplication([&](platform::Application& application) {
        std::unique_ptr<platform::Window> window;
        auto page = showPage(application, window, {});
        int changes = 1;
        auto subscription = page->themeColourChanged.add([&] { ++changes; });
        EXPECT_EQ(page->underPageColour(), (platform::Colour { 1, 1, 1, 1 }));
        page->loadHTML("<meta name='theme-color' content='#102030'>", "https://example.com/");
        ASSERT_TRUE(spinUntil([&] { return changes == 2; }));
        platform::Colour colour = page->underPageColour();
        EXPECT_NEAR(colour.red, 0x10 / 255.0, 1e-6);
        EXPECT_NEAR(colour.blue, 0x30 / 255.0, 1e-6);
        page->loadHTML("<p>no theme</p>", "https://example.com/");
        ASSERT_TRUE(spinUntil([&] { return changes == 3; }));
        EXPECT_EQ(page->underPageColour(), (platform::Colour { 1, 1, 1, 1 }));
    });
}
