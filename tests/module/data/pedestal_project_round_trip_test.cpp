// Both kinds of pedestal drawing survive a project file: what is saved is
// what a fresh node, created by name, reads back.
#include <gtest/gtest.h>

#include "data/ds_ui_csh_data.h"
#include "data/ds_ui_data.h"
#include "host/project/project_file.h"
#include "support/differences.h"
#include "support/temp_folder.h"

using namespace VQDraw_DS_UINA;

using PedestalProject = ds_test::temp_folder_test;

TEST_F(PedestalProject, BothDrawingKindsRoundTripThroughAProjectFile)
{
    DS_ui_data single;
    single.set_default_value();
    single.set_node_tag("single_1");
    single.ref_Type = "外部引用";
    single.m_draw_data.m_gz.strHei = "200;250 300";
    single.m_draw_data.m_drawSet.com_drawset.m_merge_infos.push_back({"桥墩", "主线", "1~3", "1,2", "1"});

    DS_ui_CSH_data parametric;
    parametric.set_default_value();
    parametric.set_node_tag("csh_1");
    parametric.m_is_merge = true;
    parametric.m_csh_data.front().m_custom_note_items = {{"单位描述", ""}, {"", "自定义的说明"}};
    parametric.m_csh_data.push_back(parametric.m_csh_data.front());
    parametric.m_csh_data.back().m_iNum = 7;

    const auto file = m_dir / "round_trip.json";
    ds_project::save_project(file, {&single, &parametric});
    const ds_project::loaded_project loaded = ds_project::load_project(file);

    ASSERT_EQ(loaded.nodes.size(), 2u);
    EXPECT_TRUE(loaded.warnings.empty());
    const auto* single_back = dynamic_cast<const DS_ui_data*>(loaded.nodes[0].get());
    ASSERT_NE(single_back, nullptr);
    EXPECT_EQ(single_back->get_node_tag(), CString("single_1"));
    EXPECT_EQ(ds_test::differences<DS_ui_data>(*single_back, single), ds_test::no_differences);

    const auto* csh_back = dynamic_cast<const DS_ui_CSH_data*>(loaded.nodes[1].get());
    ASSERT_NE(csh_back, nullptr);
    EXPECT_EQ(ds_test::differences<DS_ui_CSH_data>(*csh_back, parametric), ds_test::no_differences);
    ASSERT_EQ(csh_back->m_csh_data.size(), 2u);  // the comparison does not look at the row count
    EXPECT_EQ(csh_back->m_csh_data[0].m_custom_note_items, parametric.m_csh_data[0].m_custom_note_items);
}

// Frozen files of older layouts: a drawing record of version 2 with the list
// it used to carry, and a construction record of version 1 with its height as
// a number.
TEST(PedestalProjectFiles, OldLayoutsLoadThroughTheProjectFile)
{
    const auto loaded = ds_project::load_project(std::filesystem::path(DS_FIXTURES_DIR) / "projects" / "good" /
                                                 "old_pedestal_layouts.json");
    EXPECT_TRUE(loaded.warnings.empty());
    ASSERT_EQ(loaded.nodes.size(), 2u);
    const auto* listed = dynamic_cast<const DS_ui_data*>(loaded.nodes[0].get());
    const auto* numbered = dynamic_cast<const DS_ui_data*>(loaded.nodes[1].get());
    ASSERT_TRUE(listed && numbered);

    const DS_draw_data& v2 = listed->m_draw_data;
    EXPECT_EQ(v2.m_gz.strHei, CString("310"));
    EXPECT_EQ(v2.m_gz.m_dWidth, 600.0);
    EXPECT_EQ(v2.m_gz.m_iCount, 1);
    EXPECT_EQ(v2.m_gz.strPos, CString("大桩号侧"));
    EXPECT_EQ(v2.m_drawSet.m_DS_number, CString("7"));
    ASSERT_EQ(v2.m_Steel_P0.m_bars.size(), 1u);
    EXPECT_EQ(v2.m_Steel_P0.m_bars[0].m_mark, CString("N3"));

    const DS_GZ_Gen& v1 = numbered->m_draw_data.m_gz;
    EXPECT_EQ(v1.strHei, CString("250"));  // the old number becomes the height text
    EXPECT_EQ(std::vector({v1.m_dWidth, v1.m_dLenth, v1.m_dSlope}), std::vector({650.0, 700.0, 80.0}));
    EXPECT_EQ(v1.m_iCount, 4);
    EXPECT_EQ(v1.strPos, CString(""));
}
