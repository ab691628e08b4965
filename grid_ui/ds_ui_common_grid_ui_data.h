// DS_ui_common_grid_ui_data: grid observer of a single pedestal drawing in the common grid mode.
//
// One property table, "垫石-总体属性", in which the engineer either types the
// pedestal's dimensions (input mode "自定义") or names a pier or abutment
// drawing and a pedestal on it, from which the dimensions are taken. Any input
// mode other than "自定义" is a reference mode. The observer publishes the
// drop-down lists of the reference cells ("Exist_Graph_Names", "DS_Num") and
// re-reads the referenced drawing when the host reports that it changed.
//
// A table that the map lacks is treated as a null table (skipped).
#pragma once

#include <map>

#include "host/ui_base/graph_grid_ui_observer_base.h"

class xbjg_graph_data_base;

namespace VQDraw_DS_UINA {

class DS_ui_data;

class DS_ui_common_grid_ui_data : public drawing_graph_grid_ui_observer_base, public data_node_notify_interface {
    DECLARE_DYNCREATE(DS_ui_common_grid_ui_data)
public:
    DS_ui_common_grid_ui_data() = default;
    ~DS_ui_common_grid_ui_data() override = default;

    /// Clears `templates`, then names the one template "总体属性" with the table "垫石-总体属性".
    void get_table_template_names(table_template_list& templates) const override;

    /// Reads the input mode, reference name and pedestal number; in custom mode
    /// also the dimensions (a skew angle outside (0, 180) is stored as 90); in a
    /// reference mode copies the dimensions from the referenced drawing instead.
    /// Then clears the user-modified mark of every table.
    /// A reference name that is not a key of the reference map (a drawing
    /// renamed or removed since the list was offered) has no tag: the save
    /// then leaves the drawing's reference tag and dimensions as they were.
    void save_data_from_ui(table_map& tables) override;

    /// Writes the drawing into the table (publishing the reference list first
    /// in a reference mode), then clears the user-modified mark of every table.
    /// An empty map does nothing at all.
    void load_data_to_ui(table_map& tables) override;

    /// In a reference mode, refreshes the list of the focused reference cell:
    /// "Exist_Graph_Names" for m_Ref_path, "DS_Num" ("1" to the number of
    /// pedestals of the chosen drawing) for m_Num. Custom mode publishes nothing.
    /// For m_Num, a drawing name that is not a key of the reference map, like a
    /// tag whose drawing has gone, offers the single number "1".
    void on_cell_focus_changed(CVQDataBase* table, NM_VQGRID* notify) override;

    /// The referenced pier or abutment changed: copies its pedestal data again,
    /// whatever the input mode.
    void external_reference_changed(data_node_base* node) override;

private:
    /// Publishes the referable pier and abutment drawings as "Exist_Graph_Names"
    /// and lets the host refill m_ref_graph_paths. A null table is ignored.
    void set_refrence_envariable(CVQDataBase* table);
    /// Copies size, height, count and the shared drawing settings of the
    /// pedestal chosen by ref_DS_Num from the referenced drawing. The number's
    /// leading digits are read (text without any counts as 0) and the choice is
    /// kept inside the list: 0 or less takes the first pedestal, past the end
    /// the last. Null data or reference, or a drawing without pedestals, change nothing.
    static void save_reference_data(DS_ui_data* data, const xbjg_graph_data_base* ref);

    void load_table(CVQDataBase* table, const DS_ui_data& data);
    void save_table(CVQDataBase* table, DS_ui_data& data) const;
    /// Tag of a referable drawing by the name offered in the reference cell; null when unknown.
    const CString* find_reference_tag(const CString& name) const;

    /// Name of each referable drawing, as offered in the reference cell, to its node tag.
    std::map<CString, CString> m_ref_graph_paths;
};

}  // namespace VQDraw_DS_UINA
