// Spreadsheet export and import of a pedestal drawing, through its strategy.
#include "app/spreadsheet_exchange.h"

#include <stdexcept>

#include "app/console.h"
#include "app/drawing_output.h"
#include "app/list_carry_over.h"
#include "app/node_view.h"
#include "app/runtime_objects.h"
#include "app/spreadsheet_cells.h"
#include "host/framework/record_limits.h"
#include "host/grid/field_catalogue.h"
#include "host/grid/pedestal_table_templates.h"
#include "host/spreadsheet/xlsx_read.h"
#include "host/spreadsheet/xlsx_write.h"
#include "host/ui_base/graph_drawing_strategy_base.h"

namespace ds_app {

namespace {

void say_table(const excel_table& table)
{
    for (std::size_t r = 0; r < table.size(); ++r) {
        CString line;
        for (std::size_t c = 0; c < table[r].size(); ++c) line += (c ? " | " : "") + table[r][c];
        say("  " + std::to_string(r + 1) + ": " + line);
    }
}

/// Choices of the rows whose caption a property of the host's pedestal tables
/// shows with a choice list that table publishes itself.
std::vector<ds_spreadsheet::cell_choices> offered_choices(const excel_table& table)
{
    std::vector<ds_spreadsheet::cell_choices> offered;
    for (const auto& grid : pedestal_table_templates::build_all())
        for (const CString& key : grid->get_keys()) {
            const std::vector<CString>* choices = grid->get_env_variable(grid->get_choice_list(key));
            if (!choices || grid->is_list()) continue;
            for (std::size_t r = 0; r < table.size(); ++r)
                if (table[r].size() > 1 && table[r][0] == grid->get_caption(key)) offered.push_back({{r, 1}, *choices});
        }
    return offered;
}

ds_spreadsheet::sheet_layout layout_of(const graph_data_base& drawing, const excel_table& table)
{
    ds_spreadsheet::sheet_layout layout;
    const bool parametric = is_of_class(drawing, module_class::parametric_drawing);
    layout.sheet_name = parametric ? utf8_literal(u8"垫石参数化") : utf8_literal(u8"垫石");
    layout.header_rows = {parametric ? caption_rows(table) - 1 : 0};
    layout.number_cells = number_cells(table);
    layout.choices = offered_choices(table);
    return layout;
}

excel_table read_sheet(const sheet_file& file)
{
    if (file.format == sheet_format::xlsx) return ds_spreadsheet::read_xlsx_file(file.path);
    ds_spreadsheet::csv_file csv = ds_spreadsheet::read_csv_file(file.path, file.encoding);
    if (csv.charset == ds_text::file_charset::gbk)
        say_utf8("read " + file.path.string() + " as GBK" +
                 (file.encoding == ds_spreadsheet::csv_encoding::gbk ? "" : " (it is not UTF-8)"));
    return std::move(csv.rows);
}

void carry_over(graph_data_base& drawing, const graph_data_base& before)
{
    say_carried_rows(carry_over_list_rows(drawing, before, field_catalogue::parametric_sheet_list));
}

/// The drawing as imported must load again: checked with the loader's own
/// rules before anything is written (the caller writes nothing after a throw).
void refuse_unloadable(const graph_data_base& drawing, const sheet_file& file)
{
    try {
        record_limits::check_node(drawing);
    } catch (const record_limits::limit_error& e) {
        throw std::runtime_error("cannot import " + file.path.string() + ": the drawing would then hold what the project "
                                 "loader refuses: " + e.what() + "; nothing was changed");
    }
}

}  // namespace

void run_export(graph_data_base& drawing, const sheet_file& file)
{
    excel_table table;
    strategy_for(drawing)->set_excel_exchange_p0(table);
    if (table.empty()) throw std::runtime_error("the strategy exported an empty table for " + node_heading(drawing));
    if (file.format == sheet_format::xlsx)
        ds_spreadsheet::write_xlsx_file(file.path, table, layout_of(drawing, table));
    else
        ds_spreadsheet::write_csv_file(file.path, table);
    say_utf8("exported " + std::to_string(table.size()) + " rows to " + file.path.string() + ":");
    say_table(table);
}

void run_import(graph_data_base& drawing, const sheet_file& file, const import_options& options)
{
    excel_table table = read_sheet(file);
    auto strategy = strategy_for(drawing);
    excel_table expected;
    strategy->set_excel_exchange_p0(expected);
    normalise_read_table(table, expected);
    for (const std::string& warning : check_read_table(file.path.string(), table, expected))
        say_utf8("warning: " + warning);

    const auto before = snapshot(drawing);
    strategy->get_excel_exchange_p0(table);
    if (is_of_class(drawing, module_class::parametric_drawing) && !options.as_table) carry_over(drawing, *before);
    refuse_unloadable(drawing, file);
    say_utf8("imported " + std::to_string(table.size()) + " rows from " + file.path.string());
    say_changes(*before, drawing);
}

}  // namespace ds_app
