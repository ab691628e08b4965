// The structure table in CSV and XLSX files.
#include "host/substructure/structure_table_file.h"

#include <algorithm>
#include <optional>

#include "host/spreadsheet/xlsx_read.h"
#include "host/substructure/structure_columns.h"
#include "host/text/encoding.h"

namespace structure_table {

namespace {

namespace fc = field_catalogue;
using ds_spreadsheet::cell_ref;

/// Lines below the captions that get the columns' checks, beyond those written,
/// so that lines an engineer adds are checked as typed.
constexpr std::size_t lines_checked = 1000;

constexpr std::size_t caption_row = 1;

std::string utf8_of(const char* narrow) { return ds_text::to_utf8(std::string_view(narrow)); }

/// The check a spreadsheet program makes as a person types a column's cells.
std::optional<ds_spreadsheet::cell_validation> validation_of(const fc::field& f, ds_spreadsheet::cell_range cells)
{
    using kind = ds_spreadsheet::cell_validation::kind;
    ds_spreadsheet::cell_validation v{cells, kind::list, {}, 0.0, 0.0, fc::limits_text(f)};
    if (f.kind == fc::field_kind::choice) {
        for (const char* choice : f.choices)
            if (*choice) v.choices.emplace_back(choice);
        return v;
    }
    if (f.kind != fc::field_kind::whole && f.kind != fc::field_kind::real) return std::nullopt;
    v.type = f.kind == fc::field_kind::whole ? kind::whole : kind::decimal;
    v.minimum = f.range.zero_unset ? std::min(0.0, f.range.min) : f.range.min;
    v.maximum = f.range.max;
    return v;
}

bool is_number(const fc::field& f) { return f.kind == fc::field_kind::whole || f.kind == fc::field_kind::real; }

}  // namespace

std::string sheet_name() { return utf8_of("墩台表"); }

ds_spreadsheet::table_layout layout_of(std::size_t lines)
{
    ds_spreadsheet::table_layout layout;
    layout.sheet_name = sheet_name();
    layout.header_rows = {caption_row};
    layout.frozen_rows = caption_row + 1;
    layout.locked_cells = {{0, 0}, {0, 1}};
    const std::size_t first = caption_row + 1, last = caption_row + std::max(lines, lines_checked);
    layout.autofilter = ds_spreadsheet::cell_range{{caption_row, 0}, {caption_row + std::max<std::size_t>(lines, 1), column_count - 1}};
    for (std::size_t c = 0; c < column_count; ++c) {
        const fc::field& f = column_field(c);
        layout.locked_cells.push_back({caption_row, c});
        layout.comments.push_back({{caption_row, c}, utf8_of("可填：") + fc::limits_text(f)});
        if (auto v = validation_of(f, {{first, c}, {last, c}})) layout.validations.push_back(std::move(*v));
        if (is_number(f))
            for (std::size_t r = first; r < first + lines; ++r) layout.number_cells.push_back({r, c});
        else
            layout.text_columns.push_back(c);
    }
    return layout;
}

void write_file(const std::filesystem::path& file, const ds_spreadsheet::spreadsheet_format& format,
                const std::vector<structure>& structures)
{
    const ds_spreadsheet::table cells = to_cells(structures);
    format.write(file, cells, layout_of(cells.size() - caption_row - 1));
}

file_outcome read_file(const std::filesystem::path& file, const ds_spreadsheet::spreadsheet_format& format,
                       ds_spreadsheet::csv_encoding encoding)
{
    file_outcome outcome;
    const std::string path = fc::escaped(file.string());
    ds_spreadsheet::read_result read;
    if (format.workbook) {
        try {
            read = format.read(file, {encoding, sheet_name()});
        } catch (const ds_spreadsheet::missing_sheet_error&) {
            read = format.read(file, {encoding, {}});
            outcome.notes.push_back("note: the workbook has no sheet \"" + sheet_name() + "\"; read its first sheet, \"" +
                                    fc::escaped(*read.sheet) + "\"");
        }
        outcome.source = path + ", sheet \"" + fc::escaped(*read.sheet) + "\"";
    } else {
        read = format.read(file, {encoding, {}});
        outcome.source = path;
        if (read.charset == ds_text::file_charset::gbk) outcome.notes.push_back("read " + path + " as GBK");
        if (read.delimiter != ',')
            outcome.notes.push_back("note: " + path + " separates its cells with " +
                                    (read.delimiter == ';' ? "semicolons" : "tabs") + ", not commas; read so");
    }
    outcome.table = from_cells(read.rows, outcome.source);
    return outcome;
}

}  // namespace structure_table
