// Spreadsheet export and import of a pedestal drawing, through its strategy.
#include "app/core/exchange/spreadsheet_exchange.h"

#include <algorithm>
#include <set>
#include <stdexcept>

#include "app/core/project/shown_text.h"
#include "app/core/drawing/drawing_output.h"
#include "app/core/grid/list_carry_over.h"
#include "app/core/project/node_view.h"
#include "app/core/project/runtime_objects.h"
#include "app/core/exchange/spreadsheet_cells.h"
#include "app/core/exchange/spreadsheet_layout.h"
#include "host/project/record_limits.h"
#include "host/fields/field_catalogue.h"
#include "host/spreadsheet/xlsx_read.h"
#include "host/spreadsheet/xlsx_write.h"
#include "host/ui_base/graph_drawing_strategy_base.h"

namespace ds_app {

namespace {

/// Warnings printed one by one; the rest are counted.
constexpr std::size_t warnings_shown = 20;

void report_table(const excel_table& table, step_report& report)
{
    for (std::size_t r = 0; r < table.size(); ++r) {
        CString line;
        for (std::size_t c = 0; c < table[r].size(); ++c) line += (c ? " | " : "") + table[r][c];
        report.narrow_line("  " + std::to_string(r + 1) + ": " + line);
    }
}

/// The drawing's table as its strategy exports it.
excel_table drawing_table(graph_data_base& drawing)
{
    excel_table table;
    strategy_for(drawing)->set_excel_exchange_p0(table);
    if (table.empty()) throw std::runtime_error("the strategy exported an empty table for " + node_heading(drawing));
    return table;
}

std::string lower_ascii(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

/// `name`, or `name~2`, `name~3`, ... when a sheet already has it (Excel tells names apart without case).
std::string unused_sheet_name(const std::string& name, std::set<std::string>& used)
{
    std::string candidate = name;
    for (int n = 2; !used.insert(lower_ascii(candidate)).second; ++n) {
        const std::string suffix = "~" + std::to_string(n);
        // Cut by characters, not bytes: half a character would make the workbook unreadable.
        candidate = ds_spreadsheet::sheet_name_for(name, name, 31 - suffix.size()) + suffix;
    }
    return candidate;
}

/// A table read from a file, and how messages name where it came from.
struct sheet_read {
    excel_table rows;
    std::string source;  ///< the file, and for a workbook the sheet
    std::vector<ds_spreadsheet::cell_range> merged;  ///< a workbook's merged ranges
};

/// The sheet of the workbook whose naming row names the drawing, when another
/// than `skipped` does: two drawings whose names make the same sheet name
/// ("A/B" and "A_B") each find their own sheet, whichever got the suffix.
std::optional<ds_spreadsheet::read_result> sheet_naming(const graph_data_base& drawing, const sheet_file& file,
                                                        const std::string& skipped)
{
    if (!file.format->sheet_names) return std::nullopt;
    for (const std::string& name : file.format->sheet_names(file.path)) {
        if (name == skipped) continue;
        ds_spreadsheet::read_result sheet = file.format->read(file.path, {file.encoding, name});
        if (drawing_named_by(sheet.rows) == drawing.get_node_name()) return sheet;
    }
    return std::nullopt;
}

sheet_read read_workbook(const graph_data_base& drawing, const sheet_file& file, step_report& report)
{
    const std::string wanted = file.sheet.empty() ? sheet_name_of(drawing) : file.sheet;
    const auto named = [&](ds_spreadsheet::read_result sheet) {
        return sheet_read{std::move(sheet.rows), shown_utf8(file.path.string()) + ", sheet \"" + shown_utf8(*sheet.sheet) + "\"",
                          std::move(sheet.merged)};
    };
    try {
        ds_spreadsheet::read_result sheet = file.format->read(file.path, {file.encoding, wanted});
        const std::optional<CString> names = drawing_named_by(sheet.rows);
        if (file.sheet.empty() && names && *names != drawing.get_node_name())
            if (auto own = sheet_naming(drawing, file, *sheet.sheet)) {
                report.note("the sheet \"" + shown_utf8(*sheet.sheet) + "\" holds the table of \"" + shown(*names) +
                            "\"; read the sheet \"" + shown_utf8(*own->sheet) + "\", which names this drawing");
                return named(std::move(*own));
            }
        return named(std::move(sheet));
    } catch (const ds_spreadsheet::missing_sheet_error& e) {
        if (file.sheet.empty())
            if (auto own = sheet_naming(drawing, file, {})) return named(std::move(*own));
        if (!file.sheet.empty() || e.sheets.size() != 1)
            throw std::runtime_error(std::string(e.what()) + "; name the sheet to read with --sheet");
    }
    ds_spreadsheet::read_result only = file.format->read(file.path, {file.encoding, {}});
    report.note("the workbook has no sheet named \"" + shown_utf8(wanted) + "\"; read its only sheet, \"" +
                shown_utf8(*only.sheet) + "\"");
    return named(std::move(only));
}

sheet_read read_sheet(const graph_data_base& drawing, const sheet_file& file, step_report& report)
{
    if (file.format->workbook) return read_workbook(drawing, file, report);
    ds_spreadsheet::read_result csv = file.format->read(file.path, {file.encoding, {}});
    const std::string source = shown_utf8(file.path.string());
    if (csv.charset == ds_text::file_charset::gbk)
        report.line("read " + source + " as GBK" +
                    (file.encoding == ds_spreadsheet::csv_encoding::gbk ? "" : " (it is not UTF-8)"));
    if (csv.delimiter != ',')
        report.note(source + " separates its cells with " + (csv.delimiter == ';' ? "semicolons" : "tabs") +
                    ", not commas; read so");
    return {std::move(csv.rows), source, {}};
}

/// The table the file must hold: with the naming row when the file has one.
/// A file that names another drawing is refused unless forced; one that names
/// none must at least begin as the drawing's table does, or it is no such
/// table (and what it holds is not repeated: it may be any file).
excel_table expected_in_file(const graph_data_base& drawing, const excel_table& read, const excel_table& table,
                             const std::string& source, bool force, step_report& report)
{
    const CString name = drawing.get_node_name();
    if (const std::optional<CString> named = drawing_named_by(read)) {
        if (*named == name) return table_with_drawing_row(drawing, table);
        const std::string refusal = "cannot import " + source + ": it holds the table of the drawing \"" +
                                    shown(*named) + "\", not of \"" + shown(name) + "\"";
        if (!force)
            throw step_refused(refusal + "; nothing was changed", source, override_id::force_import,
                               refusal + "; give " + std::string(override_slot) +
                                   " to import it all the same; nothing was changed");
        report.warning(source + " holds the table of the drawing \"" + shown(*named) + "\"; imported into \"" +
                           shown(name) + "\" as " + std::string(override_slot) + " asks",
                       override_id::force_import);
        return table_with_drawing_row(drawing, table);
    }
    if (!read.empty() && !read[0].empty() && trimmed(read[0][0]) != table[0][0].str())
        throw std::runtime_error("cannot import " + source + ": it does not hold a drawing's table (its first cell is "
                                 "neither \"" + shown(drawing_row_caption) + "\" nor \"" + shown(table[0][0]) +
                                 "\"); nothing was changed");
    report.note(source + " does not name the drawing it was exported from; read as the table of \"" + shown(name) +
                "\"");
    return table;
}

void report_warnings(const std::vector<std::string>& warnings, step_report& report)
{
    for (std::size_t i = 0; i < std::min(warnings.size(), warnings_shown); ++i) report.warning(warnings[i]);
    if (warnings.size() > warnings_shown)
        report.warning("... and " + std::to_string(warnings.size() - warnings_shown) + " more");
}

void carry_over(graph_data_base& drawing, const graph_data_base& before, step_report& report)
{
    report_carried_rows(carry_over_list_rows(drawing, before, field_catalogue::parametric_sheet_list), report);
}

/// What a single drawing's table says of the structure it is for: a file
/// that names no drawing and changes one of these is more likely another
/// drawing's table than an edit of this one's.
const char* const identity_captions[] = {"桥幅", "墩台号"};

/// "墩台号 2 → 1" for the first identity cell `read` would change; empty when none does.
/// `read` is aligned with `current` (the drawing's own table) row by row.
std::string identity_change(const excel_table& current, const excel_table& read)
{
    for (const char* caption : identity_captions)
        for (std::size_t r = 0; r < std::min(current.size(), read.size()); ++r) {
            if (current[r].size() < 2 || read[r].size() < 2 || trimmed(current[r][0]) != caption) continue;
            if (trimmed(current[r][1]) != trimmed(read[r][1]))
                return shown(CString(caption)) + " " + shown(current[r][1]) + utf8_literal(u8" → ") + shown(read[r][1]);
        }
    return {};
}

/// A file that names no drawing may not change which structure a single drawing is for, unless forced.
void check_identity(const graph_data_base& drawing, const excel_table& current, const excel_table& read,
                    const std::string& source, bool force, step_report& report)
{
    if (!is_of_class(drawing, module_class::single_drawing)) return;
    const std::string change = identity_change(current, read);
    if (change.empty()) return;
    const std::string refusal = "cannot import " + source + ": it names no drawing and would change which structure \"" +
                                shown(drawing.get_node_name()) + "\" is for (" + change + "); it may be another drawing's table";
    if (!force)
        throw step_refused(refusal + "; nothing was changed", source, override_id::force_import,
                           refusal + "; give " + std::string(override_slot) + " to import it all the same; nothing was changed");
    report.warning(source + " names no drawing; " + change + " taken as " + std::string(override_slot) + " asks",
                   override_id::force_import);
}

/// A merged range shows one value in all its cells; over the cells of two
/// fields (a width and a length) it would copy one field's value into the
/// other without a word, so it is refused. Over one field's cells in several
/// list rows it gives each row the value, as the sheet shows. `offset` is the
/// naming row the file has above the drawing's table.
void refuse_merges_across_fields(const std::vector<ds_spreadsheet::cell_range>& merged, const excel_table& expected,
                                 std::size_t offset, const std::string& source)
{
    for (const ds_spreadsheet::cell_range& range : merged) {
        const field_catalogue::place* first = nullptr;
        for (std::size_t r = range.first.row; r <= range.last.row; ++r)
            for (std::size_t c = range.first.column; c <= range.last.column; ++c) {
                if (r < offset) continue;
                const cell_field at = field_of_cell(expected, r - offset, c);
                if (!at.place) continue;
                if (!first) first = at.place;
                else if (std::string_view(at.place->caption) != first->caption)
                    throw std::runtime_error("cannot import " + source + ": the merged cells " +
                                             cell_name(range.first.row, range.first.column) + ":" +
                                             cell_name(range.last.row, range.last.column) + " span \"" +
                                             shown(CString(first->caption)) + "\" and \"" + shown(CString(at.place->caption)) +
                                             "\", which would both take one value; unmerge them; nothing was changed");
            }
    }
}

/// The drawing as imported must load again: checked with the loader's own
/// rules before anything is written (the caller writes nothing after a throw).
void refuse_unloadable(const graph_data_base& drawing, const std::string& source)
{
    try {
        record_limits::check_node(drawing);
    } catch (const record_limits::limit_error& e) {
        throw std::runtime_error("cannot import " + source + ": the drawing would then hold what the project "
                                 "loader refuses: " + e.what() + "; nothing was changed");
    }
}

}  // namespace

void run_export(graph_data_base& drawing, const sheet_file& file, step_report& report)
{
    const excel_table table = drawing_table(drawing);
    const excel_table written = table_with_drawing_row(drawing, table);
    file.format->write(file.path, written, layout_of(drawing, table, sheet_name_of(drawing)));
    report.line("exported " + std::to_string(written.size()) + " rows to " + shown_utf8(file.path.string()) + ":");
    report_table(written, report);
}

void run_export_all(const std::vector<graph_data_base*>& drawings, const std::filesystem::path& workbook,
                    step_report& report)
{
    if (drawings.empty()) throw std::runtime_error("the project holds no pedestal drawing to export");
    std::vector<ds_spreadsheet::workbook_sheet> sheets;
    std::set<std::string> used;
    for (graph_data_base* drawing : drawings) {
        const excel_table table = drawing_table(*drawing);
        const std::string name = unused_sheet_name(sheet_name_of(*drawing), used);
        sheets.push_back({table_with_drawing_row(*drawing, table), layout_of(*drawing, table, name)});
    }
    ds_spreadsheet::write_xlsx_workbook(workbook, sheets);
    report.line("exported " + std::to_string(sheets.size()) + " drawings to " + shown_utf8(workbook.string()) + ":");
    for (const auto& sheet : sheets)
        report.line("  sheet \"" + shown_utf8(sheet.layout.sheet_name) + "\": " + std::to_string(sheet.rows.size()) + " rows");
}

void run_import(graph_data_base& drawing, const sheet_file& file, step_report& report, const import_options& options)
{
    sheet_read file_table = read_sheet(drawing, file, report);
    excel_table& read = file_table.rows;
    const std::string& source = file_table.source;
    const bool named = drawing_named_by(read).has_value();
    auto strategy = strategy_for(drawing);
    excel_table expected;
    strategy->set_excel_exchange_p0(expected);
    const excel_table in_file = expected_in_file(drawing, read, expected, source, options.force, report);
    normalise_read_table(read, in_file);
    undo_display_formats(read, in_file);
    report_warnings(check_read_table(source, read, in_file), report);
    const std::size_t offset = in_file.size() - expected.size();  // the naming row, when the file has one
    refuse_merges_across_fields(file_table.merged, expected, offset, source);
    read.erase(read.begin(), read.begin() + static_cast<std::ptrdiff_t>(std::min(offset, read.size())));
    if (!named) check_identity(drawing, expected, read, source, options.force, report);

    const auto before = snapshot(drawing);
    strategy->get_excel_exchange_p0(read);
    if (is_of_class(drawing, module_class::parametric_drawing) && !options.as_table) carry_over(drawing, *before, report);
    refuse_unloadable(drawing, source);
    report.line("imported " + std::to_string(read.size()) + " rows from " + source);
    report_changes(*before, drawing, report);
}

}  // namespace ds_app
