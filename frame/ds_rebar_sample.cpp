// Builds the pedestal rebar table from its sample tables and registers it with
// the host's table templates under the module's sample name.
#include "frame/ds_rebar_sample.h"

#include "host/grid/cvq_data_base.h"
#include "host/grid/table_templates.h"
#include "host/rebar/steel_grid_tools.h"

namespace VQDraw_DS_UINA {

void register_rebar_table_sample()
{
    CVQDataBase* table = steel_grid_tools::create_steel_grid("垫石钢筋-表头", "垫石钢筋-设计思想", "垫石钢筋-基本信息",
                                                             "垫石钢筋-布置信息", "", "", true, false);
    const CString name = kRebarSampleName;
    if (!name.IsEmpty() && table) table_templates::add_database_sample(name, table);
    else delete table;
}

}  // namespace VQDraw_DS_UINA
