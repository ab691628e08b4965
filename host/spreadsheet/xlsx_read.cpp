// One sheet of an XLSX package: the workbook's sheet list, relationships,
// styles, shared strings, the sheet's cells and its merged ranges.
#include "host/spreadsheet/xlsx_read.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <optional>
#include <set>

#include "host/fields/input_limits.h"
#include "host/framework/atomic_file.h"
#include "host/grid/cvq_variant.h"
#include "host/spreadsheet/cell_reference.h"
#include "host/spreadsheet/xlsx_number_formats.h"
#include "host/spreadsheet/xlsx_package.h"
#include "host/spreadsheet/xlsx_strings.h"
#include "host/text/encoding.h"
#include "host/text/number_format.h"
#include "host/text/utf8.h"

namespace ds_spreadsheet {

namespace {

constexpr std::string_view compound_file_signature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

std::string too_many(const std::string& what)
{
    return "more " + what + " than a table needs (" + std::to_string(input_limits::max_spreadsheet_cells) + ")";
}

struct workbook_parts {
    std::string sheet_name;
    std::string sheet_part;
    std::string shared_strings_part = "xl/sharedStrings.xml";
    std::string styles_part = "xl/styles.xml";
};

std::string part_path(const std::string& target)
{
    return target.starts_with('/') ? target.substr(1) : "xl/" + target;
}

char lower_ascii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

/// Excel tells sheet names apart without regard to case.
bool same_sheet_name(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower_ascii(x) == lower_ascii(y); });
}

std::string lower_name(std::string name)
{
    for (char& c : name) c = lower_ascii(c);
    return name;
}

/// The workbook's sheet elements in order. Two of one name (Excel tells names
/// apart without case) are refused: a reader could not say which one is meant,
/// and spreadsheet programs refuse such a workbook too.
std::vector<pugi::xml_node> sheet_elements(xlsx_package& zip, const pugi::xml_node& sheets)
{
    std::vector<pugi::xml_node> found;
    std::set<std::string> seen;
    for (pugi::xml_node sheet : sheets.children()) {
        if (!is_element(sheet, "sheet")) continue;
        const std::string name = sheet.attribute("name").value();
        if (!seen.insert(lower_name(name)).second)
            zip.fail("the workbook has two sheets named \"" + name.substr(0, 31 * 4) + "\"; rename one in a spreadsheet program");
        if (found.size() >= input_limits::max_spreadsheet_cells) zip.fail("the workbook has too many sheets");
        found.push_back(sheet);
    }
    return found;
}

/// The sheet element named `wanted` (the first when empty); a missing one names those there are.
pugi::xml_node find_sheet(xlsx_package& zip, const pugi::xml_node& sheets, const std::string& wanted)
{
    std::vector<std::string> names;
    for (pugi::xml_node sheet : sheet_elements(zip, sheets)) {
        if (wanted.empty() || same_sheet_name(sheet.attribute("name").value(), wanted)) return sheet;
        if (names.size() < 50) names.push_back(sheet.attribute("name").value());
    }
    if (wanted.empty()) zip.fail("the workbook has no sheet");
    std::string list;
    for (const std::string& name : names) list += (list.empty() ? "\"" : ", \"") + name + "\"";
    try {
        zip.fail("the workbook has no sheet named \"" + wanted + "\" (it has " + list + ")");
    } catch (const spreadsheet_error& e) {
        throw missing_sheet_error(e.what(), names);
    }
}

workbook_parts find_parts(xlsx_package& zip, const std::string& wanted)
{
    const pugi::xml_document book = zip.parse("xl/workbook.xml", true);
    const pugi::xml_node sheet = find_sheet(zip, child_element(child_element(book, "workbook"), "sheets"), wanted);
    workbook_parts parts;
    parts.sheet_name = sheet.attribute("name").value();
    std::string id;
    for (pugi::xml_attribute a : sheet.attributes())
        if (std::string_view(a.name()).ends_with(":id")) id = a.value();
    const pugi::xml_document rels = zip.parse("xl/_rels/workbook.xml.rels", true);
    for (pugi::xml_node rel : child_element(rels, "Relationships").children()) {
        const std::string type = rel.attribute("Type").value(), target = part_path(rel.attribute("Target").value());
        if (rel.attribute("Id").value() == id) parts.sheet_part = target;
        if (type.ends_with("/sharedStrings")) parts.shared_strings_part = target;
        if (type.ends_with("/styles")) parts.styles_part = target;
    }
    if (parts.sheet_part.empty()) zip.fail("the workbook does not say where its sheet \"" + parts.sheet_name + "\" is");
    return parts;
}

/// Reads the cells of one sheet and turns them into the table.
class sheet_reader {
public:
    sheet_reader(xlsx_package& zip, workbook_parts parts)
        : m_zip(zip), m_parts(std::move(parts)), m_formats(zip, m_parts.styles_part),
          m_strings(shared_strings(zip, m_parts.shared_strings_part))
    {
    }

