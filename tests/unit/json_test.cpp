// Reading JSON from outside (a page's manifest): values as the program sees them, and the limits
// that keep a hostile text from costing more than a manifest should.
#include "platform/json.h"

#include <gtest/gtest.h>

#include <string>

using quillane::platform::parseJSON;
using quillane::platform::ScriptValue;

namespace {
std::string nested(int depth, const std::string& inside = "1")
{
    return std::string(depth, '[') + inside + std::string(depth, ']');
}
} // namespace

TEST(Json, ValuesArriveAsTheProgramReadsThem)
{
    auto read = parseJSON(R"({"name": "Mail \"Team\"", "n": 3, "x": 2.5, "on": true, "none": null, "list": [1, "two"], "é": "ü"})");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->kind, ScriptValue::Kind::dictionary);
    EXPECT_EQ(read->find("name")->text, "Mail \"Team\"");
    EXPECT_EQ(read->find("n")->number, 3);
    EXPECT_EQ(read->find("x")->number, 2.5);
    EXPECT_TRUE(read->find("on")->boolean);
    EXPECT_EQ(read->find("none")->kind, ScriptValue::Kind::null);
    EXPECT_EQ(read->find("list")->items.at(1).text, "two");
    EXPECT_EQ(read->find("é")->text, "ü");
    EXPECT_EQ(parseJSON("\"alone\"")->text, "alone");
}

TEST(Json, TextsThatAreNotJsonOrOverTheLimitsAreRefused)
{
    struct Case {
        std::string text;
        bool read;
        const char* why;
    };
    const Case cases[] = {
        { "", false, "nothing" },
        { "{\"a\": }", false, "not JSON" },
        { "[1 2]", false, "no comma" },
        { "[1]x", false, "something after the value" },
        { nested(32), true, "nested as deep as allowed" },
        { nested(33), false, "one level deeper" },
        { nested(31, "\"[[[[[[\""), true, "brackets inside a text are no nesting" },
        { nested(31, "\"\\\\\", [[1]]"), false, "an escaped backslash ends the text before the brackets" },
        { nested(100000), false, "far too deep for the parser" },
        { "\"" + std::string(1 << 20, 'x') + "\"", true, "a text of the whole byte budget" },
        { "\"" + std::string((1 << 20) + 1, 'x') + "\"", false, "one byte past it" },
        { std::string(3 << 20, ' ') + "1", false, "a text far longer than the budget" },
    };
    for (const auto& test : cases)
        EXPECT_EQ(parseJSON(test.text).has_value(), test.read) << test.why;
}

TEST(Json, TheValueBudgetCountsEveryValue)
{
    auto list = [](int values) {
        std::string text = "[";
        for (int i = 0; i < values; ++i)
            text += (i ? ",0" : "0");
        return text + "]";
    };
    // The list itself is one of the values.
    EXPECT_TRUE(parseJSON(list(9999)));
    EXPECT_FALSE(parseJSON(list(10000)));
    std::string keys = "{";
    for (int i = 0; i < 20000; ++i)
        keys += (i ? ",\"k" : "\"k") + std::to_string(i) + "\":1";
    EXPECT_FALSE(parseJSON(keys + "}"));
}
