// Merge of single pedestal drawings into a new parametric drawing.
#include "methods/ds_ui_merge_method_base.h"

#include <memory>

#include "data/ds_ui_csh_data.h"
#include "methods/ds_csh_row_builder.h"
#include "methods/ds_merge_check.h"

namespace VQDraw_DS_UINA {

IMPLEMENT_DYNCREATE(DS_ui_merge_method_base, data_mfc_object_can_copy_base)

// The new drawing starts from its constructor, not from the defaults: every
// row it has comes from the merged drawings.
method_result DS_ui_merge_method_base::merge_drawing_graph(parameters_graph_data_base*& merged,
                                                           const std::vector<CString>& graphs)
{
    if (graphs.empty()) return {false, CString()};
    merged = nullptr;
    auto drawing = std::make_unique<DS_ui_CSH_data>();
    ds_append_rows_from_single_graphs(*drawing, graphs);
    if (drawing->m_csh_data.empty()) return {false, "图纸集合为空"};

    drawing->m_is_merge = true;
    drawing->set_node_name("[参数化] 垫石");
    const CString name = drawing->get_node_name();
    merged = drawing.release();  // the host owns it from here
    return {true, name};
}

bool DS_ui_merge_method_base::is_all_single_graph_can_merge(const std::vector<CString>& graphs,
                                                            std::vector<CString>& messages) const
{
    return ds_check_single_graphs_can_merge(graphs, messages);
}

}  // namespace VQDraw_DS_UINA
