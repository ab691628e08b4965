// graph_data_base: a node that is a drawing ("graph") of the project.
#pragma once

#include "host/framework/data_node_base.h"

class graph_data_base : public data_node_base {
    DECLARE_DYNAMIC(graph_data_base)
public:
    /// Appends one line per difference to `lines`; true when equal. The base
    /// knows no members of its own and only asks for a node of the same class.
    virtual bool compare_graph_data(const graph_data_base* other, std::vector<CString>& lines) const;

    void copy(const data_node_base& source, bool copy_tag) override;
    void serialize_members(member_rw_interface& stream) override;

    /// Applies the user-defined default registered for this node's class
    /// (user_defaults.h); true when one was applied.
    bool set_custom_default_value();
    /// The drawing's real type name: its runtime class name.
    CString get_graph_real_type_name() const;
    /// Marks the node as referring to another node (by tag).
    void set_external_reference_tag(const CString& tag, bool notify);
    const CString& get_external_reference_tag() const { return m_external_reference_tag; }

private:
    CString m_external_reference_tag;
};
