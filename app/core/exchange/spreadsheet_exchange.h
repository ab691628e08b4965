// Exchange of a pedestal drawing's data with spreadsheet files (CSV or XLSX)
// through its drawing strategy, checked at the host's door.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "app/core/project/step_report.h"
#include "host/framework/graph_data_base.h"
#include "host/spreadsheet/spreadsheet_formats.h"

namespace ds_app {

/// A spreadsheet file and how to take its bytes. `encoding` applies to a
/// format that takes a charset (CSV) only; `sheet` to a workbook (XLSX) only:
/// the sheet to read, by default the one named after the drawing.
struct sheet_file {
    std::filesystem::path path;
    const ds_spreadsheet::spreadsheet_format* format = nullptr;
    ds_spreadsheet::csv_encoding encoding = ds_spreadsheet::csv_encoding::detect;
    std::string sheet;
};

/// A file at `path` in the format named `format` ("csv", "xlsx"), a CSV file's charset told by its bytes.
inline sheet_file sheet_file_of(const std::filesystem::path& path, std::string_view format)
{
    return {path, &ds_spreadsheet::spreadsheet_format_named(format), ds_spreadsheet::csv_encoding::detect, {}};
}

struct import_options {
    /// Keep the strategy's result alone: a parametric drawing's list rows then
    /// hold only what the table has cells for, the rest at the row defaults.
    bool as_table = false;
    /// Import a file that names another drawing than the one it goes into.
    bool force = false;
};

/// Exports the drawing's spreadsheet table to the file (written atomically)
/// and prints it. The file's first row names the drawing ("# 图名"). An XLSX
/// workbook holds one sheet named after the drawing (spreadsheet_layout).
void run_export(graph_data_base& drawing, const sheet_file& file, step_report& report);

/// Exports every drawing's table to one XLSX workbook, a sheet each, named
/// after the drawings (a name two drawings would share gets "~2", "~3").
void run_export_all(const std::vector<graph_data_base*>& drawings, const std::filesystem::path& workbook,
                    step_report& report);

/// Reads the file and has the strategy import it, then prints the drawing's
/// difference lines. A file whose first row names another drawing is refused
/// unless `options.force` (step_refused, passed by override_id::force_import); one that names none and does not begin with the
/// drawing's table is refused without quoting it. The file's table is then
/// normalised and checked against the table the drawing exports (see
/// check_read_table): a file that fails, or does not read, changes nothing
/// and throws naming the file, row, caption and value. Cells and rows the
/// table does not have are printed as warnings (the first 20, then a count).
/// A CSV file read as GBK, or with semicolons or tabs between its cells,
/// says so. Unless `options.as_table`, a parametric drawing's list rows keep
/// what the table has no cells for (carry_over_list_rows), and rows that
/// matched nothing are listed.
void run_import(graph_data_base& drawing, const sheet_file& file, step_report& report,
                const import_options& options = {});

}  // namespace ds_app
