// DS_ui_CSH_data: the graph data node of one parametric (list) pedestal drawing.
#pragma once

#include "host/framework/parameters_graph_data_base.h"

namespace VQDraw_DS_UINA {

class DS_ui_CSH_data : public xbjg_parameters_graph_data_base {
    DECLARE_DYNCREATE(DS_ui_CSH_data)
public:
    DS_ui_CSH_data();
    DS_ui_CSH_data(const DS_ui_CSH_data& other);
    DS_ui_CSH_data& operator=(const DS_ui_CSH_data& other);
    ~DS_ui_CSH_data() override;
};

}  // namespace VQDraw_DS_UINA
