// Reading one sheet of an XLSX workbook as a table of text cells, with libzip
// for the package and pugixml for its parts, inside a fixed memory budget.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "host/spreadsheet/cell_reference.h"
#include "host/spreadsheet/spreadsheet_table.h"

namespace ds_spreadsheet {

/// A sheet read from a workbook: its name (UTF-8) and its cells.
struct xlsx_sheet {
    std::string name;
    table rows;
    /// The sheet's merged ranges of more than one cell, as the file states them.
    std::vector<cell_range> merged;
};

/// The workbook has no sheet of the name asked for; `sheets` are the ones it has.
class missing_sheet_error : public spreadsheet_error {
public:
    missing_sheet_error(const std::string& what, std::vector<std::string> sheets)
        : spreadsheet_error(what), sheets(std::move(sheets))
    {
    }
    std::vector<std::string> sheets;
};

/// The sheet named `sheet` (UTF-8, matched without regard to case as Excel
/// does; the first sheet when empty) of the workbook in `bytes`; `source`
/// names it in errors.
///
/// Cells come back as the text a person sees in them: shared and inline
/// strings as they stand (rich-text runs joined, phonetic runs left out,
/// _xHHHH_ escapes decoded), numbers in their shortest exact decimal form
/// ("460", "0.1", "1e+30"), booleans as TRUE/FALSE, error values as their
/// text ("#N/A"), formulas as their stored value, and cells that hold nothing
/// as empty texts. Every cell of a merged range holds the text of its top-left
/// cell. A row ends at its last cell the file holds; rows the file skips are empty.
///
/// Refused with spreadsheet_error naming the source, and the sheet and cell
/// where there is one: bytes that are not a zip package or not a workbook (an
/// OpenDocument file is told to be saved as .xlsx); a compound file (an
/// encrypted workbook or an old binary .xls); encrypted parts; a part held
/// twice; parts unpacking beyond input_limits::max_spreadsheet_bytes or whose
/// elements would take more memory than input_limits::max_spreadsheet_memory;
/// more cells, shared strings or merged cells than
/// input_limits::max_spreadsheet_cells; a cell longer than
/// input_limits::max_cell_characters; a reference that is not A1, a cell or row
/// out of order or repeated; a shared-string index that is not a whole number
/// naming one; a number shown as a date, time or percentage; a formula with no
/// stored value; text GBK cannot hold.
xlsx_sheet read_xlsx_sheet(std::string_view bytes, const std::string& source, const std::string& sheet = {});

/// The rows of the first sheet.
table from_xlsx(std::string_view bytes, const std::string& source);

/// read_xlsx_sheet of the file's bytes (a file beyond input_limits::max_spreadsheet_bytes is refused).
xlsx_sheet read_xlsx_file(const std::filesystem::path& file, const std::string& sheet = {});

/// The names of the workbook's sheets, in order (UTF-8). Refused as
/// read_xlsx_sheet refuses a package, and for two sheets of one name.
std::vector<std::string> xlsx_sheet_names(const std::filesystem::path& file);

}  // namespace ds_spreadsheet
