// A1 cell references ("B5", "AA12") and ranges ("A1:D4") of a spreadsheet.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ds_spreadsheet {

/// The most rows and columns a sheet has (Excel's grid).
inline constexpr std::size_t max_sheet_rows = 1048576;
inline constexpr std::size_t max_sheet_columns = 16384;

/// A cell by 0-based row and column.
struct cell_ref {
    std::size_t row = 0;
    std::size_t column = 0;
};

/// "B5" for row 4, column 1.
std::string cell_name(cell_ref cell);
/// The cell of an A1 reference: column letters A to XFD, then a row number
/// 1 to 1048576 without leading zeros, nothing else (no "$", no blanks, no
/// lower case). Nothing for any other text.
std::optional<cell_ref> parse_cell_name(std::string_view text);

/// A rectangle of cells, corners included.
struct cell_range {
    cell_ref first;
    cell_ref last;
    std::size_t cells() const { return (last.row - first.row + 1) * (last.column - first.column + 1); }
};
/// "A1:D4" (or a single "A1"), its first corner above and left of its last.
std::optional<cell_range> parse_cell_range(std::string_view text);

}  // namespace ds_spreadsheet
