// Helpers shared by the pedestal grid observers.
#include "grid_ui/ds_grid_helpers.h"

#include "host/grid/cvq_data_base.h"
#include "host/substructure/common_gj_drawset_grid_ui_data.h"

namespace VQDraw_DS_UINA {

CVQDataBase* ds_find_table(const table_map& tables, const CString& name)
{
    const auto it = tables.find(name);
    return it == tables.end() ? nullptr : it->second;
}

void ds_clear_user_modify(const table_map& tables)
{
    for (const auto& [name, table] : tables) {
        if (table) table->SetUserModify(0);
    }
}

double ds_grid_slope_to_store(double slope)
{
    // Written as "inside the open interval" so that NaN also falls back to 90.
    return (slope > 0.0 && slope < 180.0) ? slope : 90.0;
}

void ds_grid_cell_button_be_clicked(CVQDataBase* table, NM_VQGRID* notify)
{
    common_gj_drawset_grid_ui_data::button_be_clicked(table, notify);
}

}  // namespace VQDraw_DS_UINA
