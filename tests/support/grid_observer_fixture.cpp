// Test scaffolding of the pedestal grid observers.
#include "support/grid_observer_fixture.h"

#include <stdexcept>

#include "host/grid/table_templates.h"
#include "host/rebar/steel_grid_tools.h"

namespace ds_test {

CVQDataBase& grid_tables::add(const CString& name)
{
    // Built directly, so a test that reset the template store cannot take the rebar sample away.
    CVQDataBase* table = name == "垫石_钢筋表"
                             ? steel_grid_tools::create_steel_grid(name, "", "", "", "", "", false, false)
                             : table_templates::create_data_base(name);
    if (!table) throw std::runtime_error("no template for a grid observer test table");
    m_owned[name].reset(table);
    m_map[name] = table;
    return *table;
}

void grid_tables::mark_all_user_modified()
{
    for (auto& [name, table] : m_owned) table->SetUserModify(1);
}

bool grid_tables::any_user_modified() const
{
    for (const auto& [name, table] : m_owned) {
        if (table->IsUserModifyData()) return true;
    }
    return false;
}

}  // namespace ds_test
