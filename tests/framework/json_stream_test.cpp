// JSON member streams: faithful round trips, soft and reported read failures,
// loud write misuse.
#include "host/framework/json_stream.h"

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
std::vector<std::string> lines(const json_read_stream& stream)
{
    std::vector<std::string> out;
    for (const auto& d : stream.diagnostics()) out.push_back(to_string(d));
    return out;
}

std::unique_ptr<json_read_stream> reader(std::string_view text) { return json_read_stream::from_text(text, "nodes[0]"); }

std::string write_error(auto misuse)
{
    json_write_stream stream;
    return ds_test::error_text<ds_stream_error>([&] {
        misuse(stream);
        (void)stream.document();
    });
}

}  // namespace

TEST(json_stream, EveryTypeAndNestingReadsBackAsWritten)
{
    const double doubles[] = {0.1, -0.0, 1e300, DBL_MIN / 4, -123456.789, 560.0};
    const auto numbered = [](const char* stem, int i) { return CString(stem) + CString(std::to_string(i)); };
    json_write_stream out;
    out.write("version", 3);
    out.write("min", INT_MIN);
    out.write("max", INT_MAX);
    for (int i = 0; i < 6; ++i) out.write(numbered("d", i), doubles[i]);
    out.write("yes", true);
    out.write("no", false);
    out.write("empty", CString());
    out.write("gbk", CString("垫石_钢筋表"));
    out.mark("rec", x_mark_object_begin);
    out.write("version", 1);  // the same key in another object is fine
    out.mark("rec", x_mark_object_end);
    out.mark("list", x_mark_list_begin);
    out.write("count", 300);
    for (int i = 0; i < 300; ++i) out.write(numbered("item_", i) + "_value", CString("注"));
    out.mark("list", x_mark_list_end);

    const auto in = reader(out.text());
    const auto read_as = [&](const CString& key, auto value) {
        in->read(key, value);
        return value;
    };
    EXPECT_EQ(read_as("version", 0), 3);
    EXPECT_EQ(read_as("min", 0), INT_MIN);
    EXPECT_EQ(read_as("max", 0), INT_MAX);
    for (int i = 0; i < 6; ++i) {
        const double d = read_as(numbered("d", i), 7.0);
        EXPECT_EQ(d, doubles[i]);
        EXPECT_EQ(std::signbit(d), std::signbit(doubles[i]));
    }
    EXPECT_TRUE(read_as("yes", false));
    EXPECT_FALSE(read_as("no", true));
    EXPECT_EQ(read_as("empty", CString("x")), CString());
    EXPECT_EQ(read_as("gbk", CString()), CString("垫石_钢筋表"));
    in->mark("rec", x_mark_object_begin);
    EXPECT_EQ(read_as("version", 0), 1);
    in->mark("rec", x_mark_object_end);
    in->mark("list", x_mark_list_begin);
    EXPECT_EQ(read_as("count", 0), 300);
    for (int i = 0; i < 300; ++i) EXPECT_EQ(read_as(numbered("item_", i) + "_value", CString()), CString("注"));
    in->mark("list", x_mark_list_end);
    in->finish();
    EXPECT_THAT(lines(*in), testing::IsEmpty());
    // Members keep the order of writing; text is UTF-8.
    EXPECT_EQ(out.document().begin().key(), "version");
    EXPECT_EQ(out.document()["gbk"], ds_test::utf8(u8"垫石_钢筋表"));
    EXPECT_EQ(out.document()["list"]["item_0_value"], ds_test::utf8(u8"注"));
}

TEST(json_stream, BadEntriesLeaveTargetsUnchangedAndNameThePath)
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
    const auto found = lines(*in);
    EXPECT_THAT(found, testing::Contains(
                           "error: " + gz + "m_iCount: expected an integer, found a string"));
    EXPECT_THAT(found, testing::Contains(
                           "error: " + gz + "m_iBig: the number 3000000000 is out of range for an int"));
    EXPECT_THAT(found, testing::Contains(
                           "error: " + gz + "m_iFrac: expected an integer, found the number 3.7"));
    EXPECT_THAT(found, testing::Contains(
                           "error: " + gz + "m_bFlag: expected true or false, found the number 1"));
    EXPECT_THAT(found, testing::Contains("warning: " + gz + "m_iMissing: missing entry"));
    EXPECT_THAT(found, testing::Contains("warning: nodes[0] DS_ui_data: entries not read: version"));
#if DS_NARROW_IS_GBK
    EXPECT_THAT(found, testing::Contains(testing::AllOf(HasSubstr(gz + "m_strH: text does not convert"),
                                                        HasSubstr("U+00B2"))));
    EXPECT_EQ(found.size(), 7u);
#endif
}

TEST(json_stream, MissingOrMistypedRecordsReadAsEmptyAndCountsAreBounded)
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
    EXPECT_THAT(lines(*in), testing::IsSupersetOf({
        "error: nodes[0] rec: expected an object, found the number 5",
        "warning: nodes[0] rec/value: missing entry",
        "warning: nodes[0] absent: missing entry",
        "error: nodes[0] rows/count: list count 2000000000 is larger than the 2 items present; read as 2",
        "error: nodes[0] pairs/count: list count 3 is larger than the 2 items present; read as 2",
        "error: nodes[0] neg/count: list count -4 is negative; read as 0",
    }));
}

TEST(json_stream, UnbalancedMarksAndTagsAreReported)
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
    EXPECT_THROW(in->write("a", v), ds_stream_error);
    EXPECT_EQ(json_read_stream(nlohmann::ordered_json::array()).diagnostics().size(), 1u);
}

TEST(json_stream, WriterRefusesMisuseNamingThePath)
{
    EXPECT_THAT(write_error([](json_write_stream& s) {
                    s.push_guard_tag("DS_CSH_LB_Data");
                    s.write("version", 6);
                    s.write("version", 6);
                }),
                HasSubstr("DS_CSH_LB_Data/version: key written twice into one object"));
    EXPECT_THAT(write_error([](json_write_stream& s) {
                    s.mark("a", x_mark_list_begin);
                    s.mark("a", x_mark_object_end);
                }),
                HasSubstr("object end mark does not match the open list \"a\""));
    EXPECT_THAT(write_error([](json_write_stream& s) { s.write("w", std::nan("")); }),
                HasSubstr("w: value is not a finite number"));
    EXPECT_THAT(write_error([](json_write_stream& s) { s.mark("open", x_mark_object_begin); }),
                HasSubstr("object \"open\" is still open"));
#if DS_NARROW_IS_GBK
    EXPECT_THAT(write_error([](json_write_stream& s) { s.write("s", CString("\x81", 1)); }),
                HasSubstr("s: text does not convert"));
#endif
}
