// The parametric list records: every stored layout of a row, and of the height name.
#include <gtest/gtest.h>

#include "data/ds_csh_records.h"
#include "support/differences.h"
#include "support/recording_stream.h"

namespace {

using VQDraw_DS_UINA::DS_CSH_LB_Data;
using VQDraw_DS_UINA::DS_CSH_Name;
using ds_test::begin_list;
using ds_test::differences;
using ds_test::no_differences;
using ds_test::end_list;
using ds_test::read_back;
using ds_test::recording_stream;
using ds_test::value_entry;

/// A row whose every member differs from the constructor's values.
DS_CSH_LB_Data filled_row()
{
    DS_CSH_LB_Data row;
    row.m_Type = "桥台";
    row.m_strQF = "左幅";
    row.m_iNum = 7;
    row.m_iCount = 4;
    row.m_strType = "2";
    row.m_strH = "300,350";
    row.m_dWid = 560.5;
    row.m_dLen = 460.25;
    row.m_dAngle = 75.0;
    row.m_strPos = "大桩号侧";
    row.m_custom_note_items = {{"混凝土", "垫石采用C50混凝土。"}, {"", ""}};
    row.m_Steel_P0.set_default_value();
    return row;
}

TEST(ParametricListRecords, RowWritesTwelveMembersAndAnEmptyNoteList)
{
    DS_CSH_LB_Data row = filled_row();
    recording_stream writer;
    row.serialize_members(writer);

    const std::vector<std::string> expected = {
        "version", "m_Type", "m_strQF", "m_iNum", "m_iCount", "m_strType", "m_strH", "m_dWid", "m_dLen",
        "m_dAngle", "m_strPos", "m_custom_note_items[", "count", "item_0_key", "item_0_value", "item_1_key",
        "item_1_value", "]m_custom_note_items", "m_Steel_P0{"};
    const std::vector<std::string> keys = writer.keys();
    ASSERT_GE(keys.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(keys.begin(), keys.begin() + expected.size()), expected);
    EXPECT_EQ(keys.back(), "}m_Steel_P0");
    EXPECT_EQ(recording_stream::tag_path(writer.find("m_strQF")), "DS_CSH_LB_Data");

    // An empty note list stores count 0 and empties the list it is read into.
    recording_stream bare_writer;
    DS_CSH_LB_Data().serialize_members(bare_writer);
    EXPECT_EQ(std::get<int>(bare_writer.find("count").value), 0);
    ds_json::json_read_stream bare_reader(ds_app::flat_tree_of(bare_writer.json()));
    DS_CSH_LB_Data back = filled_row();
    back.serialize_members(bare_reader);
    EXPECT_TRUE(back.m_custom_note_items.empty());
    EXPECT_TRUE(back.m_Steel_P0.m_bars.empty());
}

TEST(ParametricListRecords, OldLayoutsReadOnlyTheirKeys)
{
    // Version 1: bridge part, number, count and height only.
    DS_CSH_LB_Data row = filled_row();
    row = read_back({value_entry("version", 1), value_entry("m_Type", "桥墩"), value_entry("m_strQF", "右幅"),
                     value_entry("m_iNum", 3), value_entry("m_iCount", 2), value_entry("m_strType", "5"),
                     value_entry("m_strH", "180"), value_entry("m_dWid", 1.0), value_entry("m_strPos", "x")},
                    row);
    DS_CSH_LB_Data expected = filled_row();
    expected.m_strQF = "右幅";
    expected.m_iNum = 3;
    expected.m_iCount = 2;
    expected.m_strH = "180";
    EXPECT_EQ(differences(row, expected), no_differences);
    EXPECT_EQ(row.m_custom_note_items, expected.m_custom_note_items);

    // Version 3 adds the pedestal type, version 4 the support kind, version 5 the notes.
    row = read_back({value_entry("version", 3), value_entry("m_Type", "桥墩"), value_entry("m_strType", "5"),
                     value_entry("m_dWid", 1.0)},
                    filled_row());
    EXPECT_EQ(row.m_Type, CString("桥台"));
    EXPECT_EQ(row.m_strType, CString("5"));
    EXPECT_EQ(row.m_dWid, 1.0);

    row = read_back({value_entry("version", 4), value_entry("m_Type", "桥墩"), begin_list("m_custom_note_items"),
                     value_entry("count", 0), end_list("m_custom_note_items")},
                    filled_row());
    EXPECT_EQ(row.m_Type, CString("桥墩"));
    EXPECT_EQ(row.m_custom_note_items.size(), 2u);

    row = read_back({value_entry("version", 5), begin_list("m_custom_note_items"), value_entry("count", 1),
                     value_entry("item_0_key", "k"), value_entry("item_0_value", "v"), end_list("m_custom_note_items")},
                    filled_row());
    ASSERT_EQ(row.m_custom_note_items.size(), 1u);
    EXPECT_EQ(row.m_custom_note_items[0], std::make_pair(CString("k"), CString("v")));
    EXPECT_FALSE(row.m_Steel_P0.m_bars.empty());
}

TEST(ParametricListRecords, NameStoresVersionOneAndItsText)
{
    DS_CSH_Name name;
    name.m_strH = "垫石高h1";
    recording_stream writer;
    name.serialize_members(writer);
    EXPECT_EQ(writer.key_values(), (std::vector<std::string>{"version=1", "m_strH=垫石高h1"}));
}

}  // namespace
