#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>

#include "core/base/json_writer.h"

using namespace tarnwick;

namespace {

std::string asJsonString(std::string_view text) {
    std::string out;
    appendJsonString(out, text);
    return out;
}

std::string numberText(double v) {
    JsonWriter w;
    w.number(v);
    return w.text();
}

}  // namespace

TEST(JsonWriter, StringsAreEscapedAndUtf8) {
    const struct {
        std::string text, json;
    } cases[] = {
        {"Pivot 2", R"("Pivot 2")"},
        {"", R"("")"},
        {R"(say "hi" \ bye)", R"("say \"hi\" \\ bye")"},
        {"a\nb\rc\td", R"("a\nb\rc\td")"},
        {std::string("\x01\x08\x0c\x1f", 4), R"("\u0001\u0008\u000c\u001f")"},
        {std::string("nul\0end", 7), R"("nul\u0000end")"},
        {"Gr\xc3\xbcnfeld", "\"Gr\xc3\xbcnfeld\""},               // UTF-8 stays as it is
        {"Gr\xfcnfeld", "\"Gr\xc3\xbcnfeld\""},                   // Latin-1 becomes UTF-8
        {"Caf\xe9\t\"Nord\"", "\"Caf\xc3\xa9\\t\\\"Nord\\\"\""},  // and is escaped too
        {"\x7f\xc2\x85", "\"\x7f\xc2\x85\""},                     // DEL and U+0085 need no escape in JSON
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        EXPECT_EQ(asJsonString(c.text), c.json);
    }
}

TEST(JsonWriter, NumbersInTheShortestFormThatReadsBack) {
    const struct {
        double v;
        const char* json;
    } cases[] = {
        {0, "0"},
        {0.5, "0.5"},
        {-0.004, "-0.004"},
        {100.25, "100.25"},
        {271.51388888892444, "271.51388888892444"},
        {58.528999999999996, "58.528999999999996"},
        {1e21, "1e+21"},
        {-2.2250738585072014e-308, "-2.2250738585072014e-308"},
        {std::numeric_limits<double>::quiet_NaN(), "null"},
        {std::numeric_limits<double>::infinity(), "null"},
        {-std::numeric_limits<double>::infinity(), "null"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        const std::string text = numberText(c.v);
        EXPECT_EQ(text, c.json);
        if (!std::isfinite(c.v)) continue;
        double back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        EXPECT_EQ(back, c.v);
    }
    JsonWriter w;
    w.beginArray().integer(-12).integer(0).integer(130).number(std::optional<double>()).number(std::optional(2.5));
    w.boolean(true).boolean(false).null().endArray();
    EXPECT_EQ(w.text(), "[-12, 0, 130, null, 2.5, true, false, null]");
}

TEST(JsonWriter, LayoutOfObjectsAndArrays) {
    JsonWriter w;
    w.beginObject(JsonWriter::Layout::Lines);
    w.key("n").integer(2);
    w.key("fit").beginObject().key("a").number(0.5).key("b").null().endObject();
    w.key("records").beginArray(JsonWriter::Layout::Lines);
    w.beginObject().key("k").integer(0).endObject();
    w.beginObject().key("k").integer(1).key("list").beginArray().number(1).number(2).endArray().endObject();
    w.endArray();
    w.key("none").beginArray(JsonWriter::Layout::Lines).endArray();
    w.key("empty").beginArray().endArray();
    w.key("view").string("full");
    w.endObject();
    EXPECT_EQ(w.text(),
              "{\n"
              "  \"n\": 2,\n"
              "  \"fit\": {\"a\": 0.5, \"b\": null},\n"
              "  \"records\": [\n"
              "    {\"k\": 0},\n"
              "    {\"k\": 1, \"list\": [1, 2]}\n"
              "  ],\n"
              "  \"none\": [\n"
              "  ],\n"
              "  \"empty\": [],\n"
              "  \"view\": \"full\"\n"
              "}");
}

// With a sink the text goes out in pieces and adds up to the same text; a
// sink that fails is reported and receives nothing more.
TEST(JsonWriter, StreamsToASinkInPieces) {
    auto write = [](JsonWriter& w) {
        w.beginArray(JsonWriter::Layout::Lines);
        for (int i = 0; i < 200; ++i) w.beginObject().key("col").integer(i).key("oe").number(100 + i / 8.0).endObject();
        w.endArray();
    };
    JsonWriter whole;
    write(whole);

    std::string streamed;
    int pieces = 0;
    JsonWriter w(
        [&](std::string_view piece) {
            streamed += piece;
            ++pieces;
            return true;
        },
        256);
    write(w);
    EXPECT_LT(w.text().size(), 300u);  // the buffer stays about one piece
    EXPECT_TRUE(w.flush());
    EXPECT_EQ(streamed, whole.text());
    EXPECT_GT(pieces, 10);

    int calls = 0;
    JsonWriter failing(
        [&](std::string_view) {
            ++calls;
            return false;
        },
        256);
    write(failing);
    EXPECT_FALSE(failing.flush());
    EXPECT_EQ(calls, 1);
}
