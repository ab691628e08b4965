// The fast JSON reader against the library's: what it reads must be the same
// document, number types included, and what the library refuses it refuses.
#include "host/json/json_parsers.h"

#include <optional>

#include <gtest/gtest.h>

#include "host/project/project_file.h"
#include "support/error_text.h"
#include "support/json_same.h"

using ds_json::json_text_error;
using nlohmann::ordered_json;

namespace {

std::string nested(int depth) { return std::string(depth, '[') + std::string(depth, ']'); }

struct reading {
    std::optional<ordered_json> document;
    std::string refusal;
};

reading read_reference(std::string_view text, const ds_json::streamed_array* streamed = nullptr)
{
    try {
        return {ds_json::parse_text_reference(text, "t.json", streamed), {}};
    } catch (const json_text_error& e) {
        return {std::nullopt, e.what()};
    }
}

/// The text with its bytes outside printable ASCII written as \xNN.
std::string shown(std::string_view text)
{
    std::string out;
    for (const unsigned char c : text) {
        static const char digits[] = "0123456789abcdef";
        if (c >= 0x20 && c < 0x7F) out += static_cast<char>(c);
        else out += std::string("\\x") + digits[c >> 4] + digits[c & 15];
    }
    return out;
}

}  // namespace

TEST(JsonFastParse, ReadsWhatTheLibraryReadsAndRefusesTheRest)
{
    using namespace std::string_literals;
    struct text_case {
        std::string text;
        bool fast_reads;  ///< false: the fast reader leaves it to the library
    };
    const std::vector<text_case> cases = {
        // Integers at the 64-bit edges and past them, as the library types them.
        {"[18446744073709551615, 18446744073709551616, -9223372036854775808, -9223372036854775809, -0, 0, 7]", true},
        {"[99999999999999999999999999999999999999, -1e2, 1E+2, 1.5e-3]", true},
        {"[0.1, 5e-324, 3e-324, 1.7976931348623157e308, -0.0, 123456789012345678901234567890e-30]", true},
        {"1e400", false},
        {"-1.7976931348623159e308", false},
        {"1e-400", false},   // underflows to zero: the library reads it, the fast reader leaves it
        {"0e400", false},    // the fast reader takes the exponent for too large
        {"[01]", false}, {"[1.]", false}, {"[.5]", false}, {"[+1]", false}, {"[1e]", false}, {"-", false},
        {"[NaN]", false}, {"[Infinity]", false},
        // Escapes and encodings.
        {R"(["\u0000", "\ud83d\ude00", "\"\\\/\b\f\n\r\t", "\u00e9\u4e2d"])", true},
        {"[\"\xE5\x90\x8D\xE7\xA7\xB0\", \"\x7F\", \"\xF0\x9F\x98\x80\"]", true},
        {R"(["\udc00"])", false}, {R"(["\ud800"])", false}, {R"(["\ud800\u0041"])", false},
        {R"({"\ude00": 1})", false}, {R"(["\x"])", false}, {R"(["\u12"])", false},
        {"[\"\xFF\"]", false}, {"[\"\xC0\xAF\"]", false}, {"[\"\xED\xA0\x80\"]", false},
        {"[\"\xF4\x90\x80\x80\"]", false}, {"[\"\xE5\x90\"]", false}, {"[\"\x01\"]", false},
        {"[\"\xE0\x80\xAF\"]", false}, {"[\"\xF0\x80\x80\xAF\"]", false}, {"[\"\xF8\x88\x80\x80\x80\"]", false},
        {"[\"\xEF\xBF\xBF\xF4\x8F\xBF\xBF\xED\x9F\xBF\xC2\x80\"]", true},
        {"{\"\xFF\": 1}", false},
        // A byte order mark opens the text, and only there.
        {"\xEF\xBB\xBF{\"a\": [true, false, null]}", true},
        {"\xEF\xBB\xBF", false}, {"\xEF\xBB{}", false}, {" \xEF\xBB\xBF{}", false}, {"\xEF\xBB\xBF\xEF\xBB\xBF{}", false},
        // Our own refusals.
        {R"({"a": 1, "b": {"c": 1, "c": 2}})", false},
        {R"({"a": {"k": 1}, "b": {"k": 1}, "k": [{"k": 1}]})", true},
        {nested(ds_json::max_depth), true},
        {nested(ds_json::max_depth + 1), false},
        // Whole texts only.
        {" \t\r\n{} \n", true}, {"{} x", false}, {"{}{}", false}, {"{}\0"s, false}, {"{}\0 "s, false},
        {"[1,\0]"s, false}, {"", false}, {"  ", false}, {"[1,]", false}, {R"({"a": 1,})", false},
        {"// c\n{}", false}, {"{'a': 1}", false}, {"[tru]", false}, {"\"open", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(shown(c.text));
        const reading reference = read_reference(c.text);
        const auto fast = ds_json::parse_text_fast(c.text, nullptr);
        EXPECT_EQ(fast.has_value(), c.fast_reads);
        if (fast) {
            ASSERT_TRUE(reference.document) << reference.refusal;
            EXPECT_EQ(ds_test::json_difference(*fast, *reference.document), "");
        }
        // parse_text as a whole is the library's reading, refusals word for word.
        try {
            const auto whole = ds_json::parse_text(c.text, "t.json");
            ASSERT_TRUE(reference.document) << reference.refusal;
            EXPECT_EQ(ds_test::json_difference(whole, *reference.document), "");
        } catch (const json_text_error& e) {
            EXPECT_EQ(e.what(), reference.refusal);
        }
    }
    // What the library makes of the integers at the edges.
    const auto edges = *ds_json::parse_text_fast(cases[0].text, nullptr);
    const std::vector<ordered_json::value_t> types = {
        ordered_json::value_t::number_unsigned, ordered_json::value_t::number_float, ordered_json::value_t::number_integer,
        ordered_json::value_t::number_float,    ordered_json::value_t::number_integer, ordered_json::value_t::number_unsigned,
        ordered_json::value_t::number_unsigned};
    for (std::size_t i = 0; i < types.size(); ++i) EXPECT_EQ(edges[i].type(), types[i]) << i;
}

