// DS_ui_CSH_advance_grid_ui_data: grid observer of a parametric pedestal drawing.
#pragma once

#include "host/ui_base/graph_grid_ui_observer_base.h"

namespace VQDraw_DS_UINA {

class DS_ui_CSH_advance_grid_ui_data : public parameters_graph_grid_ui_observer_base, public data_node_notify_interface {
    DECLARE_DYNCREATE(DS_ui_CSH_advance_grid_ui_data)
public:
    DS_ui_CSH_advance_grid_ui_data() = default;
    ~DS_ui_CSH_advance_grid_ui_data() override = default;
};

}  // namespace VQDraw_DS_UINA
