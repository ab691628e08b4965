// Strict cells at the spreadsheet door: captions in place, numbers of their
// kind inside the host's limits, and nothing the strategy would skip unsaid.
#include "app/spreadsheet_cells.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <stdexcept>

#include "app/console.h"
#include "host/framework/input_limits.h"
#include "host/grid/cvq_variant.h"

namespace ds_app {

namespace {

/// Value cells (cell 1) of the caption rows that hold numbers.
struct caption_kind {
    const char* caption;
    cell_kind kind;
};
const caption_kind caption_kinds[] = {
    {"横桥向宽度(mm)", cell_kind::size}, {"顺桥向长度(mm)", cell_kind::size}, {"斜交角(°)", cell_kind::angle},
    {"垫石个数", cell_kind::count},      {"墩台号", cell_kind::integer},      {"比例", cell_kind::scale},
};
/// First cell of the header row above a parametric drawing's list rows.
const char* const list_header_caption = "桥幅";
/// Number cells of a list row: structure number and pedestal count.
const cell_kind list_kinds[] = {cell_kind::text, cell_kind::integer, cell_kind::count};

bool is_list_header(const excel_table& expected, std::size_t row)
{
    return expected[row].size() > 2 && expected[row][0] == list_header_caption;
}

std::string trimmed(const CString& text)
{
    std::string s = text.str();
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.back())) s.pop_back();
    s.erase(s.begin(), std::find_if_not(s.begin(), s.end(), blank));
    return s;
}

/// An optionally signed run of digits that fits a long long.
bool read_whole(const CString& text, long long& out)
{
    std::string s = trimmed(text);
    if (s.size() > 1 && s[0] == '+' && s[1] != '-') s.erase(0, 1);
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return !s.empty() && ec == std::errc() && end == s.data() + s.size();
}

/// Why `text` does not fit a cell of `kind`, or "" when it does.
std::string misfit(cell_kind kind, const CString& text)
{
    long long whole = 0;
    double real = 0.0;
    switch (kind) {
    case cell_kind::text: return {};
    case cell_kind::integer:
        return read_whole(text, whole) && whole >= INT_MIN && whole <= INT_MAX ? std::string()
                                                                               : "needs a whole number that fits an int";
    case cell_kind::count:
        return read_whole(text, whole) && input_limits::count_in_range(whole)
                   ? std::string()
                   : "needs a whole number from 0 to " + std::to_string(input_limits::max_pedestals_per_row);
    case cell_kind::scale:
        return read_whole(text, whole) && input_limits::scale_in_range(whole)
                   ? std::string()
                   : "needs a whole number from 1 to " + std::to_string(input_limits::max_drawing_scale);
    case cell_kind::size:
        return grid_number_text::parse_real(text, real) && input_limits::size_or_unset_in_range(real)
                   ? std::string()
                   : "needs a size in mm above 0 and at most " + std::to_string(int(input_limits::max_size_mm)) + " (or 0, not given)";
    case cell_kind::angle:
        return grid_number_text::parse_real(text, real) && input_limits::angle_or_unset_in_range(real)
                   ? std::string()
                   : "needs an angle in degrees above 0 and below 180 (or 0, not given)";
    }
    return {};
}

bool is_empty_row(const std::vector<CString>& row)
{
    return std::all_of(row.begin(), row.end(), [](const CString& cell) { return trimmed(cell).empty(); });
}

/// Width a row of the read table must have: the drawing's own row, or the list header's for list rows.
std::size_t expected_width(const excel_table& expected, std::size_t row)
{
    if (row < expected.size()) return expected[row].size();
    const std::size_t captions = caption_rows(expected);
    return captions > 0 && is_list_header(expected, captions - 1) ? expected[captions - 1].size() : 0;
}

class table_checker {
public:
    table_checker(const std::string& source, const excel_table& read, const excel_table& expected)
        : m_source(source), m_read(read), m_expected(expected), m_captions(caption_rows(expected))
    {
    }

