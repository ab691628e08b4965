// The host's door for spreadsheet tables coming back from a person: which
// cells of a drawing's table hold numbers, and the check a file's table must
// pass before the drawing's strategy may read it.
#pragma once

#include <string>
#include <vector>

#include "host/spreadsheet/xlsx_write.h"
#include "host/ui_base/graph_drawing_strategy_base.h"

namespace ds_app {

/// What a value cell of a drawing's table may hold. The strategy reads number
/// cells with the C conversions, which turn "abc" into 0, "3.7" into 3 and
/// "1e9" into 1 without a word, so the host checks them first.
enum class cell_kind {
    text,
    integer,  ///< a whole number inside int ("墩台号")
    count,    ///< a pedestal count, 0 to input_limits::max_pedestals_per_row
    scale,    ///< a drawing scale 1:n, input_limits::scale_in_range
    size,     ///< a size in mm, input_limits::size_or_unset_in_range
    angle,    ///< a skew angle in degrees, input_limits::angle_or_unset_in_range
};

/// Kind of cell (row, column) of `expected`, the table the drawing exports.
cell_kind kind_of_cell(const excel_table& expected, std::size_t row, std::size_t column);

/// Rows of `expected` that carry a caption in cell 0: all of a single
/// drawing's table; up to and including the list header of a parametric one.
std::size_t caption_rows(const excel_table& expected);

/// The number cells of `expected`, for a sheet that shows them as numbers.
std::vector<ds_spreadsheet::cell_ref> number_cells(const excel_table& expected);

/// Makes a table read from a file comparable with the drawing's own:
/// spreadsheet programs leave out empty cells at the end of a row and keep
/// empty rows below a table, so trailing empty rows are dropped and each row
/// is padded with empty cells up to the cells the drawing's row has (list
/// rows up to the list header's).
void normalise_read_table(excel_table& read, const excel_table& expected);

/// Checks `read` (normalised) against `expected` cell by cell: every caption
/// row must carry its caption in order, the list header its captions, and
/// every number cell a number of its kind inside the host's limits. Throws
/// std::runtime_error naming `source`, the row, the caption and the value;
/// nothing has been changed then. Gives back one warning per non-empty cell
/// or row the drawing's table does not have (the strategy would not read it).
std::vector<std::string> check_read_table(const std::string& source, const excel_table& read,
                                          const excel_table& expected);

}  // namespace ds_app
