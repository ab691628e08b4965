// Helpers shared by the pedestal grid observers.
//
// Every observer of the module finds its tables in the host's table map,
// finds its drawing through the data centre, stores skew angles by the same
// rule and hands the cell buttons to the common drawing-settings handler.
// Those rules live here once, so the observers cannot drift apart.
#pragma once

#include "host/framework/data_center.h"
#include "host/ui_base/graph_grid_ui_observer_base.h"

namespace VQDraw_DS_UINA {

/// The table named `name`, or null. The host puts every table an observer
/// names into the map, but a map without the name is treated exactly like a
/// null table: the table is skipped. The map is never changed (no empty entry
/// is added for the missing name).
CVQDataBase* ds_find_table(const table_map& tables, const CString& name);

/// Clears the user-modified mark of every table in the map; null tables are skipped.
void ds_clear_user_modify(const table_map& tables);

/// The skew angle a grid save stores: 0 or less, 180 or more (and a value
/// that is not a number) become a right angle, 90; anything else is kept.
double ds_grid_slope_to_store(double slope);

/// The cell-button body of the advanced and the parametric observers: the
/// table and the notification go unchanged to the common drawing-settings
/// handler (common_gj_drawset_grid_ui_data::button_be_clicked), nothing else.
void ds_grid_cell_button_be_clicked(CVQDataBase* table, NM_VQGRID* notify);

/// The drawing an observer shows: the node of the data centre under the
/// observer's tag, when it is a `Node`; null otherwise. Looked up anew on each
/// call, since the module keeps no pointer to a host node between calls.
template <class Node>
Node* ds_observed_node(const graph_grid_ui_observer_base& observer)
{
    return dynamic_cast<Node*>(data_center::get_data_node(observer.get_data_node_tag()));
}

}  // namespace VQDraw_DS_UINA
