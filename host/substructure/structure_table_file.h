// structure_table_file: the structure table (墩台表) as a CSV or XLSX file,
// through the host's spreadsheet formats. An XLSX sheet is laid out as the
// drawing tables are: captions frozen above the lines with a filter, every
// column checked and commented from the field catalogue, heights kept as text.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "host/spreadsheet/spreadsheet_formats.h"
#include "host/substructure/structure_table.h"

namespace structure_table {

/// Name of the sheet an XLSX file keeps the table on.
std::string sheet_name();

/// The sheet layout of to_cells(structures) (`lines` lines below the captions).
ds_spreadsheet::table_layout layout_of(std::size_t lines);

/// Writes the table of `structures` to `file` in `format`, atomically.
/// Throws ds_spreadsheet::spreadsheet_error when the file cannot be written.
void write_file(const std::filesystem::path& file, const ds_spreadsheet::spreadsheet_format& format,
                const std::vector<structure>& structures);

/// A table read from a file.
struct file_outcome {
    read_outcome table;
    std::string source;              ///< UTF-8: the file, and for a workbook the sheet read
    std::vector<std::string> notes;  ///< UTF-8: how the file was read (charset, delimiter, sheet)
};

/// Reads `file` in `format` (bounded as every spreadsheet the host reads is):
/// from a workbook the sheet named sheet_name(), or its first sheet when it
/// has none of that name (an engineer's own workbook), said in a note.
/// Throws ds_spreadsheet::spreadsheet_error for a file that does not read and
/// table_error for a table that breaks a rule, both naming file and place.
file_outcome read_file(const std::filesystem::path& file, const ds_spreadsheet::spreadsheet_format& format,
                       ds_spreadsheet::csv_encoding encoding = ds_spreadsheet::csv_encoding::detect);

}  // namespace structure_table
