#include "methods/ds_ui_merge_method_base.h"

namespace VQDraw_DS_UINA {

IMPLEMENT_DYNCREATE(DS_ui_merge_method_base, data_mfc_object_can_copy_base)

}  // namespace VQDraw_DS_UINA
