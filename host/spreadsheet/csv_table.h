// The host's spreadsheet files: a table of text cells as a CSV file (RFC 4180
// quoting). Written as UTF-8 with a byte-order mark, which is what makes Excel
// on a Chinese Windows open it as UTF-8; read as UTF-8, or as GBK when a
// spreadsheet program saved it in the "ANSI" code page. Cells are GBK in
// memory; conversion happens at the file boundary, strictly.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "host/spreadsheet/spreadsheet_table.h"
#include "host/text/encoding.h"

namespace ds_spreadsheet {

/// CSV text of `rows` (UTF-8). Rows keep their own number of cells. A text
/// cell a spreadsheet program would run as a formula (one beginning with
/// = + - @, a tab or a CR, after any leading apostrophes) gets an apostrophe in
/// front, so the program shows it as text; numbers such as "-5" stay as they are.
std::string to_csv(const table& rows);

/// Rows of CSV text and the character found between its cells.
struct csv_text {
    table rows;
    char delimiter = ',';
};
/// Rows of UTF-8 CSV text; a leading byte-order mark is skipped. Cells are
/// separated by commas, or by semicolons or tabs when the first line has no
/// comma but those (what a spreadsheet program writes in locales whose decimal
/// mark is a comma). The apostrophe to_csv puts in front of a formula-like
/// cell is taken off again, and only that one. `source` names the text in
/// errors (unbalanced quotes, text GBK cannot hold, more cells than
/// input_limits::max_spreadsheet_cells or a cell longer than
/// input_limits::max_cell_characters, found while reading); errors name the
/// row and column and never quote the text.
csv_text read_csv_text(std::string_view utf8, const std::string& source);
/// The rows of read_csv_text.
table from_csv(std::string_view utf8, const std::string& source);

/// How a CSV file's bytes are taken: `detect` reads UTF-8 (a byte-order mark
/// is skipped) and falls back to GBK only when the bytes are not UTF-8 but are
/// GBK; the other two force a charset.
enum class csv_encoding { detect, utf8, gbk };

/// A CSV file read back, with the charset its bytes were taken in.
struct csv_file {
    table rows;
    ds_text::file_charset charset = ds_text::file_charset::utf8;
    char delimiter = ',';
};

/// Writes `rows` to `file` atomically (a failed write keeps the old file),
/// as UTF-8 with a byte-order mark.
void write_csv_file(const std::filesystem::path& file, const table& rows);
/// Reads `file` (at most input_limits::max_spreadsheet_bytes). Throws
/// spreadsheet_error naming the file when its bytes are not in the charset
/// asked for (or, detecting, in neither; GBK asked for of a UTF-8 file says
/// so), or it does not parse.
csv_file read_csv_file(const std::filesystem::path& file, csv_encoding encoding = csv_encoding::detect);

}  // namespace ds_spreadsheet
