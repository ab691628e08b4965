// Strict cells at the spreadsheet door: captions in place, every value cell
// checked by the field catalogue, and nothing the strategy would skip unsaid.
#include "app/core/exchange/spreadsheet_cells.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_set>

#include "app/core/project/shown_text.h"

namespace ds_app {

namespace {

/// First cell of the header row above a parametric drawing's list rows.
const char* const list_header_caption = "桥幅";

bool is_list_header(const excel_table& expected, std::size_t row)
{
    return expected[row].size() > 2 && expected[row][0] == list_header_caption;
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
    table_checker(const std::string& source, excel_table& read, const excel_table& expected)
        : m_source(source), m_read(read), m_expected(expected), m_captions(caption_rows(expected))
    {
    }

    std::vector<std::string> run()
    {
        if (m_read.size() < m_captions) refuse(missing_caption_row());
        for (std::size_t r = 0; r < m_read.size(); ++r) check_row(r);
        note_unknown_captions();
        note_height_counts();
        return std::move(m_warnings);
    }

private:
    [[noreturn]] void refuse(const std::string& why) const
    {
        throw std::runtime_error("cannot import " + m_source + ": " + why + "; nothing was changed");
    }

    bool has_list() const { return m_captions > 0 && is_list_header(m_expected, m_captions - 1); }

    /// A file with fewer rows than the drawing's captions: the first caption
    /// no row of the file carries, named by its caption, since the rows below
    /// a deleted one have moved up and their numbers no longer point at it.
    std::string missing_caption_row() const
    {
        for (std::size_t r = 0; r < m_captions; ++r) {
            const std::string caption = m_expected[r][0].str();
            const bool present = std::any_of(m_read.begin(), m_read.end(), [&](const std::vector<CString>& row) {
                return !row.empty() && trimmed(row[0]) == caption;
            });
            if (!present)
                return "the row \"" + shown(m_expected[r][0]) + "\" (row " + std::to_string(r + 1) +
                       " of the drawing's table) is missing";
        }
        return "the file has " + std::to_string(m_read.size()) + " rows, fewer than the drawing's table's " +
               std::to_string(m_captions) + " caption rows";
    }

    void check_row(std::size_t r)
    {
        std::vector<CString>& row = m_read[r];
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
                    m_warnings.push_back("cell " + cell_name(r, c) + ": \"" + shown(row[c]) +
                                         "\" is not part of the drawing's table; not read");
                continue;
            }
            check_cell(r, c);
        }
    }

    void check_cell(std::size_t r, std::size_t c)
    {
        const cell_field at = field_of_cell(m_expected, r, c);
        if (!at.field) return;
        CString& value = m_read[r][c];
        if (at.place->read_only) {
            if (trimmed(value) != trimmed(m_expected[r][c])) {
                m_warnings.push_back("cell " + cell_name(r, c) + " \"" + shown(CString(at.place->caption)) + "\": \"" +
                                     shown(value) + "\" ignored; a parametric drawing's list rows carry this value, "
                                     "so this cell is shown, not read");
                value = m_expected[r][c];
            }
            return;
        }
        // A value the drawing exported comes back as it went: it loaded, so it
        // saves. Only what the person typed is the door's question (a fresh
        // drawing's empty heights stay empty until someone fills them in).
        if (r < m_expected.size() && c < m_expected[r].size() && value == m_expected[r][c]) return;
        if (const auto refused = field_catalogue::check(*at.field, value))
            refuse("cell " + cell_name(r, c) + " \"" + shown(CString(at.place->caption)) + "\": \"" + shown(value) + "\" " +
                   refused->rule + (refused->hint.empty() ? "" : " (" + refused->hint + ")"));
        value = field_catalogue::canonical(*at.field, value);  // the strategy reads "1e3" as 1: hand it "1000"
    }

