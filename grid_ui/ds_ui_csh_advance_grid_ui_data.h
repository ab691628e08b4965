// DS_ui_CSH_advance_grid_ui_data: grid observer of a parametric pedestal drawing.
//
// Four tables: "DS_CSH_Drawset" (the kind of support the list serves and the
// shared drawing settings), "垫石_钢筋表" (the rebar of the whole drawing),
// "垫石-参数化列表名称" (the height column's name) and "垫石-参数化列表" (one
// data row per list row). Unlike the single-drawing observers, a table is
// read back only when the user changed it, and the user-modified marks are
// left for the host to clear.
//
// A table that the map lacks is treated as a null table (skipped).
#pragma once

#include "host/ui_base/graph_grid_ui_observer_base.h"

namespace VQDraw_DS_UINA {

class DS_ui_CSH_advance_grid_ui_data : public parameters_graph_grid_ui_observer_base, public data_node_notify_interface {
    DECLARE_DYNCREATE(DS_ui_CSH_advance_grid_ui_data)
public:
    DS_ui_CSH_advance_grid_ui_data() = default;
    ~DS_ui_CSH_advance_grid_ui_data() override = default;

    /// Appends (without clearing the list) "列表参数" {"垫石-参数化列表"},
    /// "参数化设置" {"垫石-参数化列表名称"}, "绘图设置" {"DS_CSH_Drawset"} and
    /// "钢筋表" {"垫石_钢筋表"}.
    void get_table_template_names(table_template_list& templates) const override;

    /// Reads back the tables the user changed: the support kind, the rebar,
    /// the height column's name, and the list, which is then rebuilt from the
    /// table's rows, each started from a newly constructed row (so position,
    /// custom notes and rebar, which have no column, take the constructed
    /// values) with a skew angle outside (0, 180) stored as 90. The shared
    /// drawing settings are read from "DS_CSH_Drawset" whether changed or not.
    /// An unchanged list table keeps the list exactly as it was. Nothing
    /// happens for an empty map or a node that is not a parametric drawing.
    void save_data_from_ui(table_map& tables) override;

    /// Writes the drawing into the four tables; the list table is rebuilt with
    /// one data row per list row, or one blank row for an empty list.
    /// Nothing happens for an empty map or a node that is not a parametric drawing.
    void load_data_to_ui(table_map& tables) override;

    /// Every cell button goes to the common drawing-settings handler.
    void cell_button_be_clicked(CVQDataBase* table, NM_VQGRID* notify) override;
};

}  // namespace VQDraw_DS_UINA
