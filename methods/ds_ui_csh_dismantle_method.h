// DS_ui_CSH_dismantle_method: splits a parametric pedestal drawing into single drawings.
#pragma once

#include "host/ui_base/method_interfaces.h"

namespace VQDraw_DS_UINA {

class DS_ui_CSH_dismantle_method : public data_mfc_object_can_copy_base, public graph_dismantle_method_interface {
    DECLARE_DYNCREATE(DS_ui_CSH_dismantle_method)
public:
    DS_ui_CSH_dismantle_method() = default;
    DS_ui_CSH_dismantle_method(const DS_ui_CSH_dismantle_method& other) = default;
    DS_ui_CSH_dismantle_method& operator=(const DS_ui_CSH_dismantle_method& other) = default;
    ~DS_ui_CSH_dismantle_method() override = default;

    /// One new single drawing "[钢筋] 垫石" per row of the parametric drawing
    /// `param_graph` (a data centre tag), in row order, each marked for
    /// deletion and owned by the caller. `graphs` is cleared first (without
    /// deleting what it held). (false, "指定的参数化图纸未实例化！") with
    /// `graphs` untouched when the tag names no parametric pedestal drawing.
    method_result dismantle_param_graph(std::vector<drawing_graph_data_base*>& graphs, CString& param_graph) override;
};

}  // namespace VQDraw_DS_UINA
