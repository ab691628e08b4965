// parameters_graph_data_base and xbjg_parameters_graph_data_base: graph nodes
// of parametric (list) drawings that serve many structures with one drawing.
#pragma once

#include <vector>

#include "host/framework/drawing_graph_data_base.h"
#include "host/framework/substructure_part.h"

class parameters_graph_data_base : public graph_data_base {
    DECLARE_DYNAMIC(parameters_graph_data_base)
public:
    /// Splits the list into single drawings; the base has none to give.
    virtual bool split_csh_to_single_graph(std::vector<drawing_graph_data_base*>& graphs) const;
    /// Groups candidate structure nodes that one parametric drawing can serve.
    virtual std::vector<std::vector<data_node_base*>> set_merge_filter_datas(
        const CString& filter, const std::vector<data_node_base*>& nodes) const;
    virtual void set_reference_filter(const std::map<CString, CString>& filter);
    /// Rebuilds the list from referenced structure nodes.
    virtual void set_reference_datas(const std::vector<data_node_base*>& nodes);
    virtual bool Convert_OtherP0s_To_GZs();

    void copy(const data_node_base& source, bool copy_tag) override;
    void serialize_members(member_rw_interface& stream) override;

    const std::map<CString, CString>& get_reference_filter() const { return m_reference_filter; }

private:
    std::map<CString, CString> m_reference_filter;
};

class xbjg_parameters_graph_data_base : public parameters_graph_data_base {
    DECLARE_DYNAMIC(xbjg_parameters_graph_data_base)
public:
    virtual int Get_Type() const;
    virtual bool Get_Drawset(std::vector<substructure_part>& parts) const;
    virtual bool Get_GLs(std::vector<substructure_part>& parts) const;
    virtual bool Get_Piers(std::vector<pier_part>& parts) const;
    virtual bool Get_Piers(std::vector<cap_beam_pier_part>& parts) const;
    virtual bool Get_JCs(std::vector<substructure_part>& parts) const;

    /// Copies the base part only: a parametric drawing's own lists stay as they are.
    void copy(const data_node_base& source, bool copy_tag) override;
    void serialize_members(member_rw_interface& stream) override;
};
