#include "methods/ds_ui_csh_dismantle_method.h"

namespace VQDraw_DS_UINA {

IMPLEMENT_DYNCREATE(DS_ui_CSH_dismantle_method, data_mfc_object_can_copy_base)

}  // namespace VQDraw_DS_UINA
