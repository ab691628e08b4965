// Behaviour of the observer, strategy and method bases that a drawing type
// does not override: nothing to show, nothing to draw, operation refused.
#include "host/drawing_lib/rx_component.h"
#include "host/ui_base/graph_drawing_strategy_base.h"
#include "host/ui_base/graph_grid_ui_observer_base.h"
#include "host/ui_base/method_interfaces.h"

IMPLEMENT_HOST_DYNAMIC(graph_grid_ui_observer_base, CObject)
IMPLEMENT_HOST_DYNAMIC(drawing_graph_grid_ui_observer_base, graph_grid_ui_observer_base)
IMPLEMENT_HOST_DYNAMIC(parameters_graph_grid_ui_observer_base, graph_grid_ui_observer_base)
IMPLEMENT_HOST_DYNAMIC(graph_graphic_ui_observer_base, CObject)
IMPLEMENT_HOST_DYNAMIC(graph_drawing_strategy_base, CObject)
IMPLEMENT_HOST_DYNAMIC(data_mfc_object_can_copy_base, CObject)

void graph_grid_ui_observer_base::get_table_template_names(table_template_list&) const {}
void graph_grid_ui_observer_base::save_data_from_ui(table_map&) {}
void graph_grid_ui_observer_base::load_data_to_ui(table_map&) {}
void graph_grid_ui_observer_base::cell_button_be_clicked(CVQDataBase*, NM_VQGRID*) {}
void graph_grid_ui_observer_base::cell_value_changed(CVQDataBase*, NM_VQGRID*) {}
void graph_grid_ui_observer_base::on_cell_focus_changed(CVQDataBase*, NM_VQGRID*) {}
bool graph_grid_ui_observer_base::is_table_visible(const CString&) const { return true; }
void graph_grid_ui_observer_base::external_reference_changed(data_node_base*) {}

void drawing_graph_grid_ui_observer_base::common_to_advance_graph() {}
void drawing_graph_grid_ui_observer_base::advance_to_common_graph() {}
void parameters_graph_grid_ui_observer_base::graph_item_convert_to_parameter_graph() {}
void parameters_graph_grid_ui_observer_base::parameter_graph_dismantle_to_graph_item() {}

void data_node_notify_interface::on_project_data_notify(int, data_node_base*) {}
void data_node_notify_interface::on_project_data_notify_directly(int, data_node_base*) {}

void graph_graphic_ui_observer_base::save_data_from_ui() {}
void graph_graphic_ui_observer_base::load_data_to_ui() {}

bool graph_drawing_strategy_base::draw()
{
    const auto component = GetComponent();
    return component && component->Design() && component->Draw(CString());
}
std::shared_ptr<RXDSGNMOD::CRXComponent> graph_drawing_strategy_base::GetComponent() { return nullptr; }
void graph_drawing_strategy_base::set_excel_exchange_p0(excel_table& table) { table.clear(); }
void graph_drawing_strategy_base::get_excel_exchange_p0(const excel_table&) {}

method_result graph_merge_method_interface::merge_drawing_graph(parameters_graph_data_base*&, const std::vector<CString>&)
{
    return {false, CString()};
}
method_result graph_merge_method_interface::convert_drawing_graph(CString, const std::vector<CString>&)
{
    return {false, CString()};
}
bool graph_merge_method_interface::is_all_single_graph_can_merge(const std::vector<CString>&, std::vector<CString>&) const
{
    return false;
}
bool graph_merge_method_interface::is_all_single_graph_can_convert(const CString&, const std::vector<CString>&,
                                                                   std::vector<CString>&) const
{
    return false;
}
method_result graph_dismantle_method_interface::dismantle_param_graph(std::vector<drawing_graph_data_base*>&, CString&)
{
    return {false, CString()};
}
