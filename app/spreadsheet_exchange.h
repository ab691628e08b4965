// Exchange of a pedestal drawing's data with spreadsheet files (CSV or XLSX)
// through its drawing strategy, checked at the host's door.
#pragma once

#include <filesystem>

#include "host/framework/graph_data_base.h"
#include "host/spreadsheet/csv_table.h"

namespace ds_app {

enum class sheet_format { csv, xlsx };

/// A spreadsheet file and how to take its bytes. `encoding` applies to CSV only.
struct sheet_file {
    std::filesystem::path path;
    sheet_format format = sheet_format::csv;
    ds_spreadsheet::csv_encoding encoding = ds_spreadsheet::csv_encoding::detect;
};

struct import_options {
    /// Keep the strategy's result alone: a parametric drawing's list rows then
    /// hold only what the table has cells for, the rest at the row defaults.
    bool as_table = false;
};

/// Exports the drawing's spreadsheet table to the file (written atomically)
/// and prints it. An XLSX workbook holds one sheet, "垫石" or "垫石参数化"
/// (a drawing's node name may hold characters a sheet name cannot), and shows the header row (a single drawing's
/// first row, a parametric drawing's list header) styled, number cells as
/// numbers, and the choices of a cell the host's grid offers a choice list
/// for (the input mode) as a drop-down list.
void run_export(graph_data_base& drawing, const sheet_file& file);

/// Reads the file and has the strategy import it, then prints the drawing's
/// difference lines. First the file's table is normalised and checked against
/// the table the drawing exports (see check_read_table): a file that fails,
/// or does not read, changes nothing and throws naming the file, row, caption
/// and value. Cells and rows the table does not have are printed as warnings.
/// A CSV file read as GBK says so. Unless `options.as_table`, a parametric
/// drawing's list rows keep what the table has no cells for
/// (carry_over_list_rows), and rows that matched nothing are listed.
void run_import(graph_data_base& drawing, const sheet_file& file, const import_options& options = {});

}  // namespace ds_app
