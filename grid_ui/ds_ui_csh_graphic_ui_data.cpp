// Runtime class registration of the parametric drawing's graphic observer.
#include "grid_ui/ds_ui_csh_graphic_ui_data.h"

namespace VQDraw_DS_UINA {

IMPLEMENT_DYNCREATE(DS_ui_CSH_graphic_ui_data, graph_graphic_ui_observer_base)

}  // namespace VQDraw_DS_UINA
