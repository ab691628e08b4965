// Test scaffolding of the pedestal grid observers: fresh tables from the host's
// templates gathered into the map an observer is handed.
#pragma once

#include <map>
#include <memory>

#include "host/grid/cvq_data_base.h"
#include "host/ui_base/graph_grid_ui_observer_base.h"
#include "support/grid_row.h"

namespace ds_test {

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
