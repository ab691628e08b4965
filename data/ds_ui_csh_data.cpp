#include "data/ds_ui_csh_data.h"

namespace VQDraw_DS_UINA {

IMPLEMENT_DYNCREATE(DS_ui_CSH_data, xbjg_parameters_graph_data_base)

DS_ui_CSH_data::DS_ui_CSH_data() = default;
DS_ui_CSH_data::DS_ui_CSH_data(const DS_ui_CSH_data& other) = default;
DS_ui_CSH_data& DS_ui_CSH_data::operator=(const DS_ui_CSH_data& other) = default;
DS_ui_CSH_data::~DS_ui_CSH_data() = default;

}  // namespace VQDraw_DS_UINA
