// The parametric grid observer: the list rebuilt on load, tables read back
// only when the user changed them, new rows from the row constructor, the
// angle rule, and the user marks left alone.
#include <gtest/gtest.h>

#include "data/ds_ui_csh_data.h"
#include "support/grid_observer_fixture.h"
#include "grid_ui/ds_ui_csh_advance_grid_ui_data.h"
#include "support/differences.h"
#include "support/pedestal_drawings.h"

using VQDraw_DS_UINA::DS_CSH_LB_Data;
using VQDraw_DS_UINA::DS_ui_CSH_advance_grid_ui_data;
using VQDraw_DS_UINA::DS_ui_CSH_data;

namespace {

constexpr const char* settings = "DS_CSH_Drawset";
constexpr const char* rebar = "垫石_钢筋表";
constexpr const char* name_table = "垫石-参数化列表名称";
constexpr const char* list_table = "垫石-参数化列表";

DS_CSH_LB_Data list_row(const char* qf, int num, double angle)
{
    DS_CSH_LB_Data row;
    row.set_default_value();
    row.m_strQF = qf;
    row.m_iNum = num;
    row.m_strType = "B型";
    row.m_dAngle = angle;
    row.m_strPos = "左侧";
    row.m_custom_note_items = {{"单位描述", ""}};
    row.m_Steel_P0.set_default_value();
    return row;
}

/// A parametric drawing registered in the data centre, four tables, and the observer pointed at both.
struct csh_setup {
    ds_test::pedestal_drawings drawings;
    DS_ui_CSH_data& drawing = drawings.parametric(data_center::make_unique_tag("csh_grid_drawing"));
    DS_ui_CSH_advance_grid_ui_data observer;
    ds_test::grid_tables tables;

    csh_setup()
    {
        drawing.set_default_value();
        drawing.m_gz_data.m_drawSet.m_strMergeNum = "墩台";
        drawing.m_csh_name.m_strH = "H";
        drawing.m_csh_data = {list_row("主线", 1, 120), list_row("匝道", 2, 75), list_row("主线", 3, 100)};
        observer.set_data_node_tag(drawing.get_node_tag());
        for (const char* name : {settings, rebar, name_table, list_table}) tables.add(name);
    }

