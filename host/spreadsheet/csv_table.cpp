#include "host/spreadsheet/csv_table.h"

#include <csv.h>

#include <memory>

#include "host/framework/atomic_file.h"
#include "host/text/encoding.h"

namespace ds_spreadsheet {

namespace {

struct parse_state {
    table rows;
    std::vector<CString> row;
    std::string source;
    std::string failure;  // the first cell that did not convert
};

std::string place(const parse_state& state)
{
    return state.source + ": row " + std::to_string(state.rows.size() + 1) + ", column " +
           std::to_string(state.row.size() + 1);
}

void on_field(void* data, size_t length, void* context)
{
    auto& state = *static_cast<parse_state*>(context);
    if (!state.failure.empty()) return;
    try {
        state.row.push_back(ds_text::from_utf8(std::string_view(static_cast<const char*>(data), length)));
    } catch (const ds_text::conversion_error& e) {
        state.failure = place(state) + ": " + e.what();
    }
}

void on_row_end(int, void* context)
{
    auto& state = *static_cast<parse_state*>(context);
    state.rows.push_back(std::move(state.row));
    state.row.clear();
}

std::string quoted_cell(const CString& cell)
{
    const std::string utf8 = ds_text::to_utf8(cell);
    // csv_write with no room answers the size it needs: quotes and doubled quotes.
    std::string out(csv_write(nullptr, 0, utf8.data(), utf8.size()), '\0');
    csv_write(out.data(), out.size(), utf8.data(), utf8.size());
    return out;
}

constexpr std::string_view utf8_mark = "\xEF\xBB\xBF";

/// The bytes of a CSV file as UTF-8, and the charset they were taken in.
std::string as_utf8(std::string_view bytes, csv_encoding encoding, const std::string& source,
                    ds_text::file_charset& charset)
{
    using ds_text::file_charset;
    const bool marked = bytes.substr(0, utf8_mark.size()) == utf8_mark;
    if (encoding == csv_encoding::detect)
        encoding = marked || ds_text::is_utf8(bytes) ? csv_encoding::utf8 : csv_encoding::gbk;
    charset = encoding == csv_encoding::gbk ? file_charset::gbk : file_charset::utf8;
    try {
        return ds_text::file_text_to_utf8(bytes, charset);
    } catch (const ds_text::conversion_error& e) {
        throw spreadsheet_error(source + ": " + e.what() + (charset == file_charset::gbk ? " (nor is it UTF-8)" : ""));
    }
}

}  // namespace

std::string to_csv(const table& rows)
{
    std::string text;
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i) text += ',';
            text += quoted_cell(row[i]);
        }
        text += "\r\n";
    }
    return text;
}

table from_csv(std::string_view utf8, const std::string& source)
{
    if (utf8.substr(0, utf8_mark.size()) == utf8_mark) utf8.remove_prefix(utf8_mark.size());
    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0)
        throw spreadsheet_error(source + ": cannot start the CSV reader");
    std::unique_ptr<csv_parser, void (*)(csv_parser*)> guard(&parser, [](csv_parser* p) { csv_free(p); });
    // Cells keep their blanks: a height list such as "200 250" is data.
    csv_set_space_func(&parser, [](unsigned char) { return 0; });
    parse_state state;
    state.source = source;
    const size_t used = csv_parse(&parser, utf8.data(), utf8.size(), on_field, on_row_end, &state);
    if (used != utf8.size() || csv_fini(&parser, on_field, on_row_end, &state) != 0)
        throw spreadsheet_error(place(state) + ": " + csv_strerror(csv_error(&parser)));
    if (!state.failure.empty()) throw spreadsheet_error(state.failure);
    return std::move(state.rows);
}

void write_csv_file(const std::filesystem::path& file, const table& rows)
{
    std::string text;
    try {
        text = to_csv(rows);
    } catch (const ds_text::conversion_error& e) {
        throw spreadsheet_error(file.string() + ": " + e.what());
    }
    ds_file::write_file_atomically(file, std::string(utf8_mark) + text);
}

csv_file read_csv_file(const std::filesystem::path& file, csv_encoding encoding)
{
    csv_file read;
    const std::string text = as_utf8(ds_file::read_whole_file(file), encoding, file.string(), read.charset);
    read.rows = from_csv(text, file.string());
    return read;
}

}  // namespace ds_spreadsheet
