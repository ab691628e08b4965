// Strict JSON text: duplicate keys and deep nesting refused, positions reported.
#include "host/json/json_text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/utf8_literal.h"

using ds_json::json_text_error;
using ds_json::parse_text;

namespace {

json_text_error parse_failure(std::string_view text)
{
    try {
        parse_text(text, "t.json");
    } catch (const json_text_error& e) {
        return e;
    }
    return json_text_error("t.json", 0, 0, "(parsed)");
}

std::string nested(int depth) { return std::string(depth, '[') + std::string(depth, ']'); }

}  // namespace

TEST(JsonText, RefusesDuplicateKeysAndDeepNestingWithPosition)
{
    const auto duplicate = parse_failure("{\"a\": 1,\n \"b\": {\"c\": 1, \"c\": 2}}");
    EXPECT_EQ(duplicate.line(), 2u);
    EXPECT_EQ(duplicate.column(), 18u);  // the closing quote of the second "c"
    EXPECT_EQ(duplicate.reason(), "duplicate key \"c\"");
    EXPECT_STREQ(duplicate.what(), "t.json:2:18: duplicate key \"c\"");
    // The same key in different objects is fine.
    EXPECT_NO_THROW(parse_text(R"({"a": {"k": 1}, "b": {"k": 1}, "k": [{"k": 1}, {"k": 2}]})"));
    // Long objects (lists of items) keep their order, and a repeat far down is still found.
    std::string items = "{";
    for (int i = 0; i < 40; ++i) items += "\"item_" + std::to_string(i) + "\": " + std::to_string(i) + ",";
    const auto listed = parse_text(items + "\"last\": {}}");
    EXPECT_EQ(listed.size(), 41u);
    EXPECT_EQ(listed.begin().key(), "item_0");
    EXPECT_EQ(listed["item_39"], 39);
    EXPECT_EQ(parse_failure(items + "\"item_3\": 0}").reason(), "duplicate key \"item_3\"");

    EXPECT_NO_THROW(parse_text(nested(ds_json::max_depth)));
    const auto deep = parse_failure(nested(ds_json::max_depth + 1));
    EXPECT_EQ(deep.column(), static_cast<std::size_t>(ds_json::max_depth + 1));
    EXPECT_THAT(deep.reason(), testing::HasSubstr("nesting deeper than 64"));
}

TEST(JsonText, SyntaxErrorsReportLineAndCharacterColumn)
{
    // Columns count characters: the two Chinese characters are six bytes.
    const auto e = parse_failure(ds_test::utf8(u8"{\n  \"名称\": x}"));
    EXPECT_EQ(e.line(), 2u);
    EXPECT_EQ(e.column(), 9u);
    EXPECT_THAT(e.reason(), testing::HasSubstr("syntax error"));
    EXPECT_THAT(e.reason(), testing::Not(testing::HasSubstr("json.exception")));

    EXPECT_EQ(parse_failure("").line(), 1u);
}

TEST(JsonText, DumpRefusesInvalidUtf8)
{
    nlohmann::ordered_json bad = std::string("\xFF");
    EXPECT_THROW(ds_json::dump_text(bad), std::runtime_error);
    EXPECT_EQ(ds_json::dump_text(nlohmann::ordered_json{{"b", 1}, {"a", 2}}, -1), R"({"b":1,"a":2})");
}