    /// Caption rows carry their caption in cell 0; the list header carries every column's.
    void check_captions(std::size_t r) const
    {
        const std::size_t captioned = is_list_header(m_expected, r) ? m_expected[r].size() : 1;
        for (std::size_t c = 0; c < captioned; ++c) {
            if (trimmed(m_read[r][c]) == m_expected[r][c].str()) continue;
            const bool elsewhere = std::any_of(m_read.begin(), m_read.end(), [&](const std::vector<CString>& row) {
                return !row.empty() && trimmed(row[0]) == m_expected[r][c].str();
            });
            refuse("cell " + cell_name(r, c) + ": expected the caption \"" + shown(m_expected[r][c]) + "\", found \"" +
                   shown(m_read[r][c]) + "\"" +
                   (elsewhere ? " (the rows are in another order than the drawing's table)"
                              : " (the row \"" + shown(m_expected[r][c]) + "\" is missing)"));
        }
    }

    /// A caption the field catalogue does not hold has no check behind it:
    /// the strategy still reads the value beside or below it, so say so.
    void note_unknown_captions()
    {
        for (std::size_t r = 0; r < m_captions; ++r) {
            const bool header = is_list_header(m_expected, r);
            const char* sheet = header ? field_catalogue::parametric_sheet_list : sheet_of(m_expected);
            const std::size_t captioned = header ? m_expected[r].size() : std::min<std::size_t>(m_expected[r].size(), 1);
            for (std::size_t c = 0; c < captioned; ++c)
                if (!field_catalogue::is_caption(sheet, m_expected[r][c].str()))
                    m_warnings.push_back("cell " + cell_name(r, c) + " \"" + shown(m_expected[r][c]) +
                                         "\": no field of the host has this caption; " +
                                         (header ? "the list's values below it are" : "its value is") + " read unchecked");
        }
    }

    /// The read cell of the field named `name` in row `r`, or null.
    const CString* cell_of(std::size_t r, const char* name) const
    {
        for (std::size_t c = 0; c < m_read[r].size() && c < expected_width(m_expected, r); ++c) {
            const cell_field at = field_of_cell(m_expected, r, c);
            if (at.field && std::string_view(at.field->name) == name) return &m_read[r][c];
        }
        return nullptr;
    }

    void note_height_count(std::size_t heights_row, const CString* count, const CString* heights,
                           const field_catalogue::field& heights_field)
    {
        if (!count || !heights) return;
        const long long pedestals = std::atoll(count->GetString());
        const std::size_t read = field_catalogue::height_count(heights_field, *heights);
        if (read == 0 || pedestals < 0 || static_cast<std::size_t>(pedestals) == read) return;
        m_warnings.push_back("row " + std::to_string(heights_row + 1) + ": " + std::to_string(read) + " height(s) for " +
                             std::to_string(pedestals) + " pedestal(s); " +
                             (static_cast<std::size_t>(pedestals) > read ? "the last height stands for the rest"
                                                                          : "heights beyond the count are not drawn"));
    }

    /// The cell (r, c) holds what the drawing exported there.
    bool as_exported(std::size_t r, std::size_t c) const
    {
        return r < m_expected.size() && c < m_expected[r].size() && c < m_read[r].size() &&
               trimmed(m_read[r][c]) == trimmed(m_expected[r][c]);
    }

    /// A list row's cells joined, to tell a row the drawing exported from one
    /// the person changed, wherever the row now stands.
    static std::string row_key(const std::vector<CString>& row, std::size_t width)
    {
        std::string key;
        for (std::size_t c = 0; c < width; ++c) key += (c < row.size() ? trimmed(row[c]) : std::string()) + '\x1f';
        return key;
    }

