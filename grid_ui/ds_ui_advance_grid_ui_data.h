// DS_ui_advance_grid_ui_data: grid observer of a single pedestal drawing in the advanced grid mode.
//
// Four tables: the common settings table (common_gj_drawset_grid_ui_data's,
// the shared substructure drawing settings), "垫石-构造属性" (construction
// record), "垫石-绘图设置" (pedestal number and, again, the shared settings)
// and "垫石_钢筋表" (rebar). No reference cells: everything is edited directly.
//
// A table that the map lacks is treated as a null table (skipped); the map is
// never extended by a lookup.
#pragma once

#include <vector>

#include "host/ui_base/graph_grid_ui_observer_base.h"

namespace VQDraw_DS_UINA {

class DS_GZ_Gen;
class DS_steel_DrawSet;
class DS_ui_data;

class DS_ui_advance_grid_ui_data : public drawing_graph_grid_ui_observer_base, public data_node_notify_interface {
    DECLARE_DYNCREATE(DS_ui_advance_grid_ui_data)
public:
    DS_ui_advance_grid_ui_data() = default;
    ~DS_ui_advance_grid_ui_data() override = default;

    /// Appends (without clearing the list) "构造属性" {common settings table,
    /// "垫石-构造属性"}, "绘图设置" {"垫石-绘图设置"} and "钢筋表" {"垫石_钢筋表"}.
    void get_table_template_names(table_template_list& templates) const override;

    /// Reads all four tables back into the drawing, changed by the user or not,
    /// then clears every table's user-modified mark. Where the common settings
    /// table and "垫石-绘图设置" carry the same setting, "垫石-绘图设置" wins.
    void save_data_from_ui(table_map& tables) override;

    /// Writes the drawing into the four tables, then clears every table's
    /// user-modified mark. An empty map does nothing at all. The type choices
    /// of the common settings table are fetched from the host on the first
    /// load in the process and reused for every later load of any drawing.
    void load_data_to_ui(table_map& tables) override;

    /// Every cell button goes to the common drawing-settings handler.
    void cell_button_be_clicked(CVQDataBase* table, NM_VQGRID* notify) override;

    /// "垫石-构造属性" from the construction record.
    static void load_data_to_ui_LKP0(table_map& tables, const DS_GZ_Gen& gz);
    /// The construction record from "垫石-构造属性"; a skew angle outside (0, 180) becomes 90.
    static void save_data_from_ui_LKP0(table_map& tables, DS_GZ_Gen& gz);
    /// "垫石-绘图设置": pedestal number, the "COMP_TYPE" choices, the shared settings.
    static void load_data_to_ui_drawSet(table_map& tables, const DS_steel_DrawSet& drawSet);
    /// Pedestal number and shared settings from "垫石-绘图设置".
    static void save_data_from_ui_drawSet(table_map& tables, DS_steel_DrawSet& drawSet);

    /// "垫石_钢筋表" from the drawing's rebar set.
    void load_data_to_ui_steel(table_map& tables, const DS_ui_data& data);
    /// The drawing's rebar set from "垫石_钢筋表".
    void save_data_from_ui_steel(table_map& tables, DS_ui_data& data);

    /// The "COMP_TYPE" choices: four pier types, then six abutment types.
    static const std::vector<CString>& comp_type_choices();

    /// Test seam: forgets the cached type choices, so that the next load asks the host again.
    static void reset_type_choice_cache();
};

}  // namespace VQDraw_DS_UINA
