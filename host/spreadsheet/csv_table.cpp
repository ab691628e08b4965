// CSV files through libcsv, read in chunks with the spreadsheet limits checked
// as the cells arrive, and written with formula-like cells guarded.
#include "host/spreadsheet/csv_table.h"

#include <csv.h>

#include <algorithm>
#include <memory>

#include "host/fields/input_limits.h"
#include "host/framework/atomic_file.h"
#include "host/grid/cvq_variant.h"
#include "host/text/encoding.h"
#include "host/text/utf8.h"

namespace ds_spreadsheet {

namespace {

/// Text is fed to the parser in chunks, so a cell growing without end is seen
/// before it takes more than a chunk beyond the limit.
constexpr std::size_t chunk_size = 64 * 1024;
/// UTF-8 takes at most four bytes a character.
constexpr std::size_t max_cell_bytes = 4 * input_limits::max_cell_characters;

struct parse_state {
    table rows;
    std::vector<CString> row;
    std::string source;
    std::string failure;  // the first thing that stopped the reading
    unsigned long long cells = 0;
};

std::string place(const parse_state& state)
{
    return state.source + ": row " + std::to_string(state.rows.size() + 1) + ", column " +
           std::to_string(state.row.size() + 1);
}

bool starts_formula(std::string_view text)
{
    const std::size_t first = text.find_first_not_of('\'');
    return first != std::string_view::npos && std::string_view("=+-@\t\r").find(text[first]) != std::string_view::npos;
}

/// A cell a spreadsheet program would take as a formula; a number is none.
bool needs_guard(std::string_view utf8)
{
    double number = 0.0;
    return starts_formula(utf8) && !grid_number_text::parse_real(std::string(utf8).c_str(), number);
}

bool count_cell(parse_state& state)
{
    if (++state.cells <= input_limits::max_spreadsheet_cells) return true;
    state.failure = state.source + ": more cells than a table needs (" +
                    std::to_string(input_limits::max_spreadsheet_cells) + ")";
    return false;
}

void on_field(void* data, size_t length, void* context)
{
    auto& state = *static_cast<parse_state*>(context);
    if (!state.failure.empty() || !count_cell(state)) return;
    std::string_view cell(static_cast<const char*>(data), length);
    if (utf8_text::count_characters(cell) > input_limits::max_cell_characters) {
        state.failure = place(state) + ": more than " + std::to_string(input_limits::max_cell_characters) +
                        " characters, more than a cell holds";
        return;
    }
    // Only the apostrophe to_csv adds is taken off: the rest is a formula-like text again.
    if (cell.starts_with('\'') && needs_guard(cell.substr(1))) cell.remove_prefix(1);
    try {
        state.row.push_back(ds_text::from_utf8(cell));
    } catch (const ds_text::conversion_error& e) {
        state.failure = place(state) + ": " + e.what();
    }
}

void on_row_end(int, void* context)
{
    auto& state = *static_cast<parse_state*>(context);
    if (!state.failure.empty() || (state.row.empty() && !count_cell(state))) return;
    state.rows.push_back(std::move(state.row));
    state.row.clear();
}

std::string quoted_cell(const CString& cell)
{
    std::string utf8 = ds_text::to_utf8(cell);
    if (needs_guard(utf8)) utf8.insert(0, 1, '\'');
    // csv_write with no room answers the size it needs: quotes and doubled quotes.
    std::string out(csv_write(nullptr, 0, utf8.data(), utf8.size()), '\0');
    csv_write(out.data(), out.size(), utf8.data(), utf8.size());
    return out;
}

constexpr std::string_view utf8_mark = "\xEF\xBB\xBF";

/// Comma, or the semicolon or tab a first line without commas separates its cells with.
char delimiter_of(std::string_view text)
{
    std::size_t commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false;
    for (const char c : text.substr(0, text.find('\n'))) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        commas += c == ',';
        semicolons += c == ';';
        tabs += c == '\t';
    }
    if (commas > 0 || (semicolons == 0 && tabs == 0)) return ',';
    return semicolons >= tabs ? ';' : '\t';
}

std::string parse_error(const std::string& where, int code)
{
    if (code == CSV_EPARSE) return where + ": a quote inside a cell that does not begin with one, or a quoted cell that is not closed";
    if (code == CSV_ENOMEM || code == CSV_ETOOBIG) return where + ": a cell too large to read";
    return where + ": " + csv_strerror(code);
}

/// The bytes of a CSV file as UTF-8, and the charset they were taken in.
std::string as_utf8(std::string_view bytes, csv_encoding encoding, const std::string& source,
                    ds_text::file_charset& charset)
{
    using ds_text::file_charset;
    const bool marked = bytes.substr(0, utf8_mark.size()) == utf8_mark;
    const bool forced = encoding != csv_encoding::detect;
    if (encoding == csv_encoding::detect)
        encoding = marked || ds_text::is_utf8(bytes) ? csv_encoding::utf8 : csv_encoding::gbk;
    charset = encoding == csv_encoding::gbk ? file_charset::gbk : file_charset::utf8;
    // Chinese text in UTF-8 often converts from GBK without a fault, into the wrong characters.
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (forced && charset == file_charset::gbk && !ascii && ds_text::is_utf8(bytes))
        throw spreadsheet_error(source + ": the file is UTF-8 text, not GBK; import it without --encoding gbk");
    try {
        return ds_text::file_text_to_utf8(bytes, charset);
    } catch (const ds_text::conversion_error& e) {
        throw spreadsheet_error(source + ": " + e.what() + (charset == file_charset::gbk && !forced ? " (nor is it UTF-8)" : ""));
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

csv_text read_csv_text(std::string_view utf8, const std::string& source)
{
    if (utf8.substr(0, utf8_mark.size()) == utf8_mark) utf8.remove_prefix(utf8_mark.size());
    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0)
        throw spreadsheet_error(source + ": cannot start the CSV reader");
    std::unique_ptr<csv_parser, void (*)(csv_parser*)> guard(&parser, [](csv_parser* p) { csv_free(p); });
    // Cells keep their blanks: a height list such as "200 250" is data.
    csv_set_space_func(&parser, [](unsigned char) { return 0; });
    // The cell buffer grows by this much at a time: large steps, few copies.
    csv_set_blk_size(&parser, chunk_size);
    csv_text read;
    read.delimiter = delimiter_of(utf8);
    csv_set_delim(&parser, static_cast<unsigned char>(read.delimiter));
    parse_state state;
    state.source = source;
    for (std::size_t at = 0; at < utf8.size(); at += chunk_size) {
        const std::string_view chunk = utf8.substr(at, chunk_size);
        const size_t used = csv_parse(&parser, chunk.data(), chunk.size(), on_field, on_row_end, &state);
        if (!state.failure.empty()) throw spreadsheet_error(state.failure);
        if (used != chunk.size()) throw spreadsheet_error(parse_error(place(state), csv_error(&parser)));
        if (parser.entry_pos > max_cell_bytes)
            throw spreadsheet_error(place(state) + ": more than " + std::to_string(input_limits::max_cell_characters) +
                                    " characters, more than a cell holds");
    }
    if (csv_fini(&parser, on_field, on_row_end, &state) != 0) throw spreadsheet_error(parse_error(place(state), csv_error(&parser)));
    if (!state.failure.empty()) throw spreadsheet_error(state.failure);
    read.rows = std::move(state.rows);
    return read;
}

table from_csv(std::string_view utf8, const std::string& source) { return read_csv_text(utf8, source).rows; }

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
    const std::string bytes = ds_file::read_whole_file(file, input_limits::max_spreadsheet_bytes);
    csv_text text = read_csv_text(as_utf8(bytes, encoding, file.string(), read.charset), file.string());
    read.rows = std::move(text.rows);
    read.delimiter = text.delimiter;
    return read;
}

}  // namespace ds_spreadsheet
