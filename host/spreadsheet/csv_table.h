// The host's spreadsheet files: a table of text cells as a CSV file (UTF-8,
// RFC 4180 quoting). Cells are GBK in memory; conversion happens here, at the
// file boundary, strictly.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "host/afx/cstring.h"

namespace ds_spreadsheet {

using table = std::vector<std::vector<CString>>;

/// A file that cannot be read or written; what() names the file, the place
/// (row and column where known) and what was wrong.
class spreadsheet_error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// CSV text of `rows` (UTF-8). Rows keep their own number of cells.
std::string to_csv(const table& rows);
/// Rows of UTF-8 CSV text; a leading byte-order mark is skipped. `source`
/// names the text in errors (unbalanced quotes, text GBK cannot hold).
table from_csv(std::string_view utf8, const std::string& source);

/// Writes `rows` to `file` atomically (a failed write keeps the old file).
void write_csv_file(const std::filesystem::path& file, const table& rows);
table read_csv_file(const std::filesystem::path& file);

}  // namespace ds_spreadsheet
