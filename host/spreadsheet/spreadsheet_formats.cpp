// The table of spreadsheet formats: CSV and XLSX with their readers and writers.
#include "host/spreadsheet/spreadsheet_formats.h"

#include <stdexcept>

#include "host/spreadsheet/xlsx_read.h"

namespace ds_spreadsheet {

namespace {

read_result read_csv(const std::filesystem::path& file, const read_request& request)
{
    csv_file csv = read_csv_file(file, request.encoding);
    return {std::move(csv.rows), std::nullopt, csv.charset, csv.delimiter, {}};
}

void write_csv(const std::filesystem::path& file, const table& rows, const table_layout&) { write_csv_file(file, rows); }

read_result read_xlsx(const std::filesystem::path& file, const read_request& request)
{
    xlsx_sheet sheet = read_xlsx_file(file, request.sheet);
    return {std::move(sheet.rows), std::move(sheet.name), ds_text::file_charset::utf8, ',', std::move(sheet.merged)};
}

}  // namespace

const std::vector<spreadsheet_format>& spreadsheet_formats()
{
    static const std::vector<spreadsheet_format> formats = {
        {"csv", "CSV file to read (UTF-8 or GBK)", "CSV file to write (UTF-8 with a byte-order mark)", true, false,
         read_csv, write_csv, nullptr},
        {"xlsx", "XLSX workbook to read", "XLSX workbook to write", false, true, read_xlsx, write_xlsx_file, xlsx_sheet_names},
    };
    return formats;
}

const spreadsheet_format& spreadsheet_format_named(std::string_view name)
{
    for (const spreadsheet_format& format : spreadsheet_formats())
        if (format.name == name) return format;
    throw std::out_of_range("no spreadsheet format \"" + std::string(name) + "\"");
}

}  // namespace ds_spreadsheet
