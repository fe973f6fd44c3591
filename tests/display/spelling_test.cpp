// Spelling in pages' editable fields: the engine's suggestions and its Learn Spelling in the page's
// context menu, beside the program's own items, read as a screen reader reads them.
#include "atspi_tree.h"
#include "quillane_test.h"

#include <algorithm>
#include <vector>

using namespace quillane::testing;

namespace {
// Two fields, each with one misspelt word; the title says what they hold.
constexpr const char* fieldsPage
    = "<title>fields</title><body style='margin: 0; background: rgb(240, 240, 240)'>"
      "<textarea id=first spellcheck=true style='position: fixed; top: 40px; left: 20px; width: 400px; height: 60px; font: 30px monospace'>recieve</textarea>"
      "<textarea id=second spellcheck=true style='position: fixed; top: 160px; left: 20px; width: 400px; height: 60px; font: 30px monospace'>blorft</textarea>"
      "<script>const show = () => document.title = 'fields ' + first.value + ' ' + second.value;"
      "show(); addEventListener('input', show)</script></body>";

struct MenuItem {
    std::string name;
    bool sensitive = false;
};

class Spelling : public QuillaneTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bus.ready());
        // A user of American English; the dictionary comes with the program's dependencies.
        session.setExtraEnvironment({ "NO_AT_BRIDGE=0", "LANGUAGE=en_US" });
    }
    ~Spelling() override
    {
        for (AtspiAccessible* item : m_items)
            g_object_unref(item);
    }

    // The items of the menu that shows, once one shows holding `expected`, in their order.
    std::vector<MenuItem> menuShowing(const std::string& expected)
    {
        std::vector<MenuItem> items;
        waitUntil([&] {
            items.clear();
            for (AtspiAccessible* item : m_items)
                g_object_unref(item);
            m_items.clear();
            AtspiAccessible* desktop = atspi_get_desktop(0);
            visitAccessibles(desktop, [&](AtspiAccessible* each) {
                if (atspi_accessible_get_role(each, nullptr) == ATSPI_ROLE_MENU_ITEM && hasState(each, ATSPI_STATE_SHOWING)) {
                    items.push_back({ nameOf(each), hasState(each, ATSPI_STATE_SENSITIVE) });
                    m_items.push_back(static_cast<AtspiAccessible*>(g_object_ref(each)));
                }
            });
            g_object_unref(desktop);
            return std::any_of(items.begin(), items.end(), [&](const MenuItem& item) { return item.name == expected; });
        });
        return items;
    }

    // Chooses an item of the menu last read, as a screen reader would.
    bool choose(const std::string& name)
    {
        for (AtspiAccessible* item : m_items) {
            if (nameOf(item) != name)
                continue;
            AtspiAction* action = atspi_accessible_get_action_iface(item);
            bool done = action && atspi_action_do_action(action, 0, nullptr);
            if (action)
                g_object_unref(action);
            return done;
        }
        return false;
    }

    static std::ptrdiff_t indexOf(const std::vector<MenuItem>& items, const std::string& name)
    {
        auto found = std::find_if(items.begin(), items.end(), [&](const MenuItem& item) { return item.name == name; });
        return found == items.end() ? -1 : found - items.begin();
    }

    // How many pixels of the engine's red misspelling marks show in a part of the window.
    int markedPixels(const Geometry& part) const
    {
        Geometry here = frame();
        Image shot = session.screenshot({ here.x + part.x, here.y + part.y, part.width, part.height }, "marks");
        int marked = 0;
        for (int y = 0; y < shot.height; ++y) {
            for (int x = 0; x < shot.width; ++x) {
                Pixel pixel = shot.at(x, y);
                marked += pixel.red > 150 && pixel.green < 120 && pixel.blue < 120;
            }
        }
        return marked;
    }
    // A right-click in the page, at a point in the window's top-left coordinates.
    void rightClick(int x, int y) const
    {
        pointAt(x, y);
        session.xdotool({ "click", "3" });
    }

    AccessibilityBus bus { session };
    std::vector<AtspiAccessible*> m_items;
};
} // namespace

TEST_F(Spelling, AMisspeltWordGetsSuggestionsAndCanBeLearnt)
{
    ASSERT_TRUE(open(fieldsPage));
    ASSERT_TRUE(titleHas("fields recieve blorft"));

    // Typing is checked as it goes: a misspelt word gets the engine's marks.
    const Geometry firstField { 20, 10 + 40, 400, 60 };
    EXPECT_EQ(markedPixels(firstField), 0);
    // Right of the word, on its line: the caret goes after it.
    pointAt(300, 10 + 65);
    session.xdotool({ "click", "1" });
    session.xdotool({ "type", " wrod" });
    ASSERT_TRUE(titleHas("fields recieve wrod blorft")) << title();
    EXPECT_TRUE(waitUntil([&] { return markedPixels(firstField) > 10; })) << "marked as it is typed: " << markedPixels(firstField);

    // The band is 10 high: the first field's first word is at 10 + 40 + 30 or so.
    rightClick(60, 80);
    auto items = menuShowing("receive");
    ASSERT_NE(indexOf(items, "receive"), -1) << "the engine's suggestion";
    ASSERT_NE(indexOf(items, "Learn Spelling"), -1);
    EXPECT_TRUE(items[indexOf(items, "Learn Spelling")].sensitive) << "the word under the pointer is selected for it";
    EXPECT_NE(indexOf(items, "Ignore Spelling"), -1);
    EXPECT_GT(indexOf(items, "Zoom In"), indexOf(items, "Learn Spelling")) << "the program's own items follow the engine's";
    EXPECT_NE(indexOf(items, "Install as Application\u2026"), -1);
    ASSERT_TRUE(choose("receive"));
    EXPECT_TRUE(titleHas("fields receive wrod blorft")) << "the suggestion took the word's place: " << title();

    // Learnt, the word is no longer misspelt: in the user's own word list, and no spelling items.
    rightClick(60, 200);
    items = menuShowing("Learn Spelling");
    ASSERT_TRUE(choose("Learn Spelling"));
    std::string words = session.configHome() + "/enchant/en_US.dic";
    EXPECT_TRUE(waitUntil([&] { return readFile(words).find("blorft") != std::string::npos; })) << readFile(words);
    rightClick(60, 200);
    items = menuShowing("Zoom In");
    EXPECT_EQ(indexOf(items, "Learn Spelling"), -1);
    EXPECT_EQ(indexOf(items, "Ignore Spelling"), -1);
    session.xdotool({ "key", "Escape" });
}
