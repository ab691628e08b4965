// DS_ui_CSH_drawing_strategy: spreadsheet exchange of a parametric pedestal drawing.
#include "drawing/ds_ui_csh_drawing_strategy.h"

#include <cstdlib>
#include <utility>

#include "data/ds_ui_csh_data.h"
#include "drawing/ds_excel_blocks.h"
#include "drawing/ds_ui_drawing_strategy.h"
#include "host/framework/string_tools.h"

namespace VQDraw_DS_UINA {

namespace {

constexpr const char* kNameCaption = "高度名称";

/// Cell `index` of `cells` into `value`, when the row has that cell.
void take_cell(const std::vector<CString>& cells, std::size_t index, CString& value)
{
    if (index < cells.size()) value = cells[index];
}

void take_cell(const std::vector<CString>& cells, std::size_t index, int& value)
{
    if (index < cells.size()) value = std::atoi(cells[index].GetString());
}

DS_CSH_LB_Data list_row_from(const std::vector<CString>& cells)
{
    DS_CSH_LB_Data row;
    take_cell(cells, 0, row.m_strQF);
    take_cell(cells, 1, row.m_iNum);
    take_cell(cells, 2, row.m_iCount);
    take_cell(cells, 3, row.m_strH);
    return row;
}

}  // namespace

void DS_ui_CSH_drawing_strategy::set_excel_exchange_p0(excel_table& table)
{
    table.clear();
    const auto* graph = dynamic_cast<const DS_ui_CSH_data*>(get_graph_data());
    if (!graph) return;
    DS_ui_drawing_strategy::set_excel_exchange_p0_about_gen(table, graph->m_gz_data.m_gz);
    DS_ui_drawing_strategy::set_excel_exchange_p0_about_drawSet(table, graph->m_gz_data.m_drawSet);
    set_excel_exchange_p0_about_cshname(table, graph->m_csh_name);
    set_excel_exchange_p0_about_csh(table, graph->m_csh_data);
}

void DS_ui_CSH_drawing_strategy::get_excel_exchange_p0(const excel_table& table)
{
    if (table.empty()) return;
    auto* graph = dynamic_cast<DS_ui_CSH_data*>(get_graph_data());
    if (!graph) return;
    unsigned int row = 0;  // no header row before the construction block
    DS_ui_drawing_strategy::get_excel_exchange_p0_about_gen(table, graph->m_gz_data.m_gz, row);
    DS_ui_drawing_strategy::get_excel_exchange_p0_about_drawSet(table, graph->m_gz_data.m_drawSet, row);
    const unsigned int name_row = row;
    get_excel_exchange_p0_about_cshname(table, graph->m_csh_name, row);
    // A short row stops the import where it stands; only a table read through
    // to the list name goes on to the list. (A short row earlier also stops
    // the cursor, so the name is then not taken either.)
    if (row == name_row) return;
    get_excel_exchange_p0_about_csh(table, graph->m_csh_data, row);
}

void DS_ui_CSH_drawing_strategy::set_excel_exchange_p0_about_cshname(excel_table& table, const DS_CSH_Name& name)
{
    ds_excel::append_row(table, kNameCaption, name.m_strH);
}

void DS_ui_CSH_drawing_strategy::set_excel_exchange_p0_about_csh(excel_table& table,
                                                                 const std::vector<DS_CSH_LB_Data>& rows)
{
    table.reserve(table.size() + 1 + rows.size());
    table.push_back({"桥幅", "墩台号", "个数", "高度(mm)"});
    for (const DS_CSH_LB_Data& row : rows)
        table.push_back({row.m_strQF, string_tools::num_to_string(row.m_iNum), string_tools::num_to_string(row.m_iCount),
                         row.m_strH});
}

void DS_ui_CSH_drawing_strategy::get_excel_exchange_p0_about_cshname(const excel_table& table, DS_CSH_Name& name,
                                                                     unsigned int& row)
{
    ds_excel::take_next_field(table, row, name.m_strH);
}

void DS_ui_CSH_drawing_strategy::get_excel_exchange_p0_about_csh(const excel_table& table,
                                                                 std::vector<DS_CSH_LB_Data>& rows, unsigned int& row)
{
    if (row >= table.size()) return;  // no list header: the list stays as it is
    ++row;                             // the header, whatever it holds
    std::vector<DS_CSH_LB_Data> read;
    read.reserve(table.size() - row);
    for (; row < table.size(); ++row) read.push_back(list_row_from(table[row]));
    rows = std::move(read);
}

}  // namespace VQDraw_DS_UINA
