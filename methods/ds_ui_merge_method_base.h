// DS_ui_merge_method_base: merges single pedestal drawings into a new parametric drawing.
//
// The host checks the selection with is_all_single_graph_can_merge first and
// then calls merge_drawing_graph; the merge itself does not check.
#pragma once

#include "host/ui_base/method_interfaces.h"

namespace VQDraw_DS_UINA {

class DS_ui_merge_method_base : public data_mfc_object_can_copy_base, public graph_merge_method_interface {
    DECLARE_DYNCREATE(DS_ui_merge_method_base)
public:
    DS_ui_merge_method_base() = default;
    DS_ui_merge_method_base(const DS_ui_merge_method_base& other) = default;
    DS_ui_merge_method_base& operator=(const DS_ui_merge_method_base& other) = default;
    ~DS_ui_merge_method_base() override = default;

    /// A new parametric drawing "[参数化] 垫石" with the rows of every single
    /// drawing named in `graphs` (data centre tags; other nodes are skipped),
    /// handed over in `merged`. (false, "") for an empty list, leaving
    /// `merged` as it was; (false, "图纸集合为空") with `merged` null when no
    /// row came of it; else (true, the new drawing's name).
    method_result merge_drawing_graph(parameters_graph_data_base*& merged, const std::vector<CString>& graphs) override;
    /// The shared check (ds_check_single_graphs_can_merge) on `graphs`.
    bool is_all_single_graph_can_merge(const std::vector<CString>& graphs,
                                       std::vector<CString>& messages) const override;
};

}  // namespace VQDraw_DS_UINA
