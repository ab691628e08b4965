// The rebar set: difference lines and its stored layout.
#include <gtest/gtest.h>

#include "support/rebar_test_support.h"
#include "support/recording_stream.h"

namespace {

using ds_test::begin_list;
using ds_test::begin_object;
using ds_test::default_rebar;
using ds_test::end_list;
using ds_test::end_object;
using ds_test::recording_stream;
using ds_test::value_entry;

// A count that differs gives one line, checked with the records that carry a rebar set.
TEST(SteelData, CompareAddsOneLinePerDifferingBarLine)
{
    steel_data other = default_rebar();
    other.m_bars[1].m_grade = "HPB300";
    std::vector<CString> lines;
    default_rebar().compare(other, lines);
    EXPECT_EQ(lines, std::vector<CString>{"第2行钢筋钢筋等级HPB300 → HRB400"});
}

TEST(SteelData, WritesItsOwnTagVersionAndBarList)
{
    steel_data rebar;
    rebar.m_bars = {steel_bar_row{"N1", 12.0, "HRB400", 0, 100.0, "直线", "钢筋网"}};
    recording_stream out;
    rebar.serialize_members(out);

    const std::vector<std::string> expected = {
        "version=1", "m_bars[", "count=1", "item_0{", "m_mark=N1", "m_diameter=12", "m_grade=HRB400",
        "m_count=0", "m_spacing=100", "m_shape=直线", "m_part=钢筋网", "}item_0", "]m_bars"};
    EXPECT_EQ(out.key_values(), expected);
    EXPECT_EQ(recording_stream::tag_path(out.find("version")), "steel_data");
    EXPECT_EQ(recording_stream::tag_path(out.find("m_mark")), "steel_data/steel_bar_row");

    EXPECT_TRUE(ds_test::read_back<steel_data>(out.entries()).same_bars(rebar));
}

TEST(SteelData, ReadingKeepsWhatTheStreamDoesNotCarry)
{
    // No bar list at all: the bars stay.
    steel_data rebar = ds_test::read_back({value_entry("version", 1)}, default_rebar());
    EXPECT_TRUE(rebar.same_bars(default_rebar()));

    // A newer version is read with the layout there is; a bar missing fields
    // keeps the defaults of a bar line.
    rebar = ds_test::read_back({value_entry("version", 7), begin_list("m_bars"), value_entry("count", 1),
                                begin_object("item_0"), value_entry("m_mark", "N9"), value_entry("m_count", 3),
                                end_object("item_0"), end_list("m_bars")}, rebar);
    ASSERT_EQ(rebar.m_bars.size(), 1u);
    EXPECT_EQ(rebar.m_bars[0], (steel_bar_row{"N9", 0.0, "", 3, 0.0, "", ""}));
}

}  // namespace
