// Rendering of grid tables as text.
#include "host/grid/grid_table_text.h"

#include "host/grid/cvq_data_base.h"

namespace {

CString cell_text(const CVQVariant* cell)
{
    if (!cell || cell->is_empty()) return CString("<空>");
    return cell->text();
}

CString join(const std::vector<CString>& items, const char* separator)
{
    CString text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += separator;
        text += items[i];
    }
    return text;
}

CString title_line(const CVQDataBase& table)
{
    CString line;
    if (table.is_list()) {
        line.Format("表格 %s (列表, 表头 %d 行, 数据 %d 行)", table.get_table_name().GetString(),
                    table.GetFixedRowCount(), table.GetNumberRows());
    } else {
        line = "表格 " + table.get_table_name() + " (属性表)";
    }
    if (table.IsUserModifyData()) line += " [用户已修改]";
    return line + "\n";
}

CString choice_suffix(const CVQDataBase& table, const CString& key)
{
    const CString list = table.get_choice_list(key);
    return list.IsEmpty() ? CString() : "  [选项 " + list + "]";
}

CString property_lines(const CVQDataBase& table)
{
    CString text;
    for (const CString& key : table.get_keys())
        text += "  " + key + "  " + table.get_caption(key) + " = " + cell_text(table.get_prop_cell(key)) +
                choice_suffix(table, key) + "\n";
    return text;
}

CString list_lines(const CVQDataBase& table)
{
    std::vector<CString> headings;
    for (const CString& key : table.get_keys()) headings.push_back(key + " " + table.get_caption(key) + choice_suffix(table, key));
    CString text = "  列: " + join(headings, " | ") + "\n";
    for (int row = 0; row < table.GetNumberRows(); ++row) {
        std::vector<CString> cells;
        for (const CString& key : table.get_keys()) cells.push_back(cell_text(table.get_prop_cell(row, key)));
        CString number;
        number.Format("  第%d行: ", row + 1);
        text += number + join(cells, " | ") + "\n";
    }
    return text;
}

}  // namespace

namespace grid_table_text {

CString render(const CVQDataBase& table)
{
    CString text = title_line(table);
    if (!table.get_sections().empty()) text += "  分节: " + join(table.get_sections(), ", ") + "\n";
    text += table.is_list() ? list_lines(table) : property_lines(table);
    for (const auto& [name, choices] : table.get_env_variables())
        text += "  选项 " + name + ": " + join(choices, ", ") + "\n";
    return text;
}

}  // namespace grid_table_text
