// DS_ui_CSH_drawing_strategy: drawing strategy of a parametric pedestal drawing.
#pragma once

#include "host/ui_base/graph_drawing_strategy_base.h"

namespace VQDraw_DS_UINA {

class DS_ui_CSH_drawing_strategy : public graph_drawing_strategy_base {
    DECLARE_DYNCREATE(DS_ui_CSH_drawing_strategy)
public:
    DS_ui_CSH_drawing_strategy() = default;
    ~DS_ui_CSH_drawing_strategy() override = default;
};

}  // namespace VQDraw_DS_UINA
