// spreadsheet_formats: the spreadsheet file formats the host reads and writes,
// each with its reader, writer and command-line texts. A new format joins here.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/spreadsheet/cell_reference.h"
#include "host/spreadsheet/csv_table.h"
#include "host/spreadsheet/spreadsheet_table.h"
#include "host/spreadsheet/xlsx_write.h"

namespace ds_spreadsheet {

/// How to read a file: `encoding` applies to formats that take a charset,
/// `sheet` to workbooks (the sheet to read; empty for the first).
struct read_request {
    csv_encoding encoding = csv_encoding::detect;
    std::string sheet;
};

/// A table read from a file, with what the reader found out about the file.
struct read_result {
    table rows;
    std::optional<std::string> sheet;  ///< the sheet read (UTF-8), for a workbook
    ds_text::file_charset charset = ds_text::file_charset::utf8;
    char delimiter = ',';  ///< what separated the cells of a text file
    /// A workbook's merged ranges of more than one cell: each of their cells
    /// holds the top-left cell's text in `rows`.
    std::vector<cell_range> merged;
};

struct spreadsheet_format {
    std::string_view name;        ///< "csv": its command-line option (--csv) and file extension
    std::string_view read_help;   ///< the option's help when a file is read
    std::string_view write_help;  ///< the option's help when a file is written
    bool takes_charset = false;   ///< read_request::encoding applies
    bool workbook = false;        ///< holds named sheets, several to a file
    read_result (*read)(const std::filesystem::path& file, const read_request& request) = nullptr;
    /// Writes atomically; a format without sheets ignores the layout.
    void (*write)(const std::filesystem::path& file, const table& rows, const table_layout& layout) = nullptr;
    /// A workbook's sheet names, in order; null for a format without sheets.
    std::vector<std::string> (*sheet_names)(const std::filesystem::path& file) = nullptr;
};

/// Every format, in the order the command line lists them: CSV, then XLSX.
const std::vector<spreadsheet_format>& spreadsheet_formats();

/// The format named `name`; throws std::out_of_range for a name not in spreadsheet_formats().
const spreadsheet_format& spreadsheet_format_named(std::string_view name);

}  // namespace ds_spreadsheet
