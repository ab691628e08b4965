// DS_ui_merge_method_base: merges single pedestal drawings into a new parametric drawing.
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
};

}  // namespace VQDraw_DS_UINA
