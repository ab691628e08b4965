// The common grid observer: custom input, reference input with its lists, and
// the copy from a referenced pier.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/grid_observer_fixture.h"
#include "support/pedestal_drawings.h"
#include "grid_ui/ds_ui_common_grid_ui_data.h"
#include "host/substructure/common_refrence_tools.h"
#include "host/rebar/steel_data.h"
#include "host/substructure/sample_bridge.h"

using VQDraw_DS_UINA::DS_ui_common_grid_ui_data;
using ds_test::row_of;

namespace {

constexpr const char* overall = "垫石-总体属性";
const CString pier_name = "主线7号墩";

// Four pedestals of different sizes, so a test can tell which one was taken.
std::vector<ds_gz_data> four_pedestals()
{
    return {{-600, 90, 501, 401, 201}, {-600, 90, 502, 402, 202}, {600, 90, 503, 403, 203}, {600, 90, 504, 404, 204}};
}

struct reference_setup {
    registered_substructures piers;
    ds_test::pedestal_drawings drawings;
    VQDraw_DS_UINA::DS_ui_data& drawing = drawings.single(data_center::make_unique_tag("grid_ui_drawing"));
    DS_ui_common_grid_ui_data observer;
    ds_test::grid_tables tables;
    CVQDataBase& table = tables.add(overall);

    explicit reference_setup(std::vector<ds_gz_data> pedestals = four_pedestals())
    {
        piers.add(make_substructure_drawing(substructure_pier, "柱式墩", "主线", 7, "C35", 50, std::move(pedestals)),
                  "grid_ui_pier_7", pier_name);
        drawing.ref_Type = "外部引用";
        drawing.refrence_graph_name = pier_name;
        observer.set_data_node_tag(drawing.get_node_tag());
    }
    void save(const char* number)
    {
        table.user_set_prop("m_Num", CVQVariant(CString(number), false));
        observer.save_data_from_ui(tables.map());
    }
    void focus(const CString& key)
    {
        NM_VQGRID notify = row_of(table, key);
        observer.on_cell_focus_changed(&table, &notify);
    }
};

}  // namespace

TEST(CommonGridObserver, CustomModeLoadsAndSavesTheDimensions)
{
    ds_test::pedestal_drawings drawings;
    VQDraw_DS_UINA::DS_ui_data& drawing = drawings.single(data_center::make_unique_tag("grid_ui_drawing"));
    drawing.m_draw_data.m_gz.strHei = "200 250";
    DS_ui_common_grid_ui_data observer;
    observer.set_data_node_tag(drawing.get_node_tag());
    ds_test::grid_tables tables;
    CVQDataBase& table = tables.add(overall);
    tables.mark_all_user_modified();

    common_refrence_tools::reset_call_counts();
    observer.load_data_to_ui(tables.map());
    EXPECT_EQ(common_refrence_tools::get_call_counts().construct_paper_paths, 0);
    EXPECT_FALSE(tables.any_user_modified());
    for (const auto& [key, text] : std::vector<std::pair<CString, CString>>{
             {"m_GetType", "自定义"}, {"m_Num", "1"}, {"m_dWidth", "560"}, {"m_dHeight", "200 250"},
             {"m_slope", "90"}, {"m_DS_count", "1"}}) {
        EXPECT_EQ(table.get_prop_cell(key)->text(), text) << key;
    }

    table.user_set_prop("m_dWidth", CVQVariant(610.0));
    table.user_set_prop("m_dHeight", CVQVariant(CString("180,190"), false));
    table.user_set_prop("m_DS_count", CVQVariant(3));
    for (const auto& [entered, stored] : std::vector<std::pair<double, double>>{{0, 90}, {-5, 90}, {180, 90}, {179.9, 179.9}}) {
        table.user_set_prop("m_slope", CVQVariant(entered));
        observer.save_data_from_ui(tables.map());
        EXPECT_EQ(drawing.m_draw_data.m_gz.m_dSlope, stored) << entered;
    }
    EXPECT_EQ(drawing.m_draw_data.m_gz.m_dWidth, 610.0);
    EXPECT_EQ(drawing.m_draw_data.m_gz.strHei, "180,190");
    EXPECT_EQ(drawing.m_draw_data.m_gz.m_iCount, 3);
    EXPECT_FALSE(tables.any_user_modified());
}

