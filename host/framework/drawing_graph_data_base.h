// drawing_graph_data_base: a graph node that produces a drawing and can take
// data from other drawings through the host's reference facility.
#pragma once

#include <map>
#include <vector>

#include "host/framework/graph_data_base.h"

class steel_data;

class drawing_graph_data_base : public graph_data_base {
    DECLARE_DYNAMIC(drawing_graph_data_base)
public:
    virtual bool get_steel_data_from_gz(std::vector<const steel_data*>& steels) const;
    /// The rebar sets of the drawing; none for a drawing without rebar.
    virtual std::vector<const steel_data*> get_steel_data() const;
    virtual bool get_ref_parts_parameters(std::map<CString, CString>& params) const;
    /// Takes data from a referenced drawing under selection conditions; true when taken.
    virtual bool get_ref_structure_data(const drawing_graph_data_base* ref, const std::map<CString, CString>& conditions);
    /// The substructure type names this drawing can refer to.
    virtual std::vector<CString> get_all_can_ref_gz_types() const;
    /// Writes the drawing's data into the reference facility's user grid row.
    virtual void back_fill_steel_data_to_user_grid(std::map<CString, CString>& row) const;
    virtual void get_exp_comp_graph_output_paper_list(std::vector<CString>& papers) const;

    void copy(const data_node_base& source, bool copy_tag) override;
    void serialize_members(member_rw_interface& stream) override;

    /// Drawings marked for deletion are removed by the host when it sees fit.
    void set_delete_flag(bool flag) { m_delete_flag = flag; }
    bool get_delete_flag() const { return m_delete_flag; }

private:
    bool m_delete_flag = false;
};
