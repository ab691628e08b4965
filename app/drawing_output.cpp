// Drawing component and spreadsheet exchange of a pedestal drawing, through its strategy.
#include "app/drawing_output.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <stdexcept>

#include "app/console.h"
#include "app/node_view.h"
#include "app/runtime_objects.h"
#include "host/drawing_lib/ds_gj_draw_data_text.h"
#include "host/drawing_lib/rx_component_dsgj.h"
#include "host/grid/cvq_variant.h"
#include "host/spreadsheet/csv_table.h"
#include "host/ui_base/graph_drawing_strategy_base.h"

namespace ds_app {

namespace {

/// Captions of the rows whose value cell is a number: the strategy reads them
/// with the C conversions, which turn text into 0 without a word.
const char* const numeric_captions[] = {"横桥向宽度(mm)", "顺桥向长度(mm)", "斜交角(°)", "垫石个数", "墩台号", "比例"};
/// First cell of the header row above a parametric drawing's list rows.
const char* const list_header_caption = "桥幅";
/// Cells of a list row that hold whole numbers: structure number and pedestal count.
const std::size_t list_number_cells[] = {1, 2};

std::unique_ptr<graph_drawing_strategy_base> strategy_for(graph_data_base& drawing)
{
    const char* name = is_of_class(drawing, module_class::parametric_drawing) ? module_class::parametric_strategy
                                                                              : module_class::single_strategy;
    auto strategy = create_object<graph_drawing_strategy_base>(name, "drawing strategy");
    strategy->set_graph_data(&drawing);
    return strategy;
}

void say_table(const excel_table& table)
{
    for (std::size_t r = 0; r < table.size(); ++r) {
        CString line;
        for (std::size_t c = 0; c < table[r].size(); ++c) line += (c ? " | " : "") + table[r][c];
        say("  " + std::to_string(r + 1) + ": " + line);
    }
}

bool is_number(CString text)
{
    double value = 0.0;
    return grid_number_text::parse_real(text.Trim(), value);
}

bool is_whole_number(CString text)
{
    double value = 0.0;
    return grid_number_text::parse_real(text.Trim(), value) && value == std::floor(value) && value >= INT_MIN &&
           value <= INT_MAX;
}

/// Rows of `expected` that carry a caption: all of a single drawing's table,
/// up to and including the list header of a parametric one.
std::size_t caption_rows(const excel_table& expected)
{
    for (std::size_t r = 0; r < expected.size(); ++r)
        if (expected[r].size() > 2 && expected[r][0] == list_header_caption) return r + 1;
    return expected.size();
}

[[noreturn]] void refuse(const std::filesystem::path& csv, std::size_t row, const std::string& why)
{
    throw std::runtime_error("cannot import " + csv.string() + ": row " + std::to_string(row + 1) + ": " + why +
                             "; nothing was changed");
}

void check_import(const std::filesystem::path& csv, const excel_table& table, const excel_table& expected)
{
    const std::size_t captions = caption_rows(expected);
    if (table.size() < captions)
        refuse(csv, table.size(), "missing; the drawing's table has " + std::to_string(captions) + " caption rows");
    for (std::size_t r = 0; r < captions; ++r) {
        const CString& caption = expected[r][0];
        if (table[r].empty() || table[r][0] != caption)
            refuse(csv, r, "expected the caption \"" + shown(caption) + "\", found \"" +
                               (table[r].empty() ? std::string() : shown(table[r][0])) + "\"");
        if (expected[r].size() > 2 && caption == list_header_caption) continue;  // the list header has no value
        if (table[r].size() < 2) refuse(csv, r, "\"" + shown(caption) + "\" has no value cell");
        const bool numeric = std::any_of(std::begin(numeric_captions), std::end(numeric_captions),
                                         [&](const char* c) { return caption == c; });
        if (numeric && !is_number(table[r][1]))
            refuse(csv, r, "\"" + shown(caption) + "\" needs a number, found \"" + shown(table[r][1]) + "\"");
    }
    for (std::size_t r = captions; r < table.size(); ++r)
        for (std::size_t c : list_number_cells)
            if (c < table[r].size() && !is_whole_number(table[r][c]))
                refuse(csv, r, "cell " + std::to_string(c + 1) + " needs a whole number, found \"" +
                                   shown(table[r][c]) + "\"");
}

void say_component(VQDraw_DS_GJNA::CRXComponent_DSGJ& component, const CString& target, sheet_output* sheets)
{
    say_utf8("input record of the drawing component:");
    say_block(VQDraw_DS_GJNA::describe_draw_data(component.GetDrawData()));
    const bool designed = component.Design();
    say_utf8(std::string("design: ") + (designed ? "passed" : "failed"));
    say_lines(component.GetDesignMessages());
    if (designed && component.Draw(target))
        say_utf8("drawn: " + std::to_string(component.GetDrawnItems().size()) + " item(s)");
    std::vector<RXDSGNMOD::CRXPaper*> papers;
    component.CreatPaper(papers);
    std::vector<std::unique_ptr<RXDSGNMOD::CRXPaper>> owned(papers.begin(), papers.end());  // the caller owns the sheets
    say_utf8("sheets: " + std::to_string(papers.size()));
    for (RXDSGNMOD::CRXPaper* paper : papers) say("  " + paper->title());
    if (sheets) sheets->write(target, papers);
    std::vector<std::map<CString, CString>> materials;
    component.GetMaterialData(materials);
    say_utf8("materials: " + std::to_string(materials.size()) + " row(s)");
    for (const auto& row : materials) {
        CString line;
        for (const auto& [column, text] : row) line += (line.IsEmpty() ? "" : ", ") + column + "=" + text;
        say("  " + line);
    }
}

}  // namespace

void run_draw(graph_data_base& drawing, sheet_output* sheets)
{
    const std::shared_ptr<RXDSGNMOD::CRXComponent> component = strategy_for(drawing)->GetComponent();
    if (!component) throw std::runtime_error("the strategy made no drawing component of " + node_heading(drawing));
    auto* pedestal = dynamic_cast<VQDraw_DS_GJNA::CRXComponent_DSGJ*>(component.get());
    if (!pedestal) {
        say("drawing component: " + component->GetName() + " (not a pedestal rebar component)");
        return;
    }
    say_component(*pedestal, drawing.get_node_name(), sheets);
}

void draw_with_sheets(graph_data_base& drawing, const sheet_folders& folders)
{
    sheet_output sheets(folders);
    run_draw(drawing, &sheets);
    sheets.finish(drawing.get_node_name() + "垫石钢筋构造图");
}

void run_export(graph_data_base& drawing, const std::filesystem::path& csv)
{
    excel_table table;
    strategy_for(drawing)->set_excel_exchange_p0(table);
    if (table.empty()) throw std::runtime_error("the strategy exported an empty table for " + node_heading(drawing));
    ds_spreadsheet::write_csv_file(csv, table);
    say_utf8("exported " + std::to_string(table.size()) + " rows to " + csv.string() + ":");
    say_table(table);
}

void run_import(graph_data_base& drawing, const std::filesystem::path& csv)
{
    const excel_table table = ds_spreadsheet::read_csv_file(csv);
    auto strategy = strategy_for(drawing);
    excel_table expected;
    strategy->set_excel_exchange_p0(expected);
    check_import(csv, table, expected);

    const auto before = snapshot(drawing);
    strategy->get_excel_exchange_p0(table);
    say_utf8("imported " + std::to_string(table.size()) + " rows from " + csv.string());
    say_changes(*before, drawing);
}

}  // namespace ds_app
