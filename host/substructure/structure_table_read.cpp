// Reading the structure table's cells: captions found by name, every value
// checked by the field catalogue, then the rules that tie lines together
// (heights per pedestal, rows 1 and 2, one structure's lines agreeing).
#include <algorithm>
#include <charconv>
#include <map>
#include <optional>

#include "host/text/number_parse.h"
#include "host/framework/string_tools.h"
#include "host/grid/cvq_variant.h"
#include "host/spreadsheet/cell_reference.h"
#include "host/substructure/structure_columns.h"
#include "host/substructure/structure_table.h"
#include "host/text/encoding.h"

namespace structure_table {

namespace {

namespace fc = field_catalogue;

std::string trimmed(const CString& text)
{
    std::string s = text.str();
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.back())) s.pop_back();
    s.erase(s.begin(), std::find_if_not(s.begin(), s.end(), blank));
    return s;
}

bool is_empty_line(const std::vector<CString>& line)
{
    return std::all_of(line.begin(), line.end(), [](const CString& cell) { return trimmed(cell).empty(); });
}

std::string shown(const CString& text) { return fc::escaped(ds_text::to_utf8_for_display(text)); }

std::string cell_name(std::size_t row, std::size_t column) { return ds_spreadsheet::cell_name({row, column}); }

int whole_of(const std::string& text)
{
    long long value = 0;
    number_parse::parse_whole(text, value);  // the cell passed the catalogue's check: "1e3" is 1000 here too
    return static_cast<int>(value);
}

double real_of(const std::string& text)
{
    double value = 0;
    grid_number_text::parse_real(CString(text.c_str()), value);
    return value;
}

/// The heights of a checked cell; equal heights collapse to one, so a row
/// reads the same however the engineer wrote a uniform height.
std::vector<double> heights_of(const std::string& text)
{
    std::vector<double> heights;
    for (const CString& piece : string_tools::split_string(CString(text.c_str()), column_field(col_heights).separators))
        if (const std::string one = trimmed(piece); !one.empty()) heights.push_back(real_of(one));
    if (!heights.empty() && std::all_of(heights.begin(), heights.end(), [&](double h) { return h == heights.front(); }))
        heights.resize(1);
    return heights;
}

class cells_reader {
public:
    cells_reader(const ds_spreadsheet::table& cells, const std::string& source) : m_cells(cells), m_source(source) {}

    read_outcome run()
    {
        const std::size_t header = header_row();
        find_columns(header);
        for (std::size_t r = header + 1; r < m_cells.size(); ++r)
            if (!is_empty_line(m_cells[r])) add_line(r);
        return std::move(m_outcome);
    }

private:
    [[noreturn]] void refuse(const std::string& why) const { throw table_error(m_source + ": " + why); }

    [[noreturn]] void refuse_cell(std::size_t r, std::size_t column, const std::string& value, const std::string& rule) const
    {
        refuse("cell " + cell_name(r, m_columns[column]) + " \"" + shown(column_caption(column)) + "\": \"" +
               shown(CString(value.c_str())) + "\" " + rule);
    }

    /// The row of captions: the first, or the second below the identity row.
    std::size_t header_row() const
    {
        const std::vector<CString> identity = identity_row();
        std::size_t r = 0;
        while (r < m_cells.size() && is_empty_line(m_cells[r])) ++r;
        if (r < m_cells.size() && !m_cells[r].empty() && trimmed(m_cells[r][0]) == identity[0].str()) {
            const CString named = m_cells[r].size() > 1 ? CString(trimmed(m_cells[r][1]).c_str()) : CString();
            if (named != identity[1])
                refuse("it holds the table of the drawing \"" + shown(named) + "\", not the structure table (\"" +
                       shown(identity[1]) + "\")");
            ++r;
        }
        if (r >= m_cells.size()) refuse("it holds no table: the row of captions (" + shown(column_caption(0)) + ", ...) is missing");
        return r;
    }

    void find_columns(std::size_t header)
    {
        m_columns.fill(npos);
        const std::vector<CString>& row = m_cells[header];
        for (std::size_t c = 0; c < row.size(); ++c) {
            const std::string caption = trimmed(row[c]);
            if (caption.empty()) continue;
            std::size_t column = 0;
            while (column < column_count && column_caption(column).str() != caption) ++column;
            if (column == column_count) {
                m_outcome.warnings.push_back("cell " + cell_name(header, c) + ": the column \"" + shown(row[c]) +
                                             "\" is not one of the structure table's; not read");
                continue;
            }
            if (m_columns[column] != npos)
                refuse("cell " + cell_name(header, c) + ": the caption \"" + shown(row[c]) + "\" stands twice (also in " +
                       cell_name(header, m_columns[column]) + ")");
            m_columns[column] = c;
        }
        for (std::size_t column = 0; column < column_count; ++column)
            if (m_columns[column] == npos && !column_layout()[column].default_text)
                refuse("row " + std::to_string(header + 1) + " has no column \"" + shown(column_caption(column)) +
                       "\"; the structure table's captions are " + captions_list());
    }

