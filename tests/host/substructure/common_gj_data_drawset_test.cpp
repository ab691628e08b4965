// The shared substructure drawing settings: differences and the
// stored layout, read back whole into longer lists.
#include <gtest/gtest.h>

#include "host/substructure/common_gj_data_drawset.h"
#include "support/differences.h"
#include "support/recording_stream.h"

namespace {

common_gj_data_drawset filled_settings()
{
    common_gj_data_drawset s;
    s.m_strCompType = "桥墩";
    s.m_strQF = "左幅";
    s.m_iPierNum = 7;
    s.m_iScale = 30;
    s.m_strConcreteType = "C50";
    s.m_strCustomNote = "注：垫石顶面应水平。";
    s.m_dCover = 35.5;
    s.m_custom_note_items = {{"混凝土", "垫石采用C50混凝土。"}, {"钢筋", "HRB400"}};
    s.m_merge_infos = {{"桥墩", "左幅", "1~3", "1,2", "1"}, {"桥台", "右幅", "0", "1", "1、2"}};
    return s;
}

using ds_test::differences;

}  // namespace

TEST(CommonDrawset, CompareGivesOneLinePerDifferenceWithItsCaption)
{
    const common_gj_data_drawset base = filled_settings();
    EXPECT_TRUE(differences(base, base).empty());
    std::vector<CString> none;
    base.compare(nullptr, none);
    EXPECT_TRUE(none.empty());

    common_gj_data_drawset changed = base;
    changed.m_strCompType = "桥台";
    changed.m_iPierNum = 8;
    changed.m_dCover = 35.5 + 1e-9;  // within the host's tolerance
    auto lines = differences(changed, base);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Find("所属墩台类型："), 0);
    EXPECT_EQ(lines[1].Find("墩台号："), 0);
    EXPECT_GE(lines[1].Find("7"), 0);
    EXPECT_GE(lines[1].Find("8"), 0);

    // A longer list gives its length line; elements both lists have are compared field by field.
    changed = base;
    changed.m_custom_note_items.push_back({"附加", "新增"});
    changed.m_merge_infos[1].m_strNums = "3";
    lines = differences(changed, base);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Find("自定义附注条数："), 0);
    EXPECT_EQ(lines[1].Find("第2条合并信息垫石编号："), 0);
}

TEST(CommonDrawset, StoredLayoutReadsBackWhole)
{
    common_gj_data_drawset source = filled_settings();
    ds_test::recording_stream out;
    source.serialize_members(out);

    // The file layout other programs read: keys, nesting and versions.
    const auto& json = out.json();
    EXPECT_EQ(json.at("version"), 1);
    EXPECT_EQ(json.at("m_iScale"), 30);
    EXPECT_EQ(json.at("m_custom_note_items").at("count"), 2);
    EXPECT_EQ(json.at("m_custom_note_items").at("item_1_value"), "HRB400");
    EXPECT_EQ(json.at("m_merge_infos").at("count"), 2);
    EXPECT_EQ(json.at("m_merge_infos").at("item_0").at("version"), 1);
    EXPECT_EQ(json.at("m_merge_infos").at("item_0").at("m_strPierNums"), "1~3");
    EXPECT_EQ(ds_test::recording_stream::tag_path(out.find("m_strRows")),
              "common_gj_data_drawset/single_part_gj_merge_info");

    // Read into a record whose lists are longer than the stored ones.
    common_gj_data_drawset target;
    target.set_default_value();
    target.m_custom_note_items.assign(5, {"旧", "旧"});
    target.m_merge_infos.assign(4, {});
    ds_json::json_read_stream in(ds_app::flat_tree_of(out.json()));
    target.serialize_members(in);
    EXPECT_TRUE(in.diagnostics().empty());
    EXPECT_TRUE(differences(target, source).empty());
    EXPECT_EQ(target.m_custom_note_items, source.m_custom_note_items);
    EXPECT_EQ(target.m_merge_infos.size(), 2u);
}
