#include "drawing/ds_ui_csh_drawing_strategy.h"

namespace VQDraw_DS_UINA {

IMPLEMENT_DYNCREATE(DS_ui_CSH_drawing_strategy, graph_drawing_strategy_base)

}  // namespace VQDraw_DS_UINA
