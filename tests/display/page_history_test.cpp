// Going back and forward through the page's history: Alt+Left and Alt+Right, and the mouse's back
// and forward buttons, while the page keeps its other buttons.
#include "quillane_test.h"

using namespace quillane::testing;

namespace {
class PageHistory : public QuillaneTest {
protected:
    bool titleStartsWith(const std::string& text) const
    {
        return waitUntil([&] {
            std::string shown = title();
            auto quote = shown.find('"');
            return quote != std::string::npos && shown.compare(quote + 1, text.size(), text) == 0;
        });
    }
    Pixel band() const { return pixel(frame().width / 2, 5); }
    bool bandBecomes(Pixel expected) const { return waitForPixel(frame().width / 2, 5, expected); }
    void press(int button) const
    {
        pointAt(300, 300);
        session.xdotool({ "click", std::to_string(button) });
    }
};
} // namespace

TEST_F(PageHistory, AltLeftAndAltRightAndTheMouseButtonsGoBackAndForward)
{
    server.serve("/second.html", "<title>Second</title><body style='margin: 0; background: rgb(0, 150, 0)'></body>");
    // The page hears the buttons it has always had: the middle one is its own.
    ASSERT_TRUE(open("<title>First</title><body style='margin: 0; background: rgb(240, 240, 240)'>"
                     "<a href='/second.html' style='position: fixed; left: 20px; top: 60px; font-size: 30px'>second</a>"
                     "<script>addEventListener('mousedown', event => document.title += ' ' + event.button)</script></body>"));
    press(2);
    EXPECT_TRUE(titleStartsWith("First 1")) << "the page had its middle button: " << title();
    pointAt(40, 10 + 75);
    session.xdotool({ "click", "1" });
    ASSERT_TRUE(titleStartsWith("Second")) << title();

    ASSERT_TRUE(bandBecomes({ 0, 150, 0 })) << band();

    key("alt+Left");
    EXPECT_TRUE(titleStartsWith("First")) << "Alt+Left went back: " << title();
    // The page comes back as it was left, its scripts' state too; the band still follows it.
    EXPECT_TRUE(bandBecomes({ 240, 240, 240 })) << "the band of the page gone back to: " << band();
    key("alt+Right");
    EXPECT_TRUE(titleStartsWith("Second")) << "Alt+Right went forward: " << title();
    EXPECT_TRUE(bandBecomes({ 0, 150, 0 })) << "the band of the page gone forward to: " << band();

    press(8);
    EXPECT_TRUE(titleStartsWith("First")) << "the back button went back: " << title();
    press(9);
    EXPECT_TRUE(titleStartsWith("Second")) << "the forward button went forward: " << title();
    // At the end of the history there is nowhere to go: the next press back, taken after it, lands
    // one page back from where it stood.
    press(9);
    press(8);
    EXPECT_TRUE(titleStartsWith("First")) << "forward at the end went nowhere: " << title();
    EXPECT_TRUE(quillane->running());
}
