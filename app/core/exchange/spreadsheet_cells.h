// The host's door for spreadsheet tables coming back from a person: which
// field each cell of a drawing's table shows (from the field catalogue), and
// the check a file's table must pass before the drawing's strategy may read it.
#pragma once

#include <string>
#include <vector>

#include "host/fields/field_catalogue.h"
#include "host/spreadsheet/xlsx_write.h"
#include "host/ui_base/graph_drawing_strategy_base.h"

namespace ds_app {

/// Sheet name of the catalogue places for `expected`: the parametric drawing's
/// table is the one with a list header.
const char* sheet_of(const excel_table& expected);

/// The catalogue field of value cell (row, column) of `expected`, the table the
/// drawing exports, with where it is shown; null for captions, notes and cells
/// no field stands behind.
struct cell_field {
    const field_catalogue::field* field = nullptr;
    const field_catalogue::place* place = nullptr;
};
cell_field field_of_cell(const excel_table& expected, std::size_t row, std::size_t column);

/// Rows of `expected` that carry a caption in cell 0: all of a single
/// drawing's table; up to and including the list header of a parametric one.
std::size_t caption_rows(const excel_table& expected);

/// The number cells of `expected` (fields of whole or real kind), for a sheet that shows them as numbers.
std::vector<ds_spreadsheet::cell_ref> number_cells(const excel_table& expected);

/// "B6": a cell as spreadsheet programs name it.
std::string cell_name(std::size_t row, std::size_t column);

/// A cell's text without the blanks, tabs and line ends a spreadsheet program leaves around it.
std::string trimmed(const CString& text);

/// Makes a table read from a file comparable with the drawing's own:
/// spreadsheet programs leave out empty cells at the end of a row and keep
/// empty rows below a table, so trailing empty rows are dropped and each row
/// is padded with empty cells up to the cells the drawing's row has (list
/// rows up to the list header's).
void normalise_read_table(excel_table& read, const excel_table& expected);

/// Checks `read` (normalised) against `expected` cell by cell: every caption
/// row must carry its caption in order, the list header its captions, and
/// every value cell a value its field accepts (field_catalogue::check), unless
/// it holds exactly what the drawing exported there.
/// Throws std::runtime_error naming `source`, the cell, the caption, the value
/// and the rule; nothing has been changed then. A read-only cell edited is set
/// back to the drawing's value in `read`, with a warning. Gives back warnings:
/// each such cell, each non-empty cell or row the drawing's table does not
/// have (the strategy would not read it), and each row whose count of heights
/// differs from its pedestal count (the module repeats the last height).
std::vector<std::string> check_read_table(const std::string& source, excel_table& read, const excel_table& expected);

}  // namespace ds_app