    std::string captions_list() const
    {
        std::string list;
        for (std::size_t column = 0; column < column_count; ++column)
            list += (column ? ", " : "") + shown(column_caption(column));
        return list;
    }

    /// The checked text of one cell, or the column's default when the table has no such column.
    std::string value(std::size_t r, std::size_t column) const
    {
        if (m_columns[column] == npos) return column_layout()[column].default_text;
        const std::vector<CString>& line = m_cells[r];
        const std::string text = m_columns[column] < line.size() ? trimmed(line[m_columns[column]]) : std::string();
        if (const auto refused = fc::check(column_field(column), CString(text.c_str())))
            refuse_cell(r, column, text, refused->rule + (refused->hint.empty() ? "" : " (" + refused->hint + ")"));
        return text;
    }

    table_row read_line(std::size_t r) const
    {
        table_row line;
        line.bridge_part = CString(value(r, col_part).c_str());
        line.number = whole_of(value(r, col_number));
        line.type_name = CString(value(r, col_type).c_str());
        line.concrete = CString(value(r, col_concrete).c_str());
        line.scale = whole_of(value(r, col_scale));
        line.cover = real_of(value(r, col_cover));
        line.row = whole_of(value(r, col_row));
        line.position = real_of(value(r, col_position));
        line.count = whole_of(value(r, col_count));
        line.width = real_of(value(r, col_width));
        line.length = real_of(value(r, col_length));
        const std::string heights = value(r, col_heights);
        line.heights = heights_of(heights);
        line.angle = real_of(value(r, col_angle));
        line.note = CString(value(r, col_note).c_str());
        const std::size_t given = fc::height_count(column_field(col_heights), CString(heights.c_str()));
        if (given != 1 && given != static_cast<std::size_t>(line.count))
            refuse_cell(r, col_heights, heights, "holds " + std::to_string(given) + " heights for " +
                                                     std::to_string(line.count) +
                                                     " pedestals; give one height for the row or one per pedestal");
        if (line.row == 2 && line.position == 0.0)
            refuse_cell(r, col_position, value(r, col_position),
                        "puts row 2 on the axis; row 2 stands on the larger-chainage side, above 0 mm from the axis "
                        "(a pedestal at 0 counts as row 1)");
        return line;
    }

    /// The first shared setting in which `line` differs from the structure's first line.
    std::optional<std::size_t> differing_setting(const table_row& line, const table_row& first) const
    {
        if (line.type_name != first.type_name) return col_type;
        if (line.concrete != first.concrete) return col_concrete;
        if (line.scale != first.scale) return col_scale;
        if (line.cover != first.cover) return col_cover;
        if (line.note != first.note) return col_note;
        return std::nullopt;
    }

    void add_line(std::size_t r)
    {
        table_row line = read_line(r);
        const structure_key key{line.bridge_part, line.number, is_abutment_type(line.type_name)};
        const auto [it, added] = m_index.try_emplace(key, m_outcome.structures.size());
        if (added) {
            if (m_outcome.structures.size() == max_structures)
                refuse("row " + std::to_string(r + 1) + ": the table holds more than " + std::to_string(max_structures) +
                       " structures, the most one table may hold");
            m_outcome.structures.push_back({key, {}});
            m_first_line.push_back(r);
        }
        structure& s = m_outcome.structures[it->second];
        for (const table_row& other : s.rows)
            if (other.row == line.row)
                refuse_cell(r, col_row, std::to_string(line.row),
                            "gives row " + std::to_string(line.row) + " of " + ds_text::to_utf8(structure_name(key)) +
                                " a second time (first in row " + std::to_string(m_first_line[it->second] + 1) +
                                "); each row of a structure is one line");
        if (!s.rows.empty())
            if (const auto column = differing_setting(line, s.rows.front()))
                refuse_cell(r, *column, value(r, *column),
                            "differs from row " + std::to_string(m_first_line[it->second] + 1) + " of " +
                                ds_text::to_utf8(structure_name(key)) +
                                "; the lines of one structure share its type, concrete, scale, cover and note");
        s.rows.push_back(std::move(line));
        std::sort(s.rows.begin(), s.rows.end(), [](const table_row& a, const table_row& b) { return a.row < b.row; });
    }

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    const ds_spreadsheet::table& m_cells;
    const std::string& m_source;
    std::array<std::size_t, column_count> m_columns{};
    std::map<structure_key, std::size_t> m_index;
    std::vector<std::size_t> m_first_line;
    read_outcome m_outcome;
};

}  // namespace

read_outcome from_cells(const ds_spreadsheet::table& cells, const std::string& source)
{
    return cells_reader(cells, source).run();
}

}  // namespace structure_table
