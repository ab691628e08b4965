// DS_ui_convert_method_base: adds single pedestal drawings to an existing parametric drawing.
//
// The host checks the selection with is_all_single_graph_can_convert first
// and then calls convert_drawing_graph; the conversion itself does not check.
#pragma once

#include "host/ui_base/method_interfaces.h"

namespace VQDraw_DS_UINA {

class DS_ui_convert_method_base : public data_mfc_object_can_copy_base, public graph_merge_method_interface {
    DECLARE_DYNCREATE(DS_ui_convert_method_base)
public:
    DS_ui_convert_method_base() = default;
    DS_ui_convert_method_base(const DS_ui_convert_method_base& other) = default;
    DS_ui_convert_method_base& operator=(const DS_ui_convert_method_base& other) = default;
    ~DS_ui_convert_method_base() override = default;

    /// Appends the rows of every single drawing named in `graphs` to the
    /// parametric drawing `target` (data centre tags). (false,
    /// "需要合并的图纸为空！") for an empty list, (false, "指定的参数化图纸未实例化！")
    /// when `target` names no parametric pedestal drawing, else (true, "")
    /// even when no row was added.
    method_result convert_drawing_graph(CString target, const std::vector<CString>& graphs) override;
    /// True, messages untouched, for an empty list or a target that is no
    /// parametric pedestal drawing. Otherwise the shared check runs on the
    /// tag of the target's shared rebar set followed by `graphs`. That tag is
    /// empty unless someone gave the rebar set one, and a rebar set is not a
    /// drawing, so the lookup finds no single drawing: the check clears the
    /// messages and answers true.
    bool is_all_single_graph_can_convert(const CString& target, const std::vector<CString>& graphs,
                                         std::vector<CString>& messages) const override;
};

}  // namespace VQDraw_DS_UINA