TEST(CommonGridObserver, ReferenceModeTakesThePedestalChosenByNumber)
{
    reference_setup setup;
    setup.drawing.m_draw_data.m_gz.m_dSlope = 75;
    setup.drawing.m_draw_data.m_gz.strPos = "小桩号侧";
    setup.observer.load_data_to_ui(setup.tables.map());  // publishes the list and learns the tags
    const auto* names = setup.table.get_env_variable("Exist_Graph_Names");
    ASSERT_NE(names, nullptr);
    EXPECT_NE(std::find(names->begin(), names->end(), pier_name), names->end());

    setup.table.user_set_prop("m_dWidth", CVQVariant(1.0));  // not read in a reference mode
    for (const auto& [number, index] : std::vector<std::pair<const char*, int>>{
             {"0", 0}, {"", 0}, {"1", 0}, {"abc", 0}, {"3", 2}, {"9", 3}}) {
        setup.save(number);
        const ds_gz_data chosen = four_pedestals()[index];
        EXPECT_EQ(setup.drawing.m_draw_data.m_gz.m_dWidth, chosen.m_dWidth) << number;
        EXPECT_EQ(setup.drawing.m_draw_data.m_gz.m_dLenth, chosen.m_dLength) << number;
    }
    const VQDraw_DS_UINA::DS_GZ_Gen& gz = setup.drawing.m_draw_data.m_gz;
    EXPECT_EQ(gz.strHei, "204.000000");
    EXPECT_EQ(gz.m_iCount, 4);
    EXPECT_EQ(gz.m_dSlope, 75);
    EXPECT_EQ(gz.strPos, "小桩号侧");
    const common_gj_data_drawset& drawset = setup.drawing.m_draw_data.m_drawSet.com_drawset;
    EXPECT_EQ(drawset.m_iScale, 10);
    EXPECT_EQ(drawset.m_iPierNum, 7);
    EXPECT_EQ(drawset.m_strConcreteType, "C35");
    EXPECT_EQ(setup.drawing.ref_DS_Num, "9");
    EXPECT_EQ(setup.drawing.get_external_reference_tag(), "grid_ui_pier_7");
    EXPECT_FALSE(setup.tables.any_user_modified());

    // A name the host no longer offers keeps the last reference and dimensions.
    setup.table.user_set_prop("m_Ref_path", CVQVariant(CString("已删除的墩"), false));
    setup.save("1");
    EXPECT_EQ(setup.drawing.refrence_graph_name, "已删除的墩");
    EXPECT_EQ(setup.drawing.get_external_reference_tag(), "grid_ui_pier_7");
    EXPECT_EQ(gz.m_dWidth, 504);
}

TEST(CommonGridObserver, FocusPublishesTheReferenceListsOnlyInReferenceMode)
{
    {
        reference_setup bare(std::vector<ds_gz_data>{});  // a pier without pedestals offers no number
        bare.observer.load_data_to_ui(bare.tables.map());
        bare.focus("m_Num");
        EXPECT_TRUE(bare.table.get_env_variable("DS_Num")->empty());
    }
    reference_setup setup;
    setup.observer.load_data_to_ui(setup.tables.map());
    setup.table.user_set_prop("m_GetType", CVQVariant(CString("自定义"), false));
    setup.table.SetEnvVariable("Exist_Graph_Names", {}, false);
    common_refrence_tools::reset_call_counts();
    setup.focus("m_Ref_path");
    setup.focus("m_Num");
    EXPECT_EQ(common_refrence_tools::get_call_counts().construct_paper_paths, 0);
    EXPECT_EQ(setup.table.get_env_variable("DS_Num"), nullptr);
    EXPECT_TRUE(setup.table.get_env_variable("Exist_Graph_Names")->empty());

    setup.table.user_set_prop("m_GetType", CVQVariant(CString("外部导入"), false));
    setup.focus("m_Ref_path");
    EXPECT_FALSE(setup.table.get_env_variable("Exist_Graph_Names")->empty());
    EXPECT_EQ(common_refrence_tools::get_call_counts().construct_paper_paths, 1);
    setup.focus("m_Num");
    EXPECT_EQ(*setup.table.get_env_variable("DS_Num"), (std::vector<CString>{"1", "2", "3", "4"}));

    setup.table.user_set_prop("m_Ref_path", CVQVariant(CString("已删除的墩"), false));
    setup.focus("m_Num");
    EXPECT_EQ(*setup.table.get_env_variable("DS_Num"), (std::vector<CString>{"1"}));
    setup.observer.on_cell_focus_changed(nullptr, nullptr);
}

TEST(CommonGridObserver, ReferenceChangeCopiesWhateverTheInputMode)
{
    reference_setup setup;
    setup.drawing.ref_Type = "自定义";
    setup.drawing.ref_DS_Num = "2";
    steel_data not_a_structure;
    setup.observer.external_reference_changed(&not_a_structure);
    setup.observer.external_reference_changed(nullptr);
    EXPECT_EQ(setup.drawing.m_draw_data.m_gz.m_iCount, 1);
    setup.observer.external_reference_changed(&setup.piers[0]);
    EXPECT_EQ(setup.drawing.m_draw_data.m_gz.m_dWidth, 502);
    EXPECT_EQ(setup.drawing.m_draw_data.m_gz.m_iCount, 4);
    EXPECT_EQ(setup.drawing.m_draw_data.m_drawSet.com_drawset.m_iScale, 10);
}
