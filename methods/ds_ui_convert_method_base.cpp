// Conversion of single pedestal drawings into rows of an existing parametric drawing.
#include "methods/ds_ui_convert_method_base.h"

#include "data/ds_ui_csh_data.h"
#include "host/framework/data_center.h"
#include "methods/ds_csh_row_builder.h"
#include "methods/ds_merge_check.h"

namespace VQDraw_DS_UINA {

IMPLEMENT_DYNCREATE(DS_ui_convert_method_base, data_mfc_object_can_copy_base)

method_result DS_ui_convert_method_base::convert_drawing_graph(CString target, const std::vector<CString>& graphs)
{
    if (graphs.empty()) return {false, "需要合并的图纸为空！"};
    auto* drawing = dynamic_cast<DS_ui_CSH_data*>(data_center::get_data_node(target));
    if (!drawing) return {false, "指定的参数化图纸未实例化！"};
    ds_append_rows_from_single_graphs(*drawing, graphs);  // the existing rows stay
    return {true, CString()};
}

bool DS_ui_convert_method_base::is_all_single_graph_can_convert(const CString& target,
                                                                const std::vector<CString>& graphs,
                                                                std::vector<CString>& messages) const
{
    if (graphs.empty()) return true;
    const auto* drawing = dynamic_cast<const DS_ui_CSH_data*>(data_center::get_data_node(target));
    if (!drawing) return true;
    std::vector<CString> checked;
    checked.reserve(graphs.size() + 1);
    checked.push_back(drawing->m_gz_data.m_Steel_P0.get_node_tag());
    checked.insert(checked.end(), graphs.begin(), graphs.end());
    return ds_check_single_graphs_can_merge(checked, messages);
}

}  // namespace VQDraw_DS_UINA
