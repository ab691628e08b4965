#include "grid_ui/ds_ui_common_grid_ui_data.h"

namespace VQDraw_DS_UINA {

IMPLEMENT_DYNCREATE(DS_ui_common_grid_ui_data, drawing_graph_grid_ui_observer_base)

}  // namespace VQDraw_DS_UINA