    table read()
    {
        const pugi::xml_document doc = m_zip.parse(m_parts.sheet_part, true);
        const pugi::xml_node sheet = child_element(doc, "worksheet");
        for (pugi::xml_node row : child_element(sheet, "sheetData").children())
            if (is_element(row, "row")) read_row(row);
        fill_merged_ranges(child_element(sheet, "mergeCells"));
        return std::move(m_rows);
    }

private:
    [[noreturn]] void fail(const std::string& where, const std::string& why) const
    {
        m_zip.fail("sheet \"" + m_parts.sheet_name + "\", " + where + ": " + why);
    }
    [[noreturn]] void fail(cell_ref cell, const std::string& why) const { fail("cell " + cell_name(cell), why); }

    /// Rows and cells stand in order, each once, as every spreadsheet program writes them.
    void read_row(const pugi::xml_node& row)
    {
        std::size_t r = m_next_row;
        std::optional<cell_ref> first;
        if (const pugi::xml_attribute number = row.attribute("r")) {
            first = parse_cell_name(std::string("A") + number.value());
            if (!first) fail("row \"" + std::string(number.value()).substr(0, 20) + "\"", "not a row number from 1 to 1048576");
        } else {
            // A row without its number stands where its first cell says, or after the last.
            first = parse_cell_name(child_element(row, "c").attribute("r").value());
        }
        if (first) {
            if (first->row < m_next_row) fail("row " + std::to_string(first->row + 1), "stands after row " + std::to_string(m_next_row) + " or twice");
            r = first->row;
        }
        if (r >= max_sheet_rows) fail("row " + std::to_string(r + 1), "lies outside the sheet");
        m_next_row = r + 1;
        std::size_t next_column = 0;
        for (pugi::xml_node c : row.children()) {
            if (!is_element(c, "c")) continue;
            cell_ref cell{r, next_column};
            if (const pugi::xml_attribute reference = c.attribute("r")) {
                const auto named = parse_cell_name(reference.value());
                if (!named) fail("row " + std::to_string(r + 1), "\"" + std::string(reference.value()).substr(0, 20) + "\" is not an A1 cell reference");
                if (named->row != r) fail(*named, "stands in row " + std::to_string(r + 1));
                if (named->column < next_column) fail(*named, "stands twice, or after a cell to its right");
                cell = *named;
            }
            if (cell.column >= max_sheet_columns) fail(cell, "lies outside the sheet");
            next_column = cell.column + 1;
            store(cell, value_of(c, cell));
        }
    }

    void store(cell_ref cell, const std::string& utf8)
    {
        if (++m_cells_read > input_limits::max_spreadsheet_cells) m_zip.fail("sheet \"" + m_parts.sheet_name + "\" holds " + too_many("cells"));
        grow(cell);
        try {
            m_rows[cell.row][cell.column] = ds_text::from_utf8(utf8);
            count_text(m_rows[cell.row][cell.column]);
        } catch (const ds_text::conversion_error& e) {
            fail(cell, e.what());
        }
    }

    /// Makes room for `cell`, counting every cell the table comes to hold
    /// (rows at least once), so one far-away cell cannot make millions.
    void grow(cell_ref cell)
    {
        if (cell.row >= m_rows.size()) {
            m_spread += cell.row + 1 - m_rows.size();
            check_spread();
            m_rows.resize(cell.row + 1);
        }
        std::vector<CString>& row = m_rows[cell.row];
        if (cell.column >= row.size()) {
            m_spread += cell.column + 1 - row.size();
            check_spread();
            row.resize(cell.column + 1);
        }
    }

    /// The table's text stays within what the file may unpack to: a merged
    /// range copying one long text into a million cells is refused.
    void count_text(const CString& text)
    {
        m_text_bytes += text.GetLength();
        if (m_text_bytes > input_limits::max_spreadsheet_bytes)
            m_zip.fail("sheet \"" + m_parts.sheet_name + "\" holds more text than a table needs (" +
                       std::to_string(input_limits::max_spreadsheet_bytes >> 20) + " MiB)");
    }

    void check_spread() const
    {
        if (m_spread > input_limits::max_spreadsheet_cells)
            m_zip.fail("sheet \"" + m_parts.sheet_name + "\" spreads over " + too_many("cells"));
    }

    std::string value_of(const pugi::xml_node& c, cell_ref cell) const
    {
        const std::string type = c.attribute("t").value();
        const pugi::xml_node v = child_element(c, "v");
        const std::string value = v.text().get();
        if (child_element(c, "f") && (!v || (value.empty() && type != "str" && type != "inlineStr")))
            fail(cell, "holds a formula (=" + std::string(child_element(c, "f").text().get()).substr(0, 60) +
                           ") with no stored value, as programs that write formulas without calculating them leave "
                           "it; open and save the workbook in a spreadsheet program, or type the value instead");
        std::string text;
        if (type == "s") text = shared_string(value, cell);
        else if (type == "inlineStr") text = string_item_text(child_element(c, "is"));
        else if (type == "b") text = value == "1" ? "TRUE" : value == "0" ? "FALSE" : value;
        else if (type == "d") fail(cell, "holds a date (" + value.substr(0, 30) + "), not a value of the table");
        else if (type == "str" || type == "e") text = decode_escapes(value);
        else text = number_text(c, value, cell);
        if (utf8_text::count_characters(text) > input_limits::max_cell_characters)
            fail(cell, std::to_string(utf8_text::count_characters(text)) + " characters, more than a cell holds (" +
                           std::to_string(input_limits::max_cell_characters) + ")");
        return text;
    }

