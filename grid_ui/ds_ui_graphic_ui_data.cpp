// Runtime class registration of the single drawing's graphic observer.
#include "grid_ui/ds_ui_graphic_ui_data.h"

namespace VQDraw_DS_UINA {

IMPLEMENT_DYNCREATE(DS_ui_graphic_ui_data, graph_graphic_ui_observer_base)

}  // namespace VQDraw_DS_UINA
