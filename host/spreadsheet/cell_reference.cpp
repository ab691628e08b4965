// A1 references, strictly: a reference that does not read is an error, never
// a cell somewhere else.
#include "host/spreadsheet/cell_reference.h"

namespace ds_spreadsheet {

std::string cell_name(cell_ref cell)
{
    std::string letters;
    for (std::size_t c = cell.column + 1; c > 0; c = (c - 1) / 26) letters.insert(letters.begin(), char('A' + (c - 1) % 26));
    return letters + std::to_string(cell.row + 1);
}

std::optional<cell_ref> parse_cell_name(std::string_view text)
{
    std::size_t i = 0, column = 0, row = 0;
    for (; i < text.size() && text[i] >= 'A' && text[i] <= 'Z' && i < 3; ++i)
        column = column * 26 + static_cast<std::size_t>(text[i] - 'A' + 1);
    const std::size_t letters = i;
    if (letters == 0 || column > max_sheet_columns || i >= text.size() || text[i] == '0') return std::nullopt;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && i - letters < 7; ++i)
        row = row * 10 + static_cast<std::size_t>(text[i] - '0');
    if (i != text.size() || row == 0 || row > max_sheet_rows) return std::nullopt;
    return cell_ref{row - 1, column - 1};
}

std::optional<cell_range> parse_cell_range(std::string_view text)
{
    const std::size_t colon = text.find(':');
    const auto first = parse_cell_name(text.substr(0, colon));
    const auto last = colon == std::string_view::npos ? first : parse_cell_name(text.substr(colon + 1));
    if (!first || !last || last->row < first->row || last->column < first->column) return std::nullopt;
    return cell_range{*first, *last};
}

}  // namespace ds_spreadsheet
