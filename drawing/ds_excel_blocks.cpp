// The cell rules of the pedestal spreadsheet exchange.
#include "drawing/ds_excel_blocks.h"

#include <cstdlib>

#include "host/framework/string_tools.h"

namespace VQDraw_DS_UINA::ds_excel {

namespace {

// The one cursor rule: the value cell of the row at the cursor, or null.
const CString* next_value_cell(const excel_table& table, unsigned int row)
{
    if (row >= table.size() || table[row].size() < 2) return nullptr;
    return &table[row][1];
}

template <class T, class Convert>
bool take(const excel_table& table, unsigned int& row, T& value, Convert convert)
{
    const CString* cell = next_value_cell(table, row);
    if (!cell) return false;
    value = convert(*cell);
    ++row;
    return true;
}

}  // namespace

bool take_next_field(const excel_table& table, unsigned int& row, CString& value)
{
    return take(table, row, value, [](const CString& cell) { return cell; });
}

bool take_next_field(const excel_table& table, unsigned int& row, int& value)
{
    return take(table, row, value, [](const CString& cell) { return std::atoi(cell.GetString()); });
}

bool take_next_field(const excel_table& table, unsigned int& row, double& value)
{
    return take(table, row, value, [](const CString& cell) { return std::atof(cell.GetString()); });
}

void append_row(excel_table& table, const CString& caption, const CString& value)
{
    table.push_back({caption, value});
}

void append_row(excel_table& table, const CString& caption, int value)
{
    append_row(table, caption, string_tools::num_to_string(value));
}

void append_row(excel_table& table, const CString& caption, double value)
{
    append_row(table, caption, string_tools::num_to_string(value, 1, false));
}

}  // namespace VQDraw_DS_UINA::ds_excel
