// Writing tables of text cells as an XLSX workbook, one sheet each, laid out
// for the person who opens it: styled header rows frozen above the list,
// columns wide enough for Chinese captions, numbers as numbers, text as text,
// drop-down lists and range checks, comments, locked read-only cells, and a
// page set up to print.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "host/spreadsheet/cell_reference.h"
#include "host/spreadsheet/spreadsheet_table.h"

namespace ds_spreadsheet {

/// The choices a cell offers as a drop-down list (data validation). A value
/// outside the list is still accepted with a warning, because the table's
/// reader, not the sheet, decides what a cell may hold.
struct cell_choices {
    cell_ref cell;
    std::vector<CString> choices;
};

/// A check the spreadsheet program makes as a person types (a "stop"
/// validation: it refuses what fails). The importer checks again.
struct cell_validation {
    enum class kind { list, whole, decimal };
    cell_range cells;
    kind type = kind::list;
    std::vector<CString> choices;  ///< list
    double minimum = 0.0;          ///< whole, decimal: inclusive
    double maximum = 0.0;
    std::string message;  ///< UTF-8: what the cell takes, shown when refused
};

/// A note on a cell (UTF-8), shown when the pointer rests on it.
struct cell_comment {
    cell_ref cell;
    std::string text;
};

/// A number format for one number cell, e.g. "\"1:\"0" to show 50 as 1:50.
struct cell_number_format {
    cell_ref cell;
    std::string format;
};

/// How a table is laid out on its sheet. Cells not named here are text: they
/// carry the text number format, so a spreadsheet program keeps "200,210" a
/// text instead of reading it as a number.
struct table_layout {
    /// Name of the sheet (UTF-8, at most 31 characters, none of []:*?/\).
    std::string sheet_name = "Sheet1";
    /// Rows shown as headers: bold, on a shaded fill, with borders, and printed on every page.
    std::vector<std::size_t> header_rows;
    /// Cells written as numbers when their text reads as one (an unreadable
    /// text stays text, so nothing is lost).
    std::vector<cell_ref> number_cells;
    std::vector<cell_number_format> number_formats;
    std::vector<cell_choices> choices;
    std::vector<cell_validation> validations;
    std::vector<cell_comment> comments;
    /// Rows kept in view when scrolling.
    std::size_t frozen_rows = 0;
    /// Filter buttons on a list's header row.
    std::optional<cell_range> autofilter;
    /// Columns formatted as text down to the sheet's end, rows not yet typed included.
    std::vector<std::size_t> text_columns;
    /// Cells a person must not change. When there are any, the sheet is
    /// protected (without a password) and every other cell, rows below the
    /// table included, stays open to typing, formatting, sorting and inserting rows.
    std::vector<cell_ref> locked_cells;
};

/// One sheet of a workbook.
struct workbook_sheet {
    table rows;
    table_layout layout;
};

/// Writes the sheets, in order, to `file` atomically (a failed write keeps
/// the old file). Column widths follow the widest cell, counting a CJK
/// character as two places, between 8 and 80. Every sheet prints on A4
/// landscape, fitted to the page width. Throws spreadsheet_error naming the
/// file and the reason (text GBK cannot convert, a bad or repeated sheet name,
/// a failed write).
void write_xlsx_workbook(const std::filesystem::path& file, const std::vector<workbook_sheet>& sheets);

/// A workbook of one sheet.
void write_xlsx_file(const std::filesystem::path& file, const table& rows, const table_layout& layout);

/// A sheet name made from `utf8` as Excel allows it: none of []:*?/\ or
/// control characters (each becomes '_'), at most `characters` characters
/// (Excel's 31, or fewer to leave room for a suffix; never a part of one), no
/// apostrophe at either end; `fallback` when nothing is left.
std::string sheet_name_for(const std::string& utf8, const std::string& fallback, std::size_t characters = 31);

}  // namespace ds_spreadsheet
