// XLSX workbooks through libxlsxwriter, written to a scratch file beside the
// target and then renamed into place.
#include "host/spreadsheet/xlsx_write.h"

#include <xlsxwriter.h>


#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <tuple>

#include "host/framework/atomic_file.h"
#include "host/grid/cvq_variant.h"
#include "host/text/encoding.h"
#include "host/text/utf8.h"

namespace ds_spreadsheet {

namespace {

constexpr double min_column_width = 8.0;
constexpr double max_column_width = 80.0;
constexpr lxw_color_t header_fill = 0xDDEBF7;
constexpr std::uint8_t a4_paper = 9;

/// Places a UTF-8 text takes in a column: East Asian wide characters take two.
std::size_t display_width(const std::string& utf8)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = utf8_text::sequence_length(lead);
        width += length >= 3 ? 2 : 1;  // U+0800 and above: CJK and full-width forms in practice
        i += length;
    }
    return width;
}

/// The formats of a workbook, made once for each combination a cell needs.
class format_set {
public:
    explicit format_set(lxw_workbook* book) : m_book(book) {}

    /// `number_format`: "@" for text, "" for General, or a code such as "\"1:\"0".
    lxw_format* get(bool header, const std::string& number_format, bool locked)
    {
        lxw_format*& format = m_made[{header, number_format, locked}];
        if (format) return format;
        format = workbook_add_format(m_book);
        if (header) {
            format_set_bold(format);
            format_set_bg_color(format, header_fill);
            format_set_border(format, LXW_BORDER_THIN);
        }
        if (!number_format.empty()) format_set_num_format(format, number_format.c_str());
        if (!locked) format_set_unlocked(format);
        return format;
    }

private:
    lxw_workbook* m_book;
    std::map<std::tuple<bool, std::string, bool>, lxw_format*> m_made;
};

/// The table converted to UTF-8, cell by cell; a cell that does not convert names its place.
std::vector<std::vector<std::string>> utf8_cells(const table& rows, const std::string& source)
{
    std::vector<std::vector<std::string>> out(rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            try {
                out[r].push_back(ds_text::to_utf8(rows[r][c]));
            } catch (const ds_text::conversion_error& e) {
                throw spreadsheet_error(source + ": row " + std::to_string(r + 1) + ", column " +
                                        std::to_string(c + 1) + ": " + e.what());
            }
        }
    }
    return out;
}

using cell_set = std::set<std::pair<std::size_t, std::size_t>>;

cell_set as_set(const std::vector<cell_ref>& cells)
{
    cell_set set;
    for (const cell_ref& cell : cells) set.insert({cell.row, cell.column});
    return set;
}

/// Widths from the widest cell; a column's own format reaches rows not yet typed.
void set_columns(lxw_worksheet* sheet, const std::vector<std::vector<std::string>>& cells, const table_layout& layout,
                 format_set& formats)
{
    std::vector<std::size_t> widths;
    for (const auto& row : cells) {
        if (row.size() > widths.size()) widths.resize(row.size(), 0);
        for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], display_width(row[c]));
    }
    const bool open = layout.locked_cells.empty();
    for (std::size_t c = 0; c < widths.size(); ++c) {
        const double width = std::clamp(static_cast<double>(widths[c]) + 2.0, min_column_width, max_column_width);
        const bool text = std::count(layout.text_columns.begin(), layout.text_columns.end(), c) > 0;
        lxw_format* format = text || !open ? formats.get(false, text ? "@" : "", false) : nullptr;
        worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), width, format);
    }
}

