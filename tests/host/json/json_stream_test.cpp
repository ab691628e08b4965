// JSON member streams: exact numbers, soft and reported read failures, loud
// write misuse.
#include "host/json/json_read_stream.h"
#include "host/json/json_text.h"
#include "host/json/json_text_writer.h"
#include "host/json/json_write_stream.h"

#include <cfloat>
#include <climits>
#include <cmath>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/framework/serialization_guard.h"
#include "support/error_text.h"
#include "support/utf8_literal.h"

using testing::ElementsAre;
using testing::HasSubstr;

namespace {

/// The diagnostics as "error: path: message" lines.
std::vector<std::string> lines(const ds_json::json_read_stream& stream)
{
    std::vector<std::string> out;
    for (const auto& d : stream.diagnostics()) out.push_back(to_string(d));
    return out;
}

std::unique_ptr<ds_json::json_read_stream> reader(std::string_view text)
{
    return std::make_unique<ds_json::json_read_stream>(ds_json::read_text(text), "nodes[0]");
}

std::string write_error(auto misuse)
{
    ds_json::json_write_stream stream({});
    return ds_test::error_text<ds_json::stream_error>([&] {
        misuse(stream);
        stream.finish();
    });
}

}  // namespace

// Nesting, lists, texts and booleans go through the project file tests; here
// the numbers at the edges of their types.
TEST(JsonStream, ExtremeNumbersReadBackExactly)
{
    const double doubles[] = {0.1, -0.0, 1e300, DBL_MIN / 4, -123456.789};
    const auto numbered = [](int i) { return CString("d") + CString(std::to_string(i)); };
    std::string text;
    ds_json::json_text_writer writer([&](std::string_view piece) { text += piece; });
    writer.begin_members(0);
    ds_json::json_write_stream out({&writer});
    out.write("min", INT_MIN);
    out.write("max", INT_MAX);
    for (int i = 0; i < 5; ++i) out.write(numbered(i), doubles[i]);
    out.finish();
    writer.end_members();
    writer.flush();

    const auto in = reader(text);
    int min = 0, max = 0;
    in->read("min", min);
    in->read("max", max);
    EXPECT_EQ(std::make_pair(min, max), std::make_pair(INT_MIN, INT_MAX));
    for (int i = 0; i < 5; ++i) {
        double d = 7.0;
        in->read(numbered(i), d);
        EXPECT_EQ(d, doubles[i]);
        EXPECT_EQ(std::signbit(d), std::signbit(doubles[i]));
    }
    in->finish();
    EXPECT_THAT(lines(*in), testing::IsEmpty());
}

TEST(JsonStream, BadEntriesLeaveTargetsUnchangedAndNameThePath)
{
    const auto in = reader(ds_test::utf8(u8R"({"version": 1, "m_draw_data": {"version": 3, "m_gz": {
        "m_iCount": "2", "m_dWidth": 3, "m_iNum": 3.0, "m_iBig": 3000000000, "m_iFrac": 3.7,
        "m_bFlag": 1, "m_strH": "2²", "m_strOk": "1号"}}})"));
    int count = 5, num = 0, big = 9, frac = 9, missing = 4;
    double width = 0;
    bool flag = false;
    CString height = "old", ok;
    {
        x_object_flag_serialization_guard node(CString("DS_ui_data"), *in);
        in->mark("m_draw_data", x_mark_object_begin);
        {
            x_object_flag_serialization_guard data(CString("DS_draw_data"), *in);
            in->mark("m_gz", x_mark_object_begin);
            {
                x_object_flag_serialization_guard gz(CString("DS_steel_Gen"), *in);
                in->read("m_iCount", count);
                in->read("m_dWidth", width);  // an integer reads as a double
                in->read("m_iNum", num);      // an integral double reads as an int
                in->read("m_iBig", big);
                in->read("m_iFrac", frac);
                in->read("m_bFlag", flag);
                in->read("m_strH", height);
                in->read("m_strOk", ok);
                in->read("m_iMissing", missing);
            }
            in->mark("m_gz", x_mark_object_end);
            int version = 0;
            in->read("version", version);
        }
        in->mark("m_draw_data", x_mark_object_end);
    }
    in->finish();

    EXPECT_EQ(count, 5);
    EXPECT_EQ(width, 3.0);
    EXPECT_EQ(num, 3);
    EXPECT_EQ(big, 9);
    EXPECT_EQ(frac, 9);
    EXPECT_FALSE(flag);
    EXPECT_EQ(missing, 4);
    EXPECT_EQ(ok, CString("1号"));
#if DS_NARROW_IS_GBK
    EXPECT_EQ(height, CString("old"));
#endif
    const std::string gz = "nodes[0] DS_ui_data/m_draw_data(DS_draw_data)/m_gz(DS_steel_Gen)/";
    // The message of each bad value is checked with the bad project files; here the path.
    const auto found = lines(*in);
    EXPECT_THAT(found, testing::Contains("error: " + gz + "m_iCount: expected an integer, found a string"));
    EXPECT_THAT(found, testing::Contains("warning: " + gz + "m_iMissing: missing entry"));
    EXPECT_THAT(found, testing::Contains("warning: nodes[0] DS_ui_data: entries not read: version"));
    EXPECT_EQ(found.size(), DS_NARROW_IS_GBK ? 7u : 6u);
}