    CVQDataBase& list() { return tables[list_table]; }
    CString list_cell(int row, const char* key) { return list().get_prop_cell(row, key)->text(); }
    void clear_marks()
    {
        for (const char* name : {settings, rebar, name_table, list_table}) tables[name].SetUserModify(0);
    }
};

TEST(CshGridObserver, LoadRebuildsTheListAndFillsTheOtherTablesWithoutClearingMarks)
{
    csh_setup setup;
    setup.drawing.m_gz_data.m_drawSet.com_drawset.m_iScale = 30;
    setup.drawing.m_csh_data[1].m_Type = "桥台";
    setup.list().user_append_rows(4);
    setup.tables.mark_all_user_modified();
    setup.observer.load_data_to_ui(setup.tables.map());

    ASSERT_EQ(setup.list().GetNumberRows(), 3);
    std::vector<std::string> cells;
    for (const char* key : {"m_Type", "m_strQF", "m_iN", "m_iCount", "m_type", "m_strH", "m_dWid", "m_dLen", "m_dAngle"})
        cells.push_back(static_cast<const char*>(setup.list_cell(1, key)));
    EXPECT_EQ(cells, (std::vector<std::string>{"桥台", "匝道", "2", "6", "B型", "200", "1100", "1700", "75"}));
    EXPECT_EQ(setup.tables[settings].get_prop_cell("m_merge_name")->text(), "墩台");
    EXPECT_EQ(setup.tables[settings].get_prop_cell("m_iScale")->text(), "30");
    EXPECT_EQ(setup.tables[name_table].get_prop_cell("m_H")->text(), "H");
    EXPECT_EQ(setup.tables[rebar].GetNumberRows(), static_cast<int>(setup.drawing.m_gz_data.m_Steel_P0.m_bars.size()));
    for (const char* name : {settings, rebar, name_table, list_table})
        EXPECT_TRUE(setup.tables[name].IsUserModifyData()) << name;

    // An empty list shows one blank row to type into.
    setup.drawing.m_csh_data.clear();
    setup.observer.load_data_to_ui(setup.tables.map());
    ASSERT_EQ(setup.list().GetNumberRows(), 1);
    EXPECT_EQ(setup.list_cell(0, "m_strQF"), "");
}

TEST(CshGridObserver, UnchangedTablesKeepTheDrawingButTheSharedSettingsAreAlwaysRead)
{
    csh_setup setup;
    setup.observer.load_data_to_ui(setup.tables.map());
    setup.clear_marks();
    const std::vector<DS_CSH_LB_Data> before = setup.drawing.m_csh_data;
    // Written by the program, not the user: the tables stay unchanged.
    setup.list().Set_Prop(0, "m_strQF", CVQVariant(CString("改"), false));
    setup.tables[name_table].Set_Prop("m_H", CVQVariant(CString("改"), false));
    setup.tables[settings].Set_Prop("m_merge_name", CVQVariant(CString("改"), false));
    setup.tables[settings].Set_Prop("m_iScale", CVQVariant(40));
    setup.tables[rebar].RemoveRowsAt(setup.tables[rebar].GetFixedRowCount(), 1, "", "");
    setup.observer.save_data_from_ui(setup.tables.map());

    ASSERT_EQ(setup.drawing.m_csh_data.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(ds_test::differences(setup.drawing.m_csh_data[i], before[i]), ds_test::no_differences) << i;
        EXPECT_EQ(setup.drawing.m_csh_data[i].m_custom_note_items, before[i].m_custom_note_items);
    }
    EXPECT_EQ(setup.drawing.m_csh_name.m_strH, "H");
    EXPECT_EQ(setup.drawing.m_gz_data.m_drawSet.m_strMergeNum, "墩台");
    EXPECT_EQ(setup.drawing.m_gz_data.m_drawSet.com_drawset.m_iScale, 40);
    EXPECT_EQ(static_cast<int>(setup.drawing.m_gz_data.m_Steel_P0.m_bars.size()), setup.tables[rebar].GetNumberRows() + 1);
}

TEST(CshGridObserver, AChangedListIsRebuiltFromConstructedRows)
{
    csh_setup setup;
    setup.observer.load_data_to_ui(setup.tables.map());
    setup.clear_marks();
    CVQDataBase& list = setup.list();
    list.user_remove_rows(2, 1);
    list.user_set_prop(0, "m_Type", CVQVariant(CString("桥台"), false));
    list.user_set_prop(0, "m_type", CVQVariant(CString("C型"), false));
    list.user_set_prop(0, "m_dAngle", CVQVariant(0.0));
    list.user_set_prop(1, "m_dAngle", CVQVariant(200.0));
    list.user_set_prop(1, "m_iCount", CVQVariant(4));
    list.user_set_prop(1, "m_strH", CVQVariant(CString("200,260"), false));
    setup.tables[name_table].user_set_prop("m_H", CVQVariant(CString("h2"), false));
    setup.tables[settings].user_set_prop("m_merge_name", CVQVariant(CString("台"), false));
    setup.tables[rebar].user_remove_rows(0, 1);
    const std::size_t bars = setup.drawing.m_gz_data.m_Steel_P0.m_bars.size();
    setup.observer.save_data_from_ui(setup.tables.map());
    EXPECT_EQ(setup.drawing.m_gz_data.m_Steel_P0.m_bars.size(), bars - 1);

    const std::vector<DS_CSH_LB_Data>& rows = setup.drawing.m_csh_data;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].m_Type, "桥台");
    EXPECT_EQ(rows[0].m_strType, "C型");
    EXPECT_EQ(rows[0].m_strQF, "主线");
    EXPECT_EQ(rows[1].m_iNum, 2);
    EXPECT_EQ(rows[1].m_iCount, 4);
    EXPECT_EQ(rows[1].m_strH, "200,260");
    const DS_CSH_LB_Data constructed;
    for (const DS_CSH_LB_Data& row : rows) {
        EXPECT_EQ(row.m_dAngle, 90.0);
        EXPECT_EQ(row.m_strPos, constructed.m_strPos);
        EXPECT_TRUE(row.m_custom_note_items.empty());
        EXPECT_TRUE(row.m_Steel_P0.same_bars(constructed.m_Steel_P0));
    }
    EXPECT_EQ(setup.drawing.m_csh_name.m_strH, "h2");
    EXPECT_EQ(setup.drawing.m_gz_data.m_drawSet.m_strMergeNum, "台");
    EXPECT_TRUE(list.IsUserModifyData());

    // A kept angle stays as entered.
    list.user_set_prop(0, "m_dAngle", CVQVariant(45.0));
    setup.observer.save_data_from_ui(setup.tables.map());
    EXPECT_EQ(setup.drawing.m_csh_data[0].m_dAngle, 45.0);
}

}  // namespace
