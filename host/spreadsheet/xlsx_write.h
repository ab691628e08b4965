// Writing a table of text cells as an XLSX workbook of one sheet, laid out for
// the person who opens it: styled header rows, columns wide enough for Chinese
// captions, numbers as numbers, text as text, drop-down lists of choices.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "host/spreadsheet/cell_reference.h"
#include "host/spreadsheet/csv_table.h"

namespace ds_spreadsheet {

/// The choices a cell offers as a drop-down list (data validation). A value
/// outside the list is still accepted with a warning, because the table's
/// reader, not the sheet, decides what a cell may hold.
struct cell_choices {
    cell_ref cell;
    std::vector<CString> choices;
};

/// How a table is laid out on its sheet. Cells not named here are text: they
/// carry the text number format, so a spreadsheet program keeps "200,210" a
/// text instead of reading it as a number.
struct sheet_layout {
    /// Name of the sheet (UTF-8, at most 31 characters, none of []:*?/\).
    std::string sheet_name = "Sheet1";
    /// Rows shown as headers: bold, on a shaded fill, with borders.
    std::vector<std::size_t> header_rows;
    /// Cells written as numbers when their text reads as one (an unreadable
    /// text stays text, so nothing is lost).
    std::vector<cell_ref> number_cells;
    std::vector<cell_choices> choices;
};

/// Writes `rows` to `file` atomically (a failed write keeps the old file).
/// Column widths follow the widest cell, counting a CJK character as two
/// places, between 8 and 80. Throws spreadsheet_error naming the file and the
/// reason (text GBK cannot convert, a bad sheet name, a failed write).
void write_xlsx_file(const std::filesystem::path& file, const table& rows, const sheet_layout& layout);

}  // namespace ds_spreadsheet