void write_cells(lxw_worksheet* sheet, const std::vector<std::vector<std::string>>& cells, const table& rows,
                 const table_layout& layout, format_set& formats)
{
    const std::set<std::size_t> headers(layout.header_rows.begin(), layout.header_rows.end());
    const cell_set numbers = as_set(layout.number_cells), locked = as_set(layout.locked_cells);
    std::map<std::pair<std::size_t, std::size_t>, std::string> number_formats;
    for (const cell_number_format& f : layout.number_formats) number_formats[{f.cell.row, f.cell.column}] = f.format;
    for (std::size_t r = 0; r < cells.size(); ++r)
        for (std::size_t c = 0; c < cells[r].size(); ++c) {
            const auto row = static_cast<lxw_row_t>(r);
            const auto col = static_cast<lxw_col_t>(c);
            const bool lock = locked.count({r, c}) > 0, header = headers.count(r) > 0;
            double value = 0.0;
            if (numbers.count({r, c}) && grid_number_text::parse_real(rows[r][c], value)) {
                const auto custom = number_formats.find({r, c});
                worksheet_write_number(sheet, row, col, value,
                                       formats.get(header, custom == number_formats.end() ? "" : custom->second, lock));
            } else {
                worksheet_write_string(sheet, row, col, cells[r][c].c_str(), formats.get(header, "@", lock));
            }
        }
}

void check(lxw_error rc, const std::string& source, const std::string& what)
{
    if (rc != LXW_NO_ERROR) throw spreadsheet_error(source + ": " + what + ": " + lxw_strerror(rc));
}

/// A null-terminated list of the choices' UTF-8 texts, kept alive by `texts`.
std::vector<const char*> choice_list(const std::vector<CString>& choices, std::vector<std::string>& texts)
{
    for (const CString& choice : choices) texts.push_back(ds_text::to_utf8(choice));
    std::vector<const char*> pointers;
    for (const std::string& text : texts) pointers.push_back(text.c_str());
    pointers.push_back(nullptr);
    return pointers;
}

void add_choices(lxw_worksheet* sheet, const table_layout& layout, const std::string& source)
{
    for (const cell_choices& list : layout.choices) {
        std::vector<std::string> texts;
        std::vector<const char*> pointers = choice_list(list.choices, texts);
        lxw_data_validation validation{};
        validation.validate = LXW_VALIDATION_TYPE_LIST;
        validation.value_list = const_cast<char**>(pointers.data());
        validation.error_type = LXW_VALIDATION_ERROR_TYPE_WARNING;
        check(worksheet_data_validation_cell(sheet, static_cast<lxw_row_t>(list.cell.row),
                                             static_cast<lxw_col_t>(list.cell.column), &validation),
              source, "the choice list of row " + std::to_string(list.cell.row + 1));
    }
}

void add_validations(lxw_worksheet* sheet, const table_layout& layout, const std::string& source)
{
    for (const cell_validation& v : layout.validations) {
        std::vector<std::string> texts;
        std::vector<const char*> pointers = choice_list(v.choices, texts);
        lxw_data_validation validation{};
        validation.error_type = LXW_VALIDATION_ERROR_TYPE_STOP;
        if (v.type == cell_validation::kind::list) {
            validation.validate = LXW_VALIDATION_TYPE_LIST;
            validation.value_list = const_cast<char**>(pointers.data());
        } else {
            validation.validate = v.type == cell_validation::kind::whole ? LXW_VALIDATION_TYPE_INTEGER : LXW_VALIDATION_TYPE_DECIMAL;
            validation.criteria = LXW_VALIDATION_CRITERIA_BETWEEN;
            validation.minimum_number = v.minimum;
            validation.maximum_number = v.maximum;
        }
        // Excel keeps a validation message to 255 characters.
        const std::string message = v.message.substr(0, 200);
        if (!message.empty()) validation.error_message = const_cast<char*>(message.c_str());
        check(worksheet_data_validation_range(sheet, static_cast<lxw_row_t>(v.cells.first.row),
                                              static_cast<lxw_col_t>(v.cells.first.column),
                                              static_cast<lxw_row_t>(v.cells.last.row),
                                              static_cast<lxw_col_t>(v.cells.last.column), &validation),
              source, "the check of cell " + cell_name(v.cells.first));
    }
}

