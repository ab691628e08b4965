// Strict JSON text: duplicate keys and deep nesting refused, positions reported.
#include "host/json/json_text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/error_text.h"
#include "support/json_same.h"
#include "support/utf8_literal.h"

using ds_json::json_text_error;
using ds_json::parse_text;
using nlohmann::ordered_json;

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

TEST(JsonText, ReadsWhatTheLibraryReadsNumberTypesIncluded)
{
    // Integers at the 64-bit edges and past them, floats at theirs, escapes,
    // multi-byte text and a byte order mark.
    const std::vector<std::string> texts = {
        "[18446744073709551615, 18446744073709551616, -9223372036854775808, -9223372036854775809, -0, 0, 7]",
        "[99999999999999999999999999999999999999, -1e2, 1E+2, 1.5e-3, 1e-400, 0.1, 5e-324, -0.0]",
        R"(["\u0000", "\ud83d\ude00", "\"\\\/\b\f\n\r\t", "\u00e9\u4e2d", {"": null, "t": true}])",
        "\xEF\xBB\xBF{\"a\": [true, false, null, \"\xE5\x90\x8D\"]}",
    };
    for (const auto& text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ds_test::json_difference(parse_text(text), ordered_json::parse(text)), "");
    }
    const auto edges = parse_text(texts[0]);
    const std::vector<ordered_json::value_t> types = {
        ordered_json::value_t::number_unsigned, ordered_json::value_t::number_float, ordered_json::value_t::number_integer,
        ordered_json::value_t::number_float,    ordered_json::value_t::number_integer, ordered_json::value_t::number_unsigned,
        ordered_json::value_t::number_unsigned};
    for (std::size_t i = 0; i < types.size(); ++i) EXPECT_EQ(edges[i].type(), types[i]) << i;
    // What the library refuses is refused in its words, after the file's name and position.
    EXPECT_EQ(parse_failure("[\"\xED\xA0\x80\"]").line(), 1u);
    EXPECT_THAT(parse_failure("{} x").what(), testing::StartsWith("t.json:1:4: syntax error"));
    EXPECT_THAT(parse_failure("1e400").reason(), testing::HasSubstr("number overflow"));
}

TEST(JsonText, StreamedElementsComeInOrderAndTheDocumentKeepsAnEmptyArray)
{
    std::vector<ordered_json> taken;
    const ds_json::streamed_array streamed{"nodes", [&](const ds_json::flat_tree& entry) { taken.push_back(entry.to_json()); }};
    const auto document = ds_json::read_text(R"({"nodes": [{"a": [1, {"b": 2}]}, 2, []], "x": {"nodes": [3]}})", "t.json", &streamed);
    EXPECT_EQ(document.to_json().dump(), R"({"nodes":[],"x":{"nodes":[3]}})");
    EXPECT_EQ(ordered_json(taken).dump(), R"([{"a":[1,{"b":2}]},2,[]])");

    // A refusal after the elements comes after they were handed over.
    taken.clear();
    EXPECT_EQ(ds_test::error_text<json_text_error>([&] { ds_json::read_text(R"({"nodes": [1, 2], "nodes": 3})", "t.json", &streamed); }),
              "t.json:1:25: duplicate key \"nodes\"");
    EXPECT_EQ(taken.size(), 2u);
    // A text the fast reader leaves to the library's: the elements come again, once, after a restart.
    int restarts = 0;
    const ds_json::streamed_array restarting{"nodes", streamed.take, [&] {
                                                 ++restarts;
                                                 taken.clear();
                                             }};
    taken.clear();
    EXPECT_EQ(ds_json::read_text(R"({"nodes": [1, 2], "x": 1e-400})", "t.json", &restarting).to_json().dump(), R"({"nodes":[],"x":0.0})");
    EXPECT_EQ(restarts, 1);
    EXPECT_EQ(taken.size(), 2u);
    // Nesting counts the levels of the element and of the document around it.
    EXPECT_THROW(ds_json::read_text("{\"nodes\": [" + nested(ds_json::max_depth - 1) + "]}", "t.json", &streamed), json_text_error);
}
