// The conversion of what a page posts, under its budget, on the engine's own values (no display).
#include "platform/gtk/gobject_ref.h"
#include "platform/gtk/script_value_from_js.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

using quillane::platform::GObjectRef;
using quillane::platform::ScriptValue;

namespace {
class Budget : public ::testing::Test {
protected:
    std::optional<ScriptValue> converted(const char* script)
    {
        auto value = GObjectRef<JSCValue>::adopt(jsc_context_evaluate(context.get(), script, -1));
        auto started = std::chrono::steady_clock::now();
        auto result = quillane::platform::scriptValueFrom(value.get());
        slowest = std::max(slowest, std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
        return result;
    }
    GObjectRef<JSCContext> context = GObjectRef<JSCContext>::adopt(jsc_context_new());
    double slowest = 0;
};
} // namespace

TEST_F(Budget, OrdinaryValuesArriveWholeAndSelfHoldingOnesAreCutWhereTheyComeRound)
{
    auto band = converted("({band: 'rgb(1, 2, 3)', list: [1, 'two', null, true]})");
    ASSERT_TRUE(band);
    EXPECT_EQ(band->find("band")->text, "rgb(1, 2, 3)");
    EXPECT_EQ(band->find("list")->items.size(), 4u);

    auto loop = converted("const a = {name: 'loop', inner: {}}; a.self = a; a.inner.back = a; a");
    ASSERT_TRUE(loop);
    EXPECT_EQ(loop->find("self")->kind, ScriptValue::Kind::null);
    EXPECT_EQ(loop->find("inner")->find("back")->kind, ScriptValue::Kind::null);

    // The same value reached twice without a loop arrives twice.
    auto shared = converted("const s = {n: 1}; [s, s]");
    ASSERT_TRUE(shared);
    EXPECT_EQ(shared->items[1].find("n")->number, 1);
}

TEST_F(Budget, AnythingOverBudgetIsDroppedWholeAndQuickly)
{
    // 2^40 reachable values through shared references, though few objects.
    EXPECT_FALSE(converted("let v = {}; for (let i = 0; i < 40; ++i) v = [v, v]; v"));
    // Wide rather than deep: 2^14 leaves.
    EXPECT_FALSE(converted("let w = [1, 2]; for (let i = 0; i < 13; ++i) w = [w, w]; w"));
    EXPECT_FALSE(converted("const sparse = []; sparse[4e9] = 1; sparse"));
    EXPECT_FALSE(converted("'x'.repeat(8 << 20)"));
    EXPECT_FALSE(converted("const keys = {}; for (let i = 0; i < 20000; ++i) keys['k' + i] = i; keys"));
    EXPECT_FALSE(converted("let deep = 'end'; for (let i = 0; i < 100; ++i) deep = {deep}; deep"));
    std::printf("slowest conversion: %.1f ms\n", slowest * 1000);
    EXPECT_TRUE(converted("let fits = []; for (let i = 0; i < 5000; ++i) fits.push(i); fits")) << "a large value within budget";
}
