// Strict JSON text: duplicate keys and deep nesting refused, positions reported.
#include "host/json/json_text.h"

#include <cfloat>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/error_text.h"
#include "support/json_same.h"
#include "support/utf8_literal.h"

using ds_json::json_text_error;
using nlohmann::ordered_json;

namespace {

ordered_json parse_text(std::string_view text, std::string_view source = "<text>")
{
    return ds_test::json_of(ds_json::read_text(text, source));
}

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
    EXPECT_EQ(e.reason(), "invalid value");

    EXPECT_STREQ(parse_failure("").what(), "t.json:1:1: the document is empty");
    EXPECT_STREQ(parse_failure("[1,\n 2").what(), "t.json:2:3: unexpected end of input: missing a comma or ']' after an array element");
    EXPECT_STREQ(parse_failure("[1,\n 2 3]").what(), "t.json:2:4: missing a comma or ']' after an array element");
    // The reader stops at a zero byte; what follows is refused where it stands.
    EXPECT_STREQ(parse_failure(std::string_view("{}\0{}", 5)).what(), "t.json:1:3: unexpected character after the document");
    // A byte order mark is skipped: columns count from after it.
    EXPECT_STREQ(parse_failure("\xEF\xBB\xBF[1,]").what(), "t.json:1:4: invalid value");
    EXPECT_STREQ(parse_failure("\xEF\xBB\xBF").what(), "t.json:1:1: the document is empty");
    // Faults inside a string stand where they are, not where the reader noticed them.
    EXPECT_STREQ(parse_failure("[\"a\xFF\"]").what(), "t.json:1:4: invalid UTF-8 in a string");
    EXPECT_STREQ(parse_failure("[\"\\udc00\"]").what(), "t.json:1:9: invalid UTF-8 or a lone surrogate escape in a string");
    EXPECT_STREQ(parse_failure("[\"a\tb\"]").what(), "t.json:1:4: control character U+0009 in a string must be escaped");
    EXPECT_STREQ(parse_failure(std::string_view("[\"a\0b\"]", 7)).what(), "t.json:1:4: control character U+0000 in a string must be escaped");
}

TEST(JsonText, NumbersAreWrittenInTheirShortestForm)
{
    EXPECT_EQ(ds_json::number_text(3.0), "3.0");
    EXPECT_EQ(ds_json::number_text(0.1), "0.1");
    EXPECT_EQ(ds_json::number_text(1e-7), "1e-07");
    EXPECT_EQ(ds_json::number_text(-1e300), "-1e+300");
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
    // What the library refuses is refused too, after the file's name and position.
    for (const char* refused : {"[\"\xED\xA0\x80\"]", "[\"\\udc00\"]", "[\"\\ud800\"]", "{} x", "[01]", "[1.]", "1e400", "[-1e309]",
                                "[1000000e303]", "{\"a\" 1}", "[tru]", "[\"\t\"]"}) {
        EXPECT_THROW(ordered_json::parse(refused), ordered_json::exception) << refused;
        EXPECT_THROW(parse_text(refused), json_text_error) << refused;
    }
    EXPECT_STREQ(parse_failure("{} x").what(), "t.json:1:4: the document root must not be followed by other values");
    EXPECT_STREQ(parse_failure("[1, 1e400]").what(), "t.json:1:5: number too big to be stored in double");
    EXPECT_STREQ(parse_failure("[1, 1000e306]").what(), "t.json:1:5: number too big to be stored in double");
    // The reader's own limit, stricter than the library: a zero with an exponent past 308.
    EXPECT_EQ(ordered_json::parse("0E720"), 0.0);
    EXPECT_STREQ(parse_failure("0E720").what(), "t.json:1:1: number too big to be stored in double");
    const std::string long_whole = "[1" + std::string(400, '0') + "e-300]";  // 1e100, its digits before the point past a double
    EXPECT_EQ(ordered_json::parse(long_whole)[0], 1e100);
    EXPECT_STREQ(parse_failure(long_whole).what(), "t.json:1:2: number too big to be stored in double");
    const std::string largest = "[" + std::to_string(DBL_MAX) + "]";  // 309 digits, ".000000"
    EXPECT_EQ(ds_test::json_difference(parse_text(largest), ordered_json::parse(largest)), "");
    // Too small for a double reads as zero, keeping its sign, as the library reads it.
    for (const char* tiny : {"[1e-400, -1e-400, 0.0000001e-320, 100000e-330]"})
        EXPECT_EQ(ds_test::json_difference(parse_text(tiny), ordered_json::parse(tiny)), "");
}

TEST(JsonText, StreamedElementsComeInOrderAndTheDocumentKeepsAnEmptyArray)
{
    std::vector<ordered_json> taken;
    const ds_json::streamed_array streamed{"nodes", [&](const ds_json::flat_tree& entry) { taken.push_back(ds_test::json_of(entry)); }};
    const auto document = ds_json::read_text(R"({"nodes": [{"a": [1, {"b": 2}]}, 2, []], "x": {"nodes": [3]}})", "t.json", &streamed);
    EXPECT_EQ(ds_test::json_of(document).dump(), R"({"nodes":[],"x":{"nodes":[3]}})");
    EXPECT_EQ(ordered_json(taken).dump(), R"([{"a":[1,{"b":2}]},2,[]])");

    // A refusal after the elements comes after they were handed over.
    taken.clear();
    EXPECT_EQ(ds_test::error_text<json_text_error>([&] { ds_json::read_text(R"({"nodes": [1, 2], "nodes": 3})", "t.json", &streamed); }),
              "t.json:1:25: duplicate key \"nodes\"");
    EXPECT_EQ(taken.size(), 2u);
    // Nesting counts the levels of the element and of the document around it.
    EXPECT_THROW(ds_json::read_text("{\"nodes\": [" + nested(ds_json::max_depth - 1) + "]}", "t.json", &streamed), json_text_error);
}
