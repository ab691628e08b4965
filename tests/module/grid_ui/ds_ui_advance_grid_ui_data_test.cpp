// The advanced grid observer: four tables in and out, which table wins a
// shared setting, the cached type choices, missing tables and the note button.
#include <gtest/gtest.h>

#include <cmath>

#include "support/grid_observer_fixture.h"
#include "support/pedestal_drawings.h"
#include "grid_ui/ds_grid_helpers.h"
#include "grid_ui/ds_ui_advance_grid_ui_data.h"
#include "host/substructure/common_gj_drawset_grid_ui_data.h"

using VQDraw_DS_UINA::DS_ui_advance_grid_ui_data;

namespace {

const CString common_table = common_gj_drawset_grid_ui_data::get_table_name(false);
constexpr const char* construction = "垫石-构造属性";
constexpr const char* drawing_settings = "垫石-绘图设置";
constexpr const char* rebar = "垫石_钢筋表";

struct advance_setup {
    ds_test::pedestal_drawings drawings;
    VQDraw_DS_UINA::DS_ui_data& drawing = drawings.single(data_center::make_unique_tag("grid_ui_drawing"));
    DS_ui_advance_grid_ui_data observer;
    ds_test::grid_tables tables;

    advance_setup()
    {
        for (const CString& name : {common_table, CString(construction), CString(drawing_settings), CString(rebar)})
            tables.add(name);
        drawing.m_draw_data.m_Steel_P0.set_default_value();
        observer.set_data_node_tag(drawing.get_node_tag());
    }
};

}  // namespace

TEST(AdvanceGridObserver, LoadFillsEveryTableAndClearsTheMarks)
{
    advance_setup setup;
    setup.drawing.m_draw_data.m_gz.strHei = "200;210;220";
    setup.drawing.m_draw_data.m_drawSet.m_DS_number = "A-3";
    setup.tables.mark_all_user_modified();
    setup.observer.load_data_to_ui(setup.tables.map());

    EXPECT_EQ(setup.tables[construction].get_prop_cell("m_dHeight")->text(), "200;210;220");
    EXPECT_EQ(setup.tables[construction].get_prop_cell("m_iCount")->text(), "1");
    EXPECT_EQ(setup.tables[drawing_settings].get_prop_cell("m_DS_number")->text(), "A-3");
    EXPECT_EQ(*setup.tables[drawing_settings].get_env_variable("COMP_TYPE"),
              (std::vector<CString>{"柱式墩", "盖梁柱式墩", "花瓶墩", "墙式墩", "桩柱台", "肋板台", "墙式台", "座板台",
                                    "板凳台", "扶壁台"}));
    for (const CString& name : {common_table, CString(drawing_settings)})
        EXPECT_EQ(setup.tables[name].get_prop_cell("m_iScale")->text(), "10") << name;
    EXPECT_EQ(*setup.tables[common_table].get_env_variable(common_gj_drawset_grid_ui_data::type_choice_list),
              (std::vector<CString>{"桥墩", "桥台"}));
    EXPECT_EQ(setup.tables[rebar].GetNumberRows(),
              static_cast<int>(setup.drawing.m_draw_data.m_Steel_P0.m_bars.size()));
    EXPECT_FALSE(setup.tables.any_user_modified());
}

TEST(AdvanceGridObserver, SaveNormalisesTheSlopeAndKeepsTheDrawingSettingsTablesValue)
{
    advance_setup setup;
    setup.observer.load_data_to_ui(setup.tables.map());
    CVQDataBase& gz_table = setup.tables[construction];
    gz_table.user_set_prop("m_dHeight", CVQVariant(CString("200, 250 300"), false));
    setup.tables[common_table].user_set_prop("m_iScale", CVQVariant(20));
    setup.tables[common_table].user_set_prop("m_strQF", CVQVariant(CString("右幅"), false));
    setup.tables[drawing_settings].user_set_prop("m_iScale", CVQVariant(25));
    setup.tables[rebar].user_remove_rows(0, 1);

    for (const auto& [entered, stored] : std::vector<std::pair<double, double>>{{0, 90}, {180, 90}, {45, 45}}) {
        gz_table.user_set_prop("m_slope", CVQVariant(entered));
        setup.observer.save_data_from_ui(setup.tables.map());
        EXPECT_EQ(setup.drawing.m_draw_data.m_gz.m_dSlope, stored) << entered;
    }
    EXPECT_EQ(VQDraw_DS_UINA::ds_grid_slope_to_store(std::nan("")), 90.0);
    EXPECT_EQ(setup.drawing.m_draw_data.m_gz.strHei, "200, 250 300");
    EXPECT_EQ(setup.drawing.m_draw_data.m_drawSet.com_drawset.m_iScale, 25);
    EXPECT_EQ(setup.drawing.m_draw_data.m_drawSet.com_drawset.m_strQF, "右幅");
    EXPECT_EQ(static_cast<int>(setup.drawing.m_draw_data.m_Steel_P0.m_bars.size()), setup.tables[rebar].GetNumberRows());
    EXPECT_FALSE(setup.tables.any_user_modified());
}

TEST(AdvanceGridObserver, TypeChoicesAreAskedForOncePerProcess)
{
    DS_ui_advance_grid_ui_data::reset_type_choice_cache();
    common_gj_drawset_grid_ui_data::reset_call_counts();
    advance_setup first;
    advance_setup second;
    table_map empty;
    first.observer.load_data_to_ui(empty);
    EXPECT_EQ(common_gj_drawset_grid_ui_data::get_envariable_types_call_count(), 0);
    for (advance_setup* setup : {&first, &second, &first}) setup->observer.load_data_to_ui(setup->tables.map());
    EXPECT_EQ(common_gj_drawset_grid_ui_data::get_envariable_types_call_count(), 1);
    EXPECT_NE(second.tables[common_table].get_env_variable(common_gj_drawset_grid_ui_data::type_choice_list), nullptr);
}

TEST(AdvanceGridObserver, MissingAndNullTablesDoNotStopTheOthers)
{
    advance_setup setup;
    setup.tables.map().erase(common_table);
    setup.tables.add_null(rebar);
    setup.observer.load_data_to_ui(setup.tables.map());
    setup.tables[construction].user_set_prop("m_dWidth", CVQVariant(640.0));
    setup.observer.save_data_from_ui(setup.tables.map());
    EXPECT_EQ(setup.drawing.m_draw_data.m_gz.m_dWidth, 640.0);
    EXPECT_EQ(setup.tables.map().size(), 3u);
}
