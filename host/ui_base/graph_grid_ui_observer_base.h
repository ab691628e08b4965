// Grid observers: the objects through which the host's grid tables show and
// edit one drawing. The host names the observed node by its tag.
#pragma once

#include <map>
#include <utility>
#include <vector>

#include "host/afx/cobject.h"

class CVQDataBase;
struct NM_VQGRID;
class data_node_base;

/// Template name and the names of the tables built from it.
using table_template_list = std::vector<std::pair<CString, std::vector<CString>>>;
/// Tables by table name, as the host hands them to an observer.
using table_map = std::map<CString, CVQDataBase*>;

class graph_grid_ui_observer_base : public CObject {
    DECLARE_DYNAMIC(graph_grid_ui_observer_base)
public:
    virtual void get_table_template_names(table_template_list& templates) const;
    virtual void save_data_from_ui(table_map& tables);
    virtual void load_data_to_ui(table_map& tables);
    virtual void cell_button_be_clicked(CVQDataBase* table, NM_VQGRID* notify);
    virtual void cell_value_changed(CVQDataBase* table, NM_VQGRID* notify);
    virtual void on_cell_focus_changed(CVQDataBase* table, NM_VQGRID* notify);
    virtual bool is_table_visible(const CString& table_name) const;
    /// The node that the observed drawing refers to has changed.
    virtual void external_reference_changed(data_node_base* node);

    /// Tag of the observed node in the data centre.
    const CString& get_data_node_tag() const { return m_data_node_tag; }
    void set_data_node_tag(const CString& tag) { m_data_node_tag = tag; }

private:
    CString m_data_node_tag;
};

class drawing_graph_grid_ui_observer_base : public graph_grid_ui_observer_base {
    DECLARE_DYNAMIC(drawing_graph_grid_ui_observer_base)
public:
    virtual void common_to_advance_graph();
    virtual void advance_to_common_graph();
};

class parameters_graph_grid_ui_observer_base : public graph_grid_ui_observer_base {
    DECLARE_DYNAMIC(parameters_graph_grid_ui_observer_base)
public:
    virtual void graph_item_convert_to_parameter_graph();
    virtual void parameter_graph_dismantle_to_graph_item();
};

/// Notifications of project data changes.
class data_node_notify_interface {
public:
    virtual ~data_node_notify_interface() = default;
    virtual void on_project_data_notify(int kind, data_node_base* node);
    virtual void on_project_data_notify_directly(int kind, data_node_base* node);
};

/// Graphic observers: the picture view of a drawing.
class graph_graphic_ui_observer_base : public CObject {
    DECLARE_DYNAMIC(graph_graphic_ui_observer_base)
public:
    virtual void save_data_from_ui();
    virtual void load_data_to_ui();
};