TEST(JsonStream, MissingOrMistypedRecordsReadAsEmptyAndCountsAreBounded)
{
    const auto in = reader(R"({"rec": 5, "rows": {"count": 2000000000, "item_0": {}, "item_1": {}},
        "pairs": {"count": 3, "item_0_key": "a", "item_0_value": "b", "item_1_key": "c", "item_1_value": "d"},
        "neg": {"count": -4}, "count": 99})");
    int value = 1;
    in->mark("rec", x_mark_object_begin);  // not an object: read as an empty one
    in->read("value", value);
    in->mark("rec", x_mark_object_end);
    in->mark("absent", x_mark_list_begin);
    in->read("count", value);
    in->mark("absent", x_mark_list_end);
    EXPECT_EQ(value, 1);

    int rows = 0, pairs = 0, negative = 0, plain = 0;
    in->mark("rows", x_mark_list_begin);
    in->read("count", rows);
    in->mark("rows", x_mark_list_end);
    in->mark("pairs", x_mark_list_begin);
    in->read("count", pairs);
    in->mark("pairs", x_mark_list_end);
    in->mark("neg", x_mark_list_begin);
    in->read("count", negative);
    in->mark("neg", x_mark_list_end);
    in->read("count", plain);  // not inside a list: an ordinary integer
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(pairs, 2);
    EXPECT_EQ(negative, 0);
    EXPECT_EQ(plain, 99);
    EXPECT_THAT(lines(*in), testing::IsSupersetOf({"error: nodes[0] rec: expected an object, found the number 5",
                                                    "warning: nodes[0] rec/value: missing entry",
                                                    "warning: nodes[0] absent: missing entry"}));

    // A document that is no object reads as an empty one, saying what stood there.
    int kept = 7;
    for (const auto& [document, found] : {std::pair{"[]", "an array"}, std::pair{"3", "the number 3"}}) {
        ds_json::json_read_stream top(ds_json::read_text(document), "t");
        top.read("value", kept);
        EXPECT_THAT(lines(top), testing::Contains(std::string("error: t: expected an object at the top, found ") + found));
    }
    EXPECT_EQ(kept, 7);
}

TEST(JsonStream, UnbalancedMarksAndTagsAreReported)
{
    const auto in = reader(R"({"a": {"b": {}}})");
    in->mark("a", x_mark_object_begin);
    in->mark("b", x_mark_list_begin);
    in->mark("a", x_mark_object_end);  // closes "b" with the wrong key and kind
    in->mark("x", 7);
    in->pop_guard_tag();
    in->finish();
    EXPECT_THAT(lines(*in), ElementsAre("error: nodes[0] a/b/a: object end mark does not match the open list \"b\"",
                                        "error: nodes[0] a/x: unknown mark kind 7",
                                        "error: nodes[0] a: guard tag popped without a matching push at this level",
                                        "error: nodes[0] a: object \"a\" was never closed"));
    EXPECT_TRUE(in->has_errors());
    int v = 0;
    EXPECT_THROW(in->write("a", v), ds_json::stream_error);
    EXPECT_EQ(ds_json::json_read_stream(ds_json::read_text("[]")).diagnostics().size(), 1u);
}

TEST(JsonStream, WriterRefusesMisuseNamingThePath)
{
    EXPECT_THAT(write_error([](ds_json::json_write_stream& s) {
                    s.push_guard_tag("DS_CSH_LB_Data");
                    s.write("version", 6);
                    s.write("version", 6);
                }),
                HasSubstr("DS_CSH_LB_Data/version: key written twice into one object"));
    EXPECT_THAT(write_error([](ds_json::json_write_stream& s) {
                    s.mark("a", x_mark_list_begin);
                    s.mark("a", x_mark_object_end);
                }),
                HasSubstr("object end mark does not match the open list \"a\""));
    EXPECT_THAT(write_error([](ds_json::json_write_stream& s) { s.write("w", std::nan("")); }),
                HasSubstr("w: value is not a finite number"));
    EXPECT_THAT(write_error([](ds_json::json_write_stream& s) { s.mark("open", x_mark_object_begin); }),
                HasSubstr("object \"open\" is still open"));
#if DS_NARROW_IS_GBK
    EXPECT_THAT(write_error([](ds_json::json_write_stream& s) { s.write("s", CString("\x81", 1)); }),
                HasSubstr("s: text does not convert"));
#endif
}

// A writing stream drops a closed object's members; the keys
// around them must stay, whether scanned or, in a wide object, held in a set.
TEST(JsonStream, ClosedObjectsStillRefuseRepeatedKeys)
{
    const auto write_then = [](const CString& key) {
        const auto s = ds_json::json_write_stream::checking({});
        return ds_test::error_text<ds_json::stream_error>([&] {
            s->mark("list", x_mark_object_begin);
            for (int i = 0; i < 20; ++i) {
                const CString item = CString("item_") + CString(std::to_string(i).c_str());
                s->mark(item, x_mark_object_begin);
                s->write("text", CString("dropped once closed"));
                s->mark(item, x_mark_object_end);
                if (i == 2) s->write(key, 0);
            }
            s->mark("list", x_mark_object_end);
            s->write(key, 1);
            s->finish();
        });
    };
    EXPECT_THAT(write_then("item_1"), HasSubstr("list/item_1: key written twice into one object"));
    EXPECT_THAT(write_then("item_19"), HasSubstr("list/item_19: key written twice into one object"));
    EXPECT_THAT(write_then("list"), HasSubstr("list: key written twice into one object"));
    EXPECT_EQ(write_then("text"), "(no error)");
}
