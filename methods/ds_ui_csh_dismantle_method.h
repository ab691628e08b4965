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
};

}  // namespace VQDraw_DS_UINA