TEST(JsonFastParse, StreamedElementsComeOnceWhicheverReaderReadsTheText)
{
    std::vector<ordered_json> taken;
    int restarts = 0;
    const ds_json::streamed_array streamed{
        "nodes", [&](const ds_json::flat_tree& entry) { taken.push_back(entry.to_json()); }, [&] {
            ++restarts;
            taken.clear();
        }};
    const auto parse = [&](std::string_view text) {
        taken.clear();
        restarts = 0;
        return ds_json::parse_text(text, "t.json", streamed);
    };

    // Read fast: no restart.
    auto document = parse(R"({"nodes": [{"a": 1}, 2], "x": [3]})");
    EXPECT_EQ(restarts, 0);
    EXPECT_EQ(document.dump(), R"({"nodes":[],"x":[3]})");
    EXPECT_EQ(ordered_json(taken).dump(), R"([{"a":1},2])");

    // Left to the library after the elements went out: they come again, once.
    document = parse(R"({"nodes": [{"a": 1}, 2], "x": 1e-400})");
    EXPECT_EQ(restarts, 1);
    EXPECT_EQ(document.dump(), R"({"nodes":[],"x":0.0})");
    EXPECT_EQ(ordered_json(taken).dump(), R"([{"a":1},2])");

    // Refused after the elements: the library's refusal, after it handed them over again.
    EXPECT_EQ(ds_test::error_text<json_text_error>([&] { parse(R"({"nodes": [1, 2], "nodes": 3})"); }),
              read_reference(R"({"nodes": [1, 2], "nodes": 3})").refusal);
    EXPECT_EQ(restarts, 1);
    EXPECT_EQ(taken.size(), 2u);

    // A receiver that cannot restart is served by the library alone.
    taken.clear();
    ds_json::parse_text(R"({"nodes": [1, 2], "x": 1e-400})", "t.json",
                        {"nodes", [&](const ds_json::flat_tree& entry) { taken.push_back(entry.to_json()); }, {}});
    EXPECT_EQ(taken.size(), 2u);
}

TEST(JsonFastParse, ProjectLeftToTheLibraryLoadsItsNodesOnce)
{
    const std::string head = R"({"format": "ds-pedestal-project", "format_version": 1, "nodes": [)";
    const std::string node = R"({"class": "test_project_node", "tag": "DS-0001", "name": "n", "members": {}})";
    // The fast reader leaves this file to the library once both nodes were loaded.
    const auto loaded = ds_project::load_project_text(head + node + ", " + node + R"(], "x": 1e-400})", "p.json");
    EXPECT_EQ(loaded.nodes.size(), 2u);
    const auto read_fast = ds_project::load_project_text(head + node + ", " + node + "]}", "p.json");
    EXPECT_EQ(loaded.digest, read_fast.digest);
}
