// DS_ui_drawing_strategy: spreadsheet exchange of a single pedestal drawing.
#include "drawing/ds_ui_drawing_strategy.h"

#include "data/ds_ui_data.h"
#include "drawing/ds_excel_blocks.h"

namespace VQDraw_DS_UINA {

namespace {

// The rows before the two blocks: header, then the reference fields.
template <class Graph, class Fn>
void for_each_reference_field(Graph& graph, Fn&& fn)
{
    fn("引用构造路径", graph.refrence_graph_name);
    fn("垫石序号", graph.ref_DS_Num);
}

auto row_writer(excel_table& table)
{
    return [&table](const char* caption, const auto& value) { ds_excel::append_row(table, caption, value); };
}

auto row_reader(const excel_table& table, unsigned int& row)
{
    return [&table, &row](const char*, auto& value) { ds_excel::take_next_field(table, row, value); };
}

}  // namespace

void DS_ui_drawing_strategy::set_excel_exchange_p0(excel_table& table)
{
    table.clear();
    const auto* graph = dynamic_cast<const DS_ui_data*>(get_graph_data());
    if (!graph) return;
    table.push_back({"属性", "数据", "填写说明"});
    table.push_back({"输入方式", graph->ref_Type, "方式：外部引用; 外部导入; 自定义"});
    for_each_reference_field(*graph, row_writer(table));
    set_excel_exchange_p0_about_gen(table, graph->m_draw_data.m_gz);
    set_excel_exchange_p0_about_drawSet(table, graph->m_draw_data.m_drawSet);
}

void DS_ui_drawing_strategy::get_excel_exchange_p0(const excel_table& table)
{
    if (table.empty()) return;
    auto* graph = dynamic_cast<DS_ui_data*>(get_graph_data());
    if (!graph) return;
    unsigned int row = 1;  // row 0 is the header, whatever it holds
    ds_excel::take_next_field(table, row, graph->ref_Type);
    for_each_reference_field(*graph, row_reader(table, row));
    get_excel_exchange_p0_about_gen(table, graph->m_draw_data.m_gz, row);
    get_excel_exchange_p0_about_drawSet(table, graph->m_draw_data.m_drawSet, row);
}

void DS_ui_drawing_strategy::set_excel_exchange_p0_about_gen(excel_table& table, const DS_GZ_Gen& gz)
{
    ds_excel::for_each_gen_field(gz, row_writer(table));
}

void DS_ui_drawing_strategy::set_excel_exchange_p0_about_drawSet(excel_table& table, const DS_steel_DrawSet& drawSet)
{
    ds_excel::for_each_drawSet_field(drawSet, row_writer(table));
}

void DS_ui_drawing_strategy::get_excel_exchange_p0_about_gen(const excel_table& table, DS_GZ_Gen& gz, unsigned int& row)
{
    ds_excel::for_each_gen_field(gz, row_reader(table, row));
}

void DS_ui_drawing_strategy::get_excel_exchange_p0_about_drawSet(const excel_table& table, DS_steel_DrawSet& drawSet,
                                                                 unsigned int& row)
{
    ds_excel::for_each_drawSet_field(drawSet, row_reader(table, row));
}

}  // namespace VQDraw_DS_UINA
