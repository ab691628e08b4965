// DS_ui_data: the graph data node of one single pedestal drawing: where its
// geometry comes from (entered, or referenced from a pier or abutment) and
// the drawing record.
#pragma once

#include <map>
#include <vector>

#include "data/ds_draw_data.h"
#include "host/framework/xbjg_graph_data_base.h"

namespace VQDraw_DS_UINA {

class DS_ui_data : public xbjg_graph_data_base {
    DECLARE_DYNCREATE(DS_ui_data)
public:
    /// Input mode "自定义", nothing referenced, drawing record without defaults.
    DS_ui_data();
    DS_ui_data(const DS_ui_data& other);
    DS_ui_data& operator=(const DS_ui_data& other);
    ~DS_ui_data() override;

    void set_default_value() override;
    void copy(const data_node_base& source, bool copy_tag) override;
    bool compare_graph_data(const graph_data_base* other, std::vector<CString>& lines) const override;
    /// One pointer: the node's own rebar set, valid as long as the node lives.
    std::vector<const steel_data*> get_steel_data() const override;
    /// Selects pedestals of a referenced pier or abutment and takes their geometry.
    bool get_ref_structure_data(const drawing_graph_data_base* ref,
                                const std::map<CString, CString>& conditions) override;
    /// Abutment type names, then pier type names (fetched once per process).
    std::vector<CString> get_all_can_ref_gz_types() const override;
    /// Writes geometry and the reference conditions into the user grid row.
    void back_fill_steel_data_to_user_grid(std::map<CString, CString>& row) const override;
    void serialize_members(member_rw_interface& stream) override;

    CString ref_Type;             ///< input mode: "自定义" or a reference mode
    CString refrence_graph_name;  ///< drawing name of the referenced component
    CString ref_DS_Num;           ///< number of the referenced pedestal, as text
    DS_draw_data m_draw_data;
};

}  // namespace VQDraw_DS_UINA
