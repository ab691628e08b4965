// XLSX workbooks through libxlsxwriter, written to a scratch file and then
// moved into place atomically.
#include "host/spreadsheet/xlsx_write.h"

#include <xlsxwriter.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>

#include "host/framework/atomic_file.h"
#include "host/grid/cvq_variant.h"
#include "host/text/encoding.h"

namespace ds_spreadsheet {

namespace {

constexpr double min_column_width = 8.0;
constexpr double max_column_width = 80.0;
constexpr lxw_color_t header_fill = 0xDDEBF7;

/// Places a UTF-8 text takes in a column: East Asian wide characters take two.
std::size_t display_width(const std::string& utf8)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        width += length >= 3 ? 2 : 1;  // U+0800 and above: CJK and full-width forms in practice
        i += length;
    }
    return width;
}

/// A scratch file for libxlsxwriter, which writes only to a named file; removed on destruction.
class scratch_file {
public:
    scratch_file()
    {
        std::string name = (std::filesystem::temp_directory_path() / "ds-xlsx-XXXXXX").string();
        const int fd = mkstemp(name.data());
        if (fd < 0) throw spreadsheet_error("cannot make a scratch file in " + name);
        close(fd);
        m_path = name;
    }
    ~scratch_file() { std::filesystem::remove(m_path, m_ignored); }
    scratch_file(const scratch_file&) = delete;
    scratch_file& operator=(const scratch_file&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
    std::error_code m_ignored;
};

struct formats {
    lxw_format* header;
    lxw_format* text;
};

formats make_formats(lxw_workbook* book)
{
    formats f{workbook_add_format(book), workbook_add_format(book)};
    format_set_bold(f.header);
    format_set_bg_color(f.header, header_fill);
    format_set_border(f.header, LXW_BORDER_THIN);
    format_set_num_format(f.header, "@");
    format_set_num_format(f.text, "@");
    return f;
}

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

void set_column_widths(lxw_worksheet* sheet, const std::vector<std::vector<std::string>>& cells)
{
    std::vector<std::size_t> widths;
    for (const auto& row : cells) {
        if (row.size() > widths.size()) widths.resize(row.size(), 0);
        for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], display_width(row[c]));
    }
    for (std::size_t c = 0; c < widths.size(); ++c) {
        const double width = std::clamp(static_cast<double>(widths[c]) + 2.0, min_column_width, max_column_width);
        worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), width, nullptr);
    }
}

void write_cells(lxw_worksheet* sheet, const std::vector<std::vector<std::string>>& cells, const table& rows,
                 const sheet_layout& layout, const formats& f)
{
    const std::set<std::size_t> headers(layout.header_rows.begin(), layout.header_rows.end());
    std::set<std::pair<std::size_t, std::size_t>> numbers;
    for (const cell_ref& cell : layout.number_cells) numbers.insert({cell.row, cell.column});
    for (std::size_t r = 0; r < cells.size(); ++r)
        for (std::size_t c = 0; c < cells[r].size(); ++c) {
            const auto row = static_cast<lxw_row_t>(r);
            const auto col = static_cast<lxw_col_t>(c);
            double value = 0.0;
            if (numbers.count({r, c}) && grid_number_text::parse_real(rows[r][c], value))
                worksheet_write_number(sheet, row, col, value, nullptr);
            else
                worksheet_write_string(sheet, row, col, cells[r][c].c_str(), headers.count(r) ? f.header : f.text);
        }
}

void add_choices(lxw_worksheet* sheet, const sheet_layout& layout, const std::string& source)
{
    for (const cell_choices& list : layout.choices) {
        std::vector<std::string> texts;
        for (const CString& choice : list.choices) texts.push_back(ds_text::to_utf8(choice));
        std::vector<const char*> pointers;
        for (const std::string& text : texts) pointers.push_back(text.c_str());
        pointers.push_back(nullptr);
        lxw_data_validation validation{};
        validation.validate = LXW_VALIDATION_TYPE_LIST;
        validation.value_list = const_cast<char**>(pointers.data());
        validation.error_type = LXW_VALIDATION_ERROR_TYPE_WARNING;
        const lxw_error rc = worksheet_data_validation_cell(sheet, static_cast<lxw_row_t>(list.cell.row),
                                                           static_cast<lxw_col_t>(list.cell.column), &validation);
        if (rc != LXW_NO_ERROR)
            throw spreadsheet_error(source + ": the choice list of row " + std::to_string(list.cell.row + 1) + ": " +
                                    lxw_strerror(rc));
    }
}

}  // namespace

void write_xlsx_file(const std::filesystem::path& file, const table& rows, const sheet_layout& layout)
{
    const std::string source = file.string();
    const auto cells = utf8_cells(rows, source);
    scratch_file scratch;
    lxw_workbook* book = workbook_new(scratch.path().c_str());
    if (!book) throw spreadsheet_error(source + ": cannot start a workbook");
    lxw_worksheet* sheet = workbook_add_worksheet(book, layout.sheet_name.c_str());
    try {
        if (!sheet) throw spreadsheet_error(source + ": \"" + layout.sheet_name + "\" cannot name a sheet");
        set_column_widths(sheet, cells);
        write_cells(sheet, cells, rows, layout, make_formats(book));
        add_choices(sheet, layout, source);
    } catch (...) {
        workbook_close(book);
        throw;
    }
    if (const lxw_error rc = workbook_close(book); rc != LXW_NO_ERROR)
        throw spreadsheet_error(source + ": " + lxw_strerror(rc));
    ds_file::write_file_atomically(file, ds_file::read_whole_file(scratch.path()));
}

}  // namespace ds_spreadsheet