    std::string shared_string(const std::string& index_text, cell_ref cell) const
    {
        std::size_t index = 0;
        const auto [end, ec] = std::from_chars(index_text.data(), index_text.data() + index_text.size(), index);
        if (index_text.empty() || ec != std::errc() || end != index_text.data() + index_text.size() || index >= m_strings.size())
            fail(cell, "names shared string \"" + index_text.substr(0, 20) + "\", which the workbook lacks (it has " +
                           std::to_string(m_strings.size()) + ")");
        return m_strings[index];
    }

    /// A number as it reads, unless its format shows it as something else.
    std::string number_text(const pugi::xml_node& c, const std::string& value, cell_ref cell) const
    {
        double number = 0.0;
        if (!grid_number_text::parse_real(value.c_str(), number)) return value;
        const shown_as& shown = m_formats.of_style(c.attribute("s").as_uint());
        if (!shown.what.empty())
            fail(cell, "the number " + value.substr(0, 30) + " is shown as " + shown.what + " (format \"" +
                           shown.format.substr(0, 60) + "\"), not as the value it stands for here; set the cell's "
                           "format to General or Text and type the value");
        return number_format::shortest(number);
    }

    /// Every cell of a merged range shows the top-left cell's value; a table reads it so.
    void fill_merged_ranges(const pugi::xml_node& merged)
    {
        std::size_t covered = 0;
        for (pugi::xml_node m : merged.children()) {
            if (!is_element(m, "mergeCell")) continue;
            const auto range = parse_cell_range(m.attribute("ref").value());
            if (!range) fail("merged range \"" + std::string(m.attribute("ref").value()).substr(0, 30) + "\"", "not an A1 range");
            covered += range->cells();
            if (covered > input_limits::max_spreadsheet_cells) m_zip.fail("sheet \"" + m_parts.sheet_name + "\" merges " + too_many("cells"));
            if (range->cells() > 1) m_merged.push_back(*range);
            const CString top_left = cell_text(range->first);
            for (std::size_t r = range->first.row; r <= range->last.row; ++r)
                for (std::size_t col = range->first.column; col <= range->last.column; ++col) {
                    grow({r, col});
                    m_rows[r][col] = top_left;
                    count_text(top_left);
                }
        }
    }

    CString cell_text(cell_ref cell) const
    {
        return cell.row < m_rows.size() && cell.column < m_rows[cell.row].size() ? m_rows[cell.row][cell.column] : CString();
    }

public:
    /// The merged ranges read() met.
    std::vector<cell_range> take_merged() { return std::move(m_merged); }

private:
    xlsx_package& m_zip;
    workbook_parts m_parts;
    std::vector<cell_range> m_merged;
    number_formats m_formats;
    std::vector<std::string> m_strings;
    table m_rows;
    std::size_t m_next_row = 0;
    unsigned long long m_cells_read = 0;
    unsigned long long m_spread = 0;
    unsigned long long m_text_bytes = 0;
};

}  // namespace

xlsx_sheet read_xlsx_sheet(std::string_view bytes, const std::string& source, const std::string& sheet)
{
    if (bytes.starts_with(compound_file_signature))
        throw spreadsheet_error(source + ": an encrypted workbook or an old binary .xls (a compound file), not an "
                                         "XLSX package; save it as an .xlsx workbook without a password");
    xlsx_package zip(bytes, source);
    workbook_parts parts = find_parts(zip, sheet);
    std::string name = parts.sheet_name;
    sheet_reader reader(zip, std::move(parts));
    table rows = reader.read();
    return {std::move(name), std::move(rows), reader.take_merged()};
}

table from_xlsx(std::string_view bytes, const std::string& source) { return read_xlsx_sheet(bytes, source).rows; }

xlsx_sheet read_xlsx_file(const std::filesystem::path& file, const std::string& sheet)
{
    return read_xlsx_sheet(ds_file::read_whole_file(file, input_limits::max_spreadsheet_bytes), file.string(), sheet);
}

std::vector<std::string> xlsx_sheet_names(const std::filesystem::path& file)
{
    const std::string bytes = ds_file::read_whole_file(file, input_limits::max_spreadsheet_bytes);
    if (std::string_view(bytes).starts_with(compound_file_signature))
        throw spreadsheet_error(file.string() + ": an encrypted workbook or an old binary .xls, not an XLSX package");
    xlsx_package zip(bytes, file.string());
    const pugi::xml_document book = zip.parse("xl/workbook.xml", true);
    std::vector<std::string> names;
    for (pugi::xml_node sheet : sheet_elements(zip, child_element(child_element(book, "workbook"), "sheets")))
        names.push_back(sheet.attribute("name").value());
    return names;
}

}  // namespace ds_spreadsheet
