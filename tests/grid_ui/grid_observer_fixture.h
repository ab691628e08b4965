// Test scaffolding of the pedestal grid observers: a drawing registered in the
// data centre for as long as a test needs it, and fresh tables from the host's
// templates gathered into the map an observer is handed.
#pragma once

#include <map>
#include <memory>

#include "data/ds_ui_data.h"
#include "host/grid/cvq_data_base.h"
#include "host/ui_base/graph_grid_ui_observer_base.h"
#include "support/grid_row.h"

namespace ds_test {

/// A single pedestal drawing with default data, registered under a fresh tag until destroyed.
class registered_pedestal_drawing {
public:
    registered_pedestal_drawing();
    ~registered_pedestal_drawing();
    registered_pedestal_drawing(const registered_pedestal_drawing&) = delete;
    registered_pedestal_drawing& operator=(const registered_pedestal_drawing&) = delete;

    VQDraw_DS_UINA::DS_ui_data* operator->() { return &m_node; }
    VQDraw_DS_UINA::DS_ui_data& operator*() { return m_node; }
    /// Points `observer` at this drawing.
    void observe_with(graph_grid_ui_observer_base& observer) const { observer.set_data_node_tag(m_node.get_node_tag()); }

private:
    VQDraw_DS_UINA::DS_ui_data m_node;
};

/// Tables by name, owned here; `map()` is what the host hands an observer.
class grid_tables {
public:
    /// A fresh copy of the template `name` ("垫石_钢筋表" is built by the rebar grid helpers).
    CVQDataBase& add(const CString& name);
    /// A map entry without a table.
    void add_null(const CString& name) { m_map[name] = nullptr; }
    CVQDataBase& operator[](const CString& name) { return *m_map.at(name); }
    table_map& map() { return m_map; }
    void mark_all_user_modified();
    bool any_user_modified() const;

private:
    std::map<CString, std::unique_ptr<CVQDataBase>> m_owned;
    table_map m_map;
};

}  // namespace ds_test
