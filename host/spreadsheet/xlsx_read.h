// Reading the first sheet of an XLSX workbook as a table of text cells, with
// libzip for the package and pugixml for its parts.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "host/spreadsheet/csv_table.h"

namespace ds_spreadsheet {

/// Rows of the first sheet of the workbook in `bytes`; `source` names it in errors.
///
/// Cells come back as the text a person sees in them: shared and inline
/// strings as they stand (rich-text runs joined, phonetic runs left out,
/// _xHHHH_ escapes decoded), numbers in their shortest exact decimal form
/// ("460", "0.1", "1e+30"), booleans as TRUE/FALSE, error values as their
/// text ("#N/A"), formulas as their cached value, and cells that hold nothing
/// as empty texts. A row ends at its last cell the file holds; rows the file
/// skips are empty. The workbook part is xl/workbook.xml, the place every
/// spreadsheet program writes it.
///
/// Refused with spreadsheet_error naming the source, and the sheet and cell
/// where there is one: bytes that are not a zip package or not a workbook; a
/// compound file (an encrypted workbook or an old binary .xls); encrypted
/// parts; unpacked parts beyond input_limits::max_spreadsheet_bytes; a sheet
/// spreading over more than input_limits::max_spreadsheet_cells; a cell
/// longer than input_limits::max_cell_characters; text GBK cannot hold.
table from_xlsx(std::string_view bytes, const std::string& source);

/// from_xlsx of the file's bytes (a file beyond input_limits::max_spreadsheet_bytes is refused).
table read_xlsx_file(const std::filesystem::path& file);

}  // namespace ds_spreadsheet