    std::vector<std::string> run()
    {
        if (m_read.size() < m_captions)
            refuse(m_read.size(), "missing; the drawing's table has " + std::to_string(m_captions) + " caption rows");
        for (std::size_t r = 0; r < m_read.size(); ++r) check_row(r);
        return std::move(m_warnings);
    }

private:
    [[noreturn]] void refuse(std::size_t row, const std::string& why) const
    {
        throw std::runtime_error("cannot import " + m_source + ": row " + std::to_string(row + 1) + ": " + why +
                                 "; nothing was changed");
    }

    bool has_list() const { return m_captions > 0 && is_list_header(m_expected, m_captions - 1); }

    void check_row(std::size_t r)
    {
        const std::vector<CString>& row = m_read[r];
        if (r >= m_captions && !has_list()) {
            if (!is_empty_row(row))
                m_warnings.push_back("row " + std::to_string(r + 1) + " (\"" + shown(row[0]) +
                                     "\") is not part of the drawing's table; not read");
            return;
        }
        if (r < m_captions) check_captions(r);
        const std::size_t width = expected_width(m_expected, r);
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c >= width) {
                if (!trimmed(row[c]).empty())
                    m_warnings.push_back("row " + std::to_string(r + 1) + ", column " + std::to_string(c + 1) + ": \"" +
                                         shown(row[c]) + "\" is not part of the drawing's table; not read");
                continue;
            }
            const std::string why = misfit(kind_of_cell(m_expected, r, c), row[c]);
            if (!why.empty()) refuse(r, "\"" + shown(caption_of(r, c)) + "\" " + why + ", found \"" + shown(row[c]) + "\"");
        }
    }

    /// Caption rows carry their caption in cell 0; the list header carries every column's.
    void check_captions(std::size_t r) const
    {
        const std::size_t captioned = is_list_header(m_expected, r) ? m_expected[r].size() : 1;
        for (std::size_t c = 0; c < captioned; ++c)
            if (trimmed(m_read[r][c]) != m_expected[r][c].str())
                refuse(r, "expected the caption \"" + shown(m_expected[r][c]) + "\", found \"" + shown(m_read[r][c]) + "\"");
    }

    CString caption_of(std::size_t r, std::size_t c) const
    {
        return r < m_captions ? m_expected[r][0] : m_expected[m_captions - 1][c];
    }

    const std::string& m_source;
    const excel_table& m_read;
    const excel_table& m_expected;
    std::size_t m_captions;
    std::vector<std::string> m_warnings;
};

}  // namespace

std::size_t caption_rows(const excel_table& expected)
{
    for (std::size_t r = 0; r < expected.size(); ++r)
        if (is_list_header(expected, r)) return r + 1;
    return expected.size();
}

cell_kind kind_of_cell(const excel_table& expected, std::size_t row, std::size_t column)
{
    const std::size_t captions = caption_rows(expected);
    if (row >= captions) return column < std::size(list_kinds) ? list_kinds[column] : cell_kind::text;
    if (column != 1 || is_list_header(expected, row)) return cell_kind::text;
    for (const caption_kind& k : caption_kinds)
        if (expected[row][0] == k.caption) return k.kind;
    return cell_kind::text;
}

std::vector<ds_spreadsheet::cell_ref> number_cells(const excel_table& expected)
{
    std::vector<ds_spreadsheet::cell_ref> cells;
    for (std::size_t r = 0; r < expected.size(); ++r)
        for (std::size_t c = 0; c < expected[r].size(); ++c)
            if (kind_of_cell(expected, r, c) != cell_kind::text) cells.push_back({r, c});
    return cells;
}

void normalise_read_table(excel_table& read, const excel_table& expected)
{
    while (!read.empty() && is_empty_row(read.back())) read.pop_back();
    for (std::size_t r = 0; r < read.size(); ++r)
        if (read[r].size() < expected_width(expected, r)) read[r].resize(expected_width(expected, r));
}

std::vector<std::string> check_read_table(const std::string& source, const excel_table& read,
                                          const excel_table& expected)
{
    return table_checker(source, read, expected).run();
}

}  // namespace ds_app
