// steel_grid_tools: building the rebar table and copying bar lines through it.
#include "host/rebar/steel_grid_tools.h"

namespace {

bool create_fails = false;
const CString no_undo_text;

bool is_blank_row(const CVQDataBase& table, int row)
{
    for (const CString& key : table.get_keys()) {
        const CVQVariant* cell = table.get_prop_cell(row, key);
        if (cell && !CString(cell->text()).Trim().IsEmpty()) return false;
    }
    return true;
}

steel_bar_row read_row(const CVQDataBase& table, int row)
{
    steel_bar_row bar;
    steel_bar_fields::for_each([&](const char* key, const char*, auto member) { table.Get_Prop(row, key, bar.*member); });
    return bar;
}

void write_row(CVQDataBase& table, int row, const steel_bar_row& bar)
{
    steel_bar_fields::for_each([&](const char* key, const char*, auto member) {
        table.Set_Prop(row, key, CVQVariant(bar.*member));
    });
}

}  // namespace

namespace steel_grid_tools {

CVQDataBase* create_steel_grid(const CString& header_name, const CString& design_name, const CString& basic_name,
                               const CString& layout_name, const CString& extra_name_1, const CString& extra_name_2,
                               bool with_default_bars, bool with_blank_row)
{
    if (create_fails) return nullptr;

    std::vector<CString> sections;
    for (const CString* name : {&header_name, &design_name, &basic_name, &layout_name, &extra_name_1, &extra_name_2})
        if (!name->IsEmpty()) sections.push_back(*name);

    auto* table = new CVQDataBase(grid_table_kind::list, sections.empty() ? CString("钢筋表") : sections.front());
    table->set_sections(sections);
    table->set_header_rows(1);
    steel_bar_fields::for_each([&](const char* key, const char* caption, auto) { table->add_column(key, caption); });

    steel_data bars;
    if (with_default_bars) bars.set_default_value();
    set_steel_data_to_grid(table, bars);
    if (with_blank_row) table->InsertRowPost(table->GetRowCount() - 1, 1, no_undo_text, no_undo_text);
    return table;
}

void set_steel_data_to_grid(CVQDataBase* table, const steel_data& data)
{
    if (!table) return;
    const int header_rows = table->GetFixedRowCount();
    table->RemoveRowsAt(header_rows, table->GetNumberRows(), no_undo_text, no_undo_text);
    table->InsertRowPost(header_rows - 1, static_cast<int>(data.m_bars.size()), no_undo_text, no_undo_text);
    for (std::size_t row = 0; row < data.m_bars.size(); ++row) write_row(*table, static_cast<int>(row), data.m_bars[row]);
}

bool get_steel_data_from_grid(CVQDataBase* table, steel_data& data, bool append, bool keep_blank_rows)
{
    if (!table || !table->has_key("m_mark")) return false;
    std::vector<steel_bar_row> bars;
    for (int row = 0; row < table->GetNumberRows(); ++row)
        if (keep_blank_rows || !is_blank_row(*table, row)) bars.push_back(read_row(*table, row));
    if (!append) data.m_bars.clear();
    data.m_bars.insert(data.m_bars.end(), bars.begin(), bars.end());
    return true;
}

void set_create_fails(bool fail)
{
    create_fails = fail;
}

}  // namespace steel_grid_tools
