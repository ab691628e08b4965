// data_node_base: root of the host's data nodes. A node has a tag (its key in
// the data centre) and a name (shown to the user), and serializes itself.
#pragma once

#include <map>
#include <vector>

#include "host/afx/cobject.h"
#include "host/framework/serialize_interface.h"

class data_node_base : public CObject, public serialize_interface {
    DECLARE_DYNAMIC(data_node_base)
public:
    data_node_base() = default;
    data_node_base(const data_node_base&) = default;
    data_node_base& operator=(const data_node_base&) = default;
    ~data_node_base() override = default;

    /// Children of a node; the pedestal nodes have none.
    virtual void serialize_children(member_rw_interface& stream);
    virtual void set_default_value();
    /// Copies the node's own state from `source`; `copy_tag` also takes its tag.
    virtual void copy(const data_node_base& source, bool copy_tag);
    /// Same class and same name.
    virtual bool is_equal(const data_node_base* other) const;
    /// Named properties of the node; a plain node has none.
    virtual bool query_property_value(const CString& name, CString& value) const;
    virtual bool invoke_property_value(const CString& name, const CString& value);
    /// 0: the host recycles the node when its children have nothing to do.
    virtual int recycle_node_when_children_nothing_to_do_type() const;
    virtual bool get_custom_prop(std::map<CString, CString>& props) const;
    virtual bool get_experience_design_custom_data(std::map<CString, CString>& data) const;

    void serialize_members(member_rw_interface& stream) override;

    const CString& get_node_tag() const { return m_node_tag; }
    void set_node_tag(const CString& tag) { m_node_tag = tag; }
    const CString& get_node_name() const { return m_node_name; }
    void set_node_name(const CString& name) { m_node_name = name; }

private:
    CString m_node_tag;
    CString m_node_name;
};
