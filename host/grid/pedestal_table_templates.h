// The host's built-in sample tables of the pedestal drawing type: the property
// and list tables its grid observers fill. The rebar table "垫石_钢筋表" is not
// among them; the pedestal module registers it when it loads.
#pragma once

#include <memory>
#include <vector>

#include "host/grid/cvq_data_base.h"

namespace pedestal_table_templates {

/// Choice list of the input-mode cell of "垫石-总体属性", published on that table.
inline const char* const input_mode_choices_name = "DS_GetType";

/// Fresh samples, each named after its template.
std::vector<std::unique_ptr<CVQDataBase>> build_all();

}  // namespace pedestal_table_templates
