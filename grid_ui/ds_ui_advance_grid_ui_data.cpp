// Advanced grid observer of a single pedestal drawing: construction record,
// drawing settings, shared settings and rebar, each in a table of its own.
#include "grid_ui/ds_ui_advance_grid_ui_data.h"

#include "data/ds_ui_data.h"
#include "grid_ui/ds_grid_helpers.h"
#include "host/grid/cvq_data_base.h"
#include "host/rebar/steel_grid_tools.h"
#include "host/substructure/common_gj_drawset_grid_ui_data.h"

namespace VQDraw_DS_UINA {

IMPLEMENT_DYNCREATE(DS_ui_advance_grid_ui_data, drawing_graph_grid_ui_observer_base)

namespace {
constexpr const char* construction_table_name = "垫石-构造属性";
constexpr const char* drawing_settings_table_name = "垫石-绘图设置";
constexpr const char* rebar_table_name = "垫石_钢筋表";

CString common_settings_table_name() { return common_gj_drawset_grid_ui_data::get_table_name(false); }

/// Type choices of the common settings table. The host's answer depends only
/// on the drawing type, which is the same for every drawing this observer
/// shows, so it is asked once per process.
struct type_choice_cache {
    bool filled = false;
    std::vector<CString> types;
};

type_choice_cache& type_choices()
{
    static type_choice_cache cache;
    return cache;
}

const std::vector<CString>& type_choices_for(const DS_ui_data& data)
{
    type_choice_cache& cache = type_choices();
    if (!cache.filled) {
        cache.types = common_gj_drawset_grid_ui_data::get_envariable_types(data.get_graph_real_type_name());
        cache.filled = true;
    }
    return cache.types;
}

void load_common_settings(table_map& tables, const DS_ui_data& data)
{
    CVQDataBase* table = ds_find_table(tables, common_settings_table_name());
    const std::vector<CString>& types = type_choices_for(data);
    if (!table) return;
    common_gj_drawset_grid_ui_data::set_type_envariable(table, types);
    common_gj_drawset_grid_ui_data::load_data(table, data.m_draw_data.m_drawSet.com_drawset);
}
}  // namespace

const std::vector<CString>& DS_ui_advance_grid_ui_data::comp_type_choices()
{
    static const std::vector<CString> choices{"柱式墩", "盖梁柱式墩", "花瓶墩", "墙式墩", "桩柱台",
                                              "肋板台", "墙式台",     "座板台", "板凳台", "扶壁台"};
    return choices;
}

void DS_ui_advance_grid_ui_data::reset_type_choice_cache() { type_choices() = type_choice_cache(); }

void DS_ui_advance_grid_ui_data::get_table_template_names(table_template_list& templates) const
{
    templates.emplace_back("构造属性", std::vector<CString>{common_settings_table_name(), construction_table_name});
    templates.emplace_back("绘图设置", std::vector<CString>{drawing_settings_table_name});
    templates.emplace_back("钢筋表", std::vector<CString>{rebar_table_name});
}

void DS_ui_advance_grid_ui_data::load_data_to_ui(table_map& tables)
{
    if (tables.empty()) return;
    const DS_ui_data* data = ds_observed_node<DS_ui_data>(*this);
    if (!data) return;
    load_common_settings(tables, *data);
    load_data_to_ui_LKP0(tables, data->m_draw_data.m_gz);
    load_data_to_ui_drawSet(tables, data->m_draw_data.m_drawSet);
    load_data_to_ui_steel(tables, *data);
    ds_clear_user_modify(tables);
}

void DS_ui_advance_grid_ui_data::save_data_from_ui(table_map& tables)
{
    DS_ui_data* data = ds_observed_node<DS_ui_data>(*this);
    if (!data) return;
    // The drawing-settings table is saved after the common one, so that its
    // copy of a shared setting is the one kept.
    common_gj_drawset_grid_ui_data::save_data(ds_find_table(tables, common_settings_table_name()),
                                              data->m_draw_data.m_drawSet.com_drawset);
    save_data_from_ui_LKP0(tables, data->m_draw_data.m_gz);
    save_data_from_ui_drawSet(tables, data->m_draw_data.m_drawSet);
    save_data_from_ui_steel(tables, *data);
    ds_clear_user_modify(tables);
}

void DS_ui_advance_grid_ui_data::cell_button_be_clicked(CVQDataBase* table, NM_VQGRID* notify)
{
    ds_grid_cell_button_be_clicked(table, notify);
}

void DS_ui_advance_grid_ui_data::load_data_to_ui_LKP0(table_map& tables, const DS_GZ_Gen& gz)
{
    CVQDataBase* table = ds_find_table(tables, construction_table_name);
    if (!table) return;
    table->Set_Prop("m_dWidth", CVQVariant(gz.m_dWidth));
    table->Set_Prop("m_dLenth", CVQVariant(gz.m_dLenth));
    table->Set_Prop("m_dHeight", CVQVariant(gz.strHei, false));
    table->Set_Prop("m_slope", CVQVariant(gz.m_dSlope));
    table->Set_Prop("m_iCount", CVQVariant(gz.m_iCount));
}

void DS_ui_advance_grid_ui_data::save_data_from_ui_LKP0(table_map& tables, DS_GZ_Gen& gz)
{
    CVQDataBase* table = ds_find_table(tables, construction_table_name);
    if (!table) return;
    table->Get_Prop("m_dWidth", gz.m_dWidth);
    table->Get_Prop("m_dLenth", gz.m_dLenth);
    table->Get_Prop("m_dHeight", gz.strHei);
    table->Get_Prop("m_slope", gz.m_dSlope);
    gz.m_dSlope = ds_grid_slope_to_store(gz.m_dSlope);
    table->Get_Prop("m_iCount", gz.m_iCount);
}

void DS_ui_advance_grid_ui_data::load_data_to_ui_drawSet(table_map& tables, const DS_steel_DrawSet& drawSet)
{
    CVQDataBase* table = ds_find_table(tables, drawing_settings_table_name);
    if (!table) return;
    table->Set_Prop("m_DS_number", CVQVariant(drawSet.m_DS_number, false));
    table->SetEnvVariable("COMP_TYPE", comp_type_choices(), false);
    common_gj_drawset_grid_ui_data::load_data(table, drawSet.com_drawset);
}

void DS_ui_advance_grid_ui_data::save_data_from_ui_drawSet(table_map& tables, DS_steel_DrawSet& drawSet)
{
    CVQDataBase* table = ds_find_table(tables, drawing_settings_table_name);
    if (!table) return;
    table->Get_Prop("m_DS_number", drawSet.m_DS_number);
    common_gj_drawset_grid_ui_data::save_data(table, drawSet.com_drawset);
}

void DS_ui_advance_grid_ui_data::load_data_to_ui_steel(table_map& tables, const DS_ui_data& data)
{
    CVQDataBase* table = ds_find_table(tables, rebar_table_name);
    if (!table) return;
    steel_grid_tools::set_steel_data_to_grid(table, data.m_draw_data.m_Steel_P0);
}

void DS_ui_advance_grid_ui_data::save_data_from_ui_steel(table_map& tables, DS_ui_data& data)
{
    CVQDataBase* table = ds_find_table(tables, rebar_table_name);
    if (!table) return;
    steel_grid_tools::get_steel_data_from_grid(table, data.m_draw_data.m_Steel_P0, false, false);
}

}  // namespace VQDraw_DS_UINA
