// Common grid observer of a single pedestal drawing: the overall table with
// its custom and reference input modes.
#include "grid_ui/ds_ui_common_grid_ui_data.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "data/ds_ui_data.h"
#include "grid_ui/ds_grid_helpers.h"
#include "host/framework/string_tools.h"
#include "host/grid/cvq_data_base.h"
#include "host/substructure/common_refrence_tools.h"
#include "host/substructure/ds_gz_data.h"

namespace VQDraw_DS_UINA {

IMPLEMENT_DYNCREATE(DS_ui_common_grid_ui_data, drawing_graph_grid_ui_observer_base)

namespace {
constexpr const char* overall_table_name = "垫石-总体属性";
constexpr const char* custom_mode = "自定义";

/// Index of the pedestal that a 1-based number text chooses among `count`
/// (count > 0). Leading digits are read as the host reads an integer text, so
/// text without digits counts as 0; the result is kept inside the list.
std::size_t pedestal_index(const CString& number_text, std::size_t count)
{
    const long long number = std::strtoll(number_text, nullptr, 10);
    if (number <= 1) return 0;
    return static_cast<std::size_t>(std::min<unsigned long long>(static_cast<unsigned long long>(number) - 1, count - 1));
}

std::vector<ds_gz_data> pedestals_of(const xbjg_graph_data_base& drawing)
{
    std::vector<ds_gz_data> pedestals;
    drawing.Get_DS(pedestals);
    return pedestals;
}

const xbjg_graph_data_base* structure_by_tag(const CString& tag)
{
    return dynamic_cast<const xbjg_graph_data_base*>(data_center::get_data_node(tag));
}
}  // namespace

void DS_ui_common_grid_ui_data::get_table_template_names(table_template_list& templates) const
{
    templates.clear();
    templates.emplace_back("总体属性", std::vector<CString>{overall_table_name});
}

void DS_ui_common_grid_ui_data::load_data_to_ui(table_map& tables)
{
    if (tables.empty()) return;
    const DS_ui_data* data = ds_observed_node<DS_ui_data>(*this);
    if (!data) return;
    load_table(ds_find_table(tables, overall_table_name), *data);
    ds_clear_user_modify(tables);
}

void DS_ui_common_grid_ui_data::save_data_from_ui(table_map& tables)
{
    DS_ui_data* data = ds_observed_node<DS_ui_data>(*this);
    if (!data) return;
    save_table(ds_find_table(tables, overall_table_name), *data);
    ds_clear_user_modify(tables);
}

void DS_ui_common_grid_ui_data::load_table(CVQDataBase* table, const DS_ui_data& data)
{
    if (!table) return;
    // The reference cell needs its choices before it shows a drawing name.
    if (data.ref_Type != custom_mode) set_refrence_envariable(table);

    const DS_GZ_Gen& gz = data.m_draw_data.m_gz;
    table->Set_Prop("m_GetType", CVQVariant(data.ref_Type, false));
    table->Set_Prop("m_Ref_path", CVQVariant(data.refrence_graph_name, false));
    table->Set_Prop("m_Num", CVQVariant(data.ref_DS_Num, false));
    table->Set_Prop("m_dWidth", CVQVariant(gz.m_dWidth));
    table->Set_Prop("m_dLenth", CVQVariant(gz.m_dLenth));
    table->Set_Prop("m_dHeight", CVQVariant(gz.strHei, false));
    table->Set_Prop("m_slope", CVQVariant(gz.m_dSlope));
    table->Set_Prop("m_DS_count", CVQVariant(gz.m_iCount));
}

void DS_ui_common_grid_ui_data::save_table(CVQDataBase* table, DS_ui_data& data) const
{
    if (!table) return;
    table->Get_Prop("m_GetType", data.ref_Type);
    table->Get_Prop("m_Ref_path", data.refrence_graph_name);
    table->Get_Prop("m_Num", data.ref_DS_Num);

    if (data.ref_Type == custom_mode) {
        DS_GZ_Gen& gz = data.m_draw_data.m_gz;
        table->Get_Prop("m_dWidth", gz.m_dWidth);
        table->Get_Prop("m_dLenth", gz.m_dLenth);
        table->Get_Prop("m_dHeight", gz.strHei);
        table->Get_Prop("m_slope", gz.m_dSlope);
        gz.m_dSlope = ds_grid_slope_to_store(gz.m_dSlope);
        table->Get_Prop("m_DS_count", gz.m_iCount);
        return;
    }

    // Reference mode: the dimension cells are not read, they come from the drawing referred to.
    if (m_ref_graph_paths.empty() || data.refrence_graph_name.IsEmpty()) return;
    const CString* tag = find_reference_tag(data.refrence_graph_name);
    if (!tag) return;
    data.set_external_reference_tag(*tag, false);
    save_reference_data(&data, structure_by_tag(*tag));
}

void DS_ui_common_grid_ui_data::on_cell_focus_changed(CVQDataBase* table, NM_VQGRID* notify)
{
    if (!table || !notify) return;
    CString mode;
    table->Get_Prop("m_GetType", mode);
    if (mode == custom_mode) return;

    const CString row_key = table->GetRowTag(notify);
    if (row_key == "m_Ref_path") {
        set_refrence_envariable(table);
        return;
    }
    if (row_key != "m_Num") return;

    CString name;
    table->Get_Prop("m_Ref_path", name);
    if (m_ref_graph_paths.empty() || name.IsEmpty()) return;

    std::size_t count = 1;
    const CString* tag = find_reference_tag(name);
    if (const xbjg_graph_data_base* structure = tag ? structure_by_tag(*tag) : nullptr) {
        count = pedestals_of(*structure).size();
    }
    std::vector<CString> numbers;
    for (std::size_t number = 1; number <= count; ++number) {
        numbers.push_back(string_tools::num_to_string(static_cast<unsigned int>(number)));
    }
    table->SetEnvVariable("DS_Num", numbers, false);
}

void DS_ui_common_grid_ui_data::external_reference_changed(data_node_base* node)
{
    const auto* structure = dynamic_cast<const xbjg_graph_data_base*>(node);
    if (!structure) return;
    save_reference_data(ds_observed_node<DS_ui_data>(*this), structure);
}

void DS_ui_common_grid_ui_data::set_refrence_envariable(CVQDataBase* table)
{
    if (!table) return;
    std::vector<CString> type_names = common_refrence_tools::Get_All_QT_Type_Names();
    const std::vector<CString> pier_types = common_refrence_tools::Get_All_QD_Type_Names();
    type_names.insert(type_names.end(), pier_types.begin(), pier_types.end());
    const std::vector<CString> drawings =
        common_refrence_tools::Get_All_Construct_Paper_Paths(type_names, m_ref_graph_paths);
    table->SetEnvVariable("Exist_Graph_Names", drawings, false);
}

void DS_ui_common_grid_ui_data::save_reference_data(DS_ui_data* data, const xbjg_graph_data_base* ref)
{
    if (!data || !ref) return;
    const std::vector<ds_gz_data> pedestals = pedestals_of(*ref);
    if (pedestals.empty()) return;

    const ds_gz_data& chosen = pedestals[pedestal_index(data->ref_DS_Num, pedestals.size())];
    DS_GZ_Gen& gz = data->m_draw_data.m_gz;
    gz.m_dWidth = chosen.m_dWidth;
    gz.m_dLenth = chosen.m_dLength;
    gz.strHei = string_tools::num_to_string(chosen.m_dHeight, 6, false);
    // Every pedestal of the support is drawn, not only the one whose size was taken.
    gz.m_iCount = static_cast<int>(pedestals.size());

    common_gj_data_drawset& drawset = data->m_draw_data.m_drawSet.com_drawset;
    ref->transform_to_common_drawset(drawset, "垫石");
    // Pedestal drawings are drawn at 1:10, whatever scale the support is drawn at.
    drawset.m_iScale = 10;
}

const CString* DS_ui_common_grid_ui_data::find_reference_tag(const CString& name) const
{
    const auto it = m_ref_graph_paths.find(name);
    return it == m_ref_graph_paths.end() ? nullptr : &it->second;
}

}  // namespace VQDraw_DS_UINA
