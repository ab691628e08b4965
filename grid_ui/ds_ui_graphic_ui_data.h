// DS_ui_graphic_ui_data: graphic observer of a single pedestal drawing; the host's picture view serves it unchanged.
#pragma once

#include "host/ui_base/graph_grid_ui_observer_base.h"

namespace VQDraw_DS_UINA {

class DS_ui_graphic_ui_data : public graph_graphic_ui_observer_base {
    DECLARE_DYNCREATE(DS_ui_graphic_ui_data)
public:
    DS_ui_graphic_ui_data() = default;
    ~DS_ui_graphic_ui_data() override = default;
};

}  // namespace VQDraw_DS_UINA