/// Frozen header, filter, comments, page set-up and protection.
void finish_sheet(lxw_worksheet* sheet, const table_layout& layout, const std::string& source)
{
    if (layout.frozen_rows > 0) worksheet_freeze_panes(sheet, static_cast<lxw_row_t>(layout.frozen_rows), 0);
    if (!layout.header_rows.empty()) {
        const auto [first, last] = std::minmax_element(layout.header_rows.begin(), layout.header_rows.end());
        check(worksheet_repeat_rows(sheet, static_cast<lxw_row_t>(*first), static_cast<lxw_row_t>(*last)), source, "print titles");
    }
    if (const auto& f = layout.autofilter)
        check(worksheet_autofilter(sheet, static_cast<lxw_row_t>(f->first.row), static_cast<lxw_col_t>(f->first.column),
                                   static_cast<lxw_row_t>(f->last.row), static_cast<lxw_col_t>(f->last.column)),
              source, "the filter");
    for (const cell_comment& comment : layout.comments)
        check(worksheet_write_comment(sheet, static_cast<lxw_row_t>(comment.cell.row),
                                      static_cast<lxw_col_t>(comment.cell.column), comment.text.c_str()),
              source, "the comment of cell " + cell_name(comment.cell));
    worksheet_set_paper(sheet, a4_paper);
    worksheet_set_landscape(sheet);
    worksheet_fit_to_pages(sheet, 1, 0);
    if (layout.locked_cells.empty()) return;
    lxw_protection allowed{};  // a 1 lets a person do it on the protected sheet
    allowed.format_cells = allowed.format_columns = allowed.format_rows = 1;
    allowed.insert_rows = allowed.delete_rows = allowed.sort = allowed.autofilter = 1;
    worksheet_protect(sheet, nullptr, &allowed);
}

void add_sheet(lxw_workbook* book, const workbook_sheet& s, format_set& formats, const std::string& source)
{
    const auto cells = utf8_cells(s.rows, source);
    lxw_worksheet* sheet = workbook_add_worksheet(book, s.layout.sheet_name.c_str());
    if (!sheet) throw spreadsheet_error(source + ": \"" + s.layout.sheet_name + "\" cannot name a sheet (or names two)");
    set_columns(sheet, cells, s.layout, formats);
    write_cells(sheet, cells, s.rows, s.layout, formats);
    add_choices(sheet, s.layout, source);
    add_validations(sheet, s.layout, source);
    finish_sheet(sheet, s.layout, source);
}

}  // namespace

void write_xlsx_workbook(const std::filesystem::path& file, const std::vector<workbook_sheet>& sheets)
{
    const std::string source = file.string();
    ds_file::scratch_file scratch(file);  // libxlsxwriter writes only to a file name
    lxw_workbook* book = workbook_new(scratch.path().c_str());
    if (!book) throw spreadsheet_error(source + ": cannot start a workbook");
    try {
        format_set formats(book);
        for (const workbook_sheet& sheet : sheets) add_sheet(book, sheet, formats, source);
    } catch (...) {
        workbook_close(book);
        throw;
    }
    if (const lxw_error rc = workbook_close(book); rc != LXW_NO_ERROR)
        throw spreadsheet_error(source + ": " + lxw_strerror(rc));
    scratch.commit();
}

void write_xlsx_file(const std::filesystem::path& file, const table& rows, const table_layout& layout)
{
    write_xlsx_workbook(file, {{rows, layout}});
}

std::string sheet_name_for(const std::string& utf8, const std::string& fallback, std::size_t characters)
{
    std::string name;
    characters = std::min<std::size_t>(characters, 31);
    for (std::size_t i = 0, taken = 0; i < utf8.size() && taken < characters; ++taken) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = utf8_text::sequence_length(lead);
        const bool banned = lead < 0x20 || lead == 0x7F || std::string_view("[]:*?/\\").find(utf8[i]) != std::string_view::npos;
        name += banned ? std::string("_") : utf8.substr(i, length);
        i += length;
    }
    while (!name.empty() && name.front() == '\'') name.erase(0, 1);
    while (!name.empty() && name.back() == '\'') name.pop_back();
    return name.empty() ? fallback : name;
}

}  // namespace ds_spreadsheet