    /// Heights and counts that disagree are said where the person made them
    /// disagree; a drawing that already held them imports back without a word.
    void note_height_counts()
    {
        const std::size_t first_list_row = has_list() ? m_captions : m_read.size();
        const CString* count = nullptr;
        const CString* heights = nullptr;
        std::size_t heights_row = 0, count_row = 0;
        const field_catalogue::field* heights_field = nullptr;
        for (std::size_t r = 0; r < std::min(first_list_row, m_read.size()); ++r) {
            const cell_field at = field_of_cell(m_expected, r, 1);
            if (!at.field || at.place->read_only || m_read[r].size() < 2) continue;
            if (std::string_view(at.field->name) == "gz.count") count = &m_read[r][1], count_row = r;
            if (std::string_view(at.field->name) == "gz.heights") heights = &m_read[r][1], heights_row = r, heights_field = at.field;
        }
        if (heights_field && !(as_exported(count_row, 1) && as_exported(heights_row, 1)))
            note_height_count(heights_row, count, heights, *heights_field);
        if (first_list_row >= m_read.size()) return;
        const std::size_t width = m_expected[m_captions - 1].size();
        std::unordered_set<std::string> exported_rows;
        for (std::size_t r = m_captions; r < m_expected.size(); ++r) exported_rows.insert(row_key(m_expected[r], width));
        for (std::size_t r = first_list_row; r < m_read.size(); ++r) {
            const cell_field at = field_of_cell(m_expected, r, 3);
            if (at.field && !exported_rows.contains(row_key(m_read[r], width)))
                note_height_count(r, cell_of(r, "row.count"), cell_of(r, "row.heights"), *at.field);
        }
    }

    const std::string& m_source;
    excel_table& m_read;
    const excel_table& m_expected;
    std::size_t m_captions;
    std::vector<std::string> m_warnings;
};

}  // namespace

std::string trimmed(const CString& text)
{
    std::string s = text.str();
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.back())) s.pop_back();
    s.erase(s.begin(), std::find_if_not(s.begin(), s.end(), blank));
    return s;
}

const char* sheet_of(const excel_table& expected)
{
    const std::size_t captions = caption_rows(expected);
    return captions > 0 && is_list_header(expected, captions - 1) ? field_catalogue::parametric_sheet
                                                                  : field_catalogue::single_sheet;
}

std::size_t caption_rows(const excel_table& expected)
{
    for (std::size_t r = 0; r < expected.size(); ++r)
        if (is_list_header(expected, r)) return r + 1;
    return expected.size();
}

cell_field field_of_cell(const excel_table& expected, std::size_t row, std::size_t column)
{
    const std::size_t captions = caption_rows(expected);
    CString caption;
    if (row >= captions) {
        if (captions == 0 || !is_list_header(expected, captions - 1) || column >= expected[captions - 1].size()) return {};
        caption = expected[captions - 1][column];
    } else {
        if (column != 1 || row >= expected.size() || is_list_header(expected, row) || expected[row].empty()) return {};
        caption = expected[row][0];
    }
    const char* sheet = row >= captions ? field_catalogue::parametric_sheet_list : sheet_of(expected);
    const field_catalogue::field* f = field_catalogue::find_by_caption(sheet, caption);
    if (!f) return {};
    for (const field_catalogue::place& p : f->places)
        if (caption == p.caption && CString(sheet) == p.table) return {f, &p};
    return {};
}

std::vector<ds_spreadsheet::cell_ref> number_cells(const excel_table& expected)
{
    std::vector<ds_spreadsheet::cell_ref> cells;
    for (std::size_t r = 0; r < expected.size(); ++r)
        for (std::size_t c = 0; c < expected[r].size(); ++c) {
            const cell_field at = field_of_cell(expected, r, c);
            if (at.field && (at.field->kind == field_catalogue::field_kind::whole ||
                             at.field->kind == field_catalogue::field_kind::real))
                cells.push_back({r, c});
        }
    return cells;
}

std::string cell_name(std::size_t row, std::size_t column)
{
    std::string letters;
    for (std::size_t n = column + 1; n > 0; n = (n - 1) / 26) letters.insert(letters.begin(), char('A' + (n - 1) % 26));
    return letters + std::to_string(row + 1);
}

void normalise_read_table(excel_table& read, const excel_table& expected)
{
    while (!read.empty() && is_empty_row(read.back())) read.pop_back();
    for (std::size_t r = 0; r < read.size(); ++r)
        if (read[r].size() < expected_width(expected, r)) read[r].resize(expected_width(expected, r));
}

std::vector<std::string> check_read_table(const std::string& source, excel_table& read, const excel_table& expected)
{
    return table_checker(source, read, expected).run();
}

}  // namespace ds_app
