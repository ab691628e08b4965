// Grid observer of a parametric pedestal drawing: settings, rebar, height
// column name and the list, each in a table of its own.
#include "grid_ui/ds_ui_csh_advance_grid_ui_data.h"

#include <algorithm>

#include "data/ds_ui_csh_data.h"
#include "grid_ui/ds_grid_helpers.h"
#include "host/grid/cvq_data_base.h"
#include "host/rebar/steel_grid_tools.h"
#include "host/substructure/common_gj_drawset_grid_ui_data.h"

namespace VQDraw_DS_UINA {

IMPLEMENT_DYNCREATE(DS_ui_CSH_advance_grid_ui_data, parameters_graph_grid_ui_observer_base)

namespace {

constexpr const char* settings_table_name = "DS_CSH_Drawset";
constexpr const char* rebar_table_name = "垫石_钢筋表";
constexpr const char* name_table_name = "垫石-参数化列表名称";
constexpr const char* list_table_name = "垫石-参数化列表";

/// Calls fn(column key, field) for the list columns, in write order. One
/// list serves load and save, so the two cannot drift apart. `Row` is
/// DS_CSH_LB_Data or const DS_CSH_LB_Data.
template <class Row, class Fn>
void for_each_list_column(Row& row, Fn&& fn)
{
    fn("m_Type", row.m_Type);
    fn("m_strQF", row.m_strQF);
    fn("m_iN", row.m_iNum);
    fn("m_iCount", row.m_iCount);
    fn("m_type", row.m_strType);
    fn("m_strH", row.m_strH);
    fn("m_dWid", row.m_dWid);
    fn("m_dLen", row.m_dLen);
    fn("m_dAngle", row.m_dAngle);
}

CVQVariant cell_of(const CString& text) { return CVQVariant(text, false); }
CVQVariant cell_of(int value) { return CVQVariant(value); }
CVQVariant cell_of(double value) { return CVQVariant(value); }

/// The table named `name` when it is there and the user changed it, else null.
CVQDataBase* changed_table(const table_map& tables, const CString& name)
{
    CVQDataBase* table = ds_find_table(tables, name);
    return table && table->IsUserModifyData() ? table : nullptr;
}

void load_list(CVQDataBase& table, const std::vector<DS_CSH_LB_Data>& rows)
{
    const int header_rows = table.GetFixedRowCount();
    if (table.GetRowCount() > header_rows)
        table.RemoveRowsAt(header_rows, table.GetRowCount() - header_rows, CString(), CString());
    table.InsertRowPost(header_rows - 1, std::max<int>(1, static_cast<int>(rows.size())), CString(), CString());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int data_row = static_cast<int>(i);
        for_each_list_column(rows[i], [&](const char* key, const auto& field) {
            table.Set_Prop(data_row, key, cell_of(field));
        });
    }
}

std::vector<DS_CSH_LB_Data> save_list(const CVQDataBase& table)
{
    std::vector<DS_CSH_LB_Data> rows;
    const int count = table.GetNumberRows();
    rows.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int data_row = 0; data_row < count; ++data_row) {
        DS_CSH_LB_Data& row = rows.emplace_back();
        for_each_list_column(row, [&](const char* key, auto& field) { table.Get_Prop(data_row, key, field); });
        row.m_dAngle = ds_grid_slope_to_store(row.m_dAngle);
    }
    return rows;
}

}  // namespace

void DS_ui_CSH_advance_grid_ui_data::get_table_template_names(table_template_list& templates) const
{
    templates.emplace_back("列表参数", std::vector<CString>{list_table_name});
    templates.emplace_back("参数化设置", std::vector<CString>{name_table_name});
    templates.emplace_back("绘图设置", std::vector<CString>{settings_table_name});
    templates.emplace_back("钢筋表", std::vector<CString>{rebar_table_name});
}

void DS_ui_CSH_advance_grid_ui_data::load_data_to_ui(table_map& tables)
{
    if (tables.empty()) return;
    const DS_ui_CSH_data* data = ds_observed_node<DS_ui_CSH_data>(*this);
    if (!data) return;
    const DS_steel_DrawSet& drawSet = data->m_gz_data.m_drawSet;

    if (CVQDataBase* table = ds_find_table(tables, settings_table_name)) {
        table->Set_Prop("m_merge_name", cell_of(drawSet.m_strMergeNum));
        common_gj_drawset_grid_ui_data::load_data(table, drawSet.com_drawset);
    }
    if (CVQDataBase* table = ds_find_table(tables, rebar_table_name))
        steel_grid_tools::set_steel_data_to_grid(table, data->m_gz_data.m_Steel_P0);
    if (CVQDataBase* table = ds_find_table(tables, name_table_name))
        table->Set_Prop("m_H", cell_of(data->m_csh_name.m_strH));
    if (CVQDataBase* table = ds_find_table(tables, list_table_name)) load_list(*table, data->m_csh_data);
}

void DS_ui_CSH_advance_grid_ui_data::save_data_from_ui(table_map& tables)
{
    if (tables.empty()) return;
    DS_ui_CSH_data* data = ds_observed_node<DS_ui_CSH_data>(*this);
    if (!data) return;
    DS_steel_DrawSet& drawSet = data->m_gz_data.m_drawSet;

    if (CVQDataBase* table = changed_table(tables, settings_table_name)) table->Get_Prop("m_merge_name", drawSet.m_strMergeNum);
    // The shared settings are taken whether the user changed the table or not.
    common_gj_drawset_grid_ui_data::save_data(ds_find_table(tables, settings_table_name), drawSet.com_drawset);

    if (CVQDataBase* table = changed_table(tables, rebar_table_name))
        steel_grid_tools::get_steel_data_from_grid(table, data->m_gz_data.m_Steel_P0, false, false);
    if (CVQDataBase* table = changed_table(tables, name_table_name)) table->Get_Prop("m_H", data->m_csh_name.m_strH);
    if (const CVQDataBase* table = changed_table(tables, list_table_name)) data->m_csh_data = save_list(*table);
}

void DS_ui_CSH_advance_grid_ui_data::cell_button_be_clicked(CVQDataBase* table, NM_VQGRID* notify)
{
    ds_grid_cell_button_be_clicked(table, notify);
}

}  // namespace VQDraw_DS_UINA
