// The first sheet of an XLSX package: workbook, relationships, shared strings
// and the sheet's cells.
#include "host/spreadsheet/xlsx_read.h"

#include <zip.h>

#include <pugixml.hpp>

#include <charconv>
#include <cstring>
#include <map>
#include <memory>
#include <optional>

#include "host/framework/atomic_file.h"
#include "host/framework/input_limits.h"
#include "host/grid/cvq_variant.h"
#include "host/text/encoding.h"

namespace ds_spreadsheet {

namespace {

constexpr std::string_view compound_file_signature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr std::size_t max_excel_rows = 1048576;
constexpr std::size_t max_excel_columns = 16384;

/// The open package and what may still be unpacked from it.
class package {
public:
    package(std::string_view bytes, std::string source) : m_source(std::move(source))
    {
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* src = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
        if (src) m_zip = zip_open_from_source(src, ZIP_RDONLY | ZIP_CHECKCONS, &error);
        if (!m_zip) {
            if (src) zip_source_free(src);
            const std::string why = zip_error_strerror(&error);
            zip_error_fini(&error);
            fail("not an XLSX workbook (not a zip package: " + why + ")");
        }
        zip_error_fini(&error);
    }
    ~package() { zip_discard(m_zip); }
    package(const package&) = delete;
    package& operator=(const package&) = delete;

    [[noreturn]] void fail(const std::string& why) const { throw spreadsheet_error(m_source + ": " + why); }

    /// The unpacked part `name`, or nothing when the package has no such part.
    std::optional<std::string> part(const std::string& name)
    {
        const zip_int64_t index = zip_name_locate(m_zip, name.c_str(), ZIP_FL_NOCASE);
        if (index < 0) return std::nullopt;
        zip_stat_t stat;
        if (zip_stat_index(m_zip, static_cast<zip_uint64_t>(index), 0, &stat) != 0) fail(name + ": " + zip_strerror(m_zip));
        if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
            fail(name + " is encrypted; save the workbook without a password");
        const std::uint64_t size = (stat.valid & ZIP_STAT_SIZE) ? stat.size : 0;
        if (size > m_budget) fail(too_large());
        return unpack(name, static_cast<zip_uint64_t>(index), size);
    }

private:
    std::string too_large() const
    {
        return "unpacks to more than " + std::to_string(input_limits::max_spreadsheet_bytes >> 20) +
               " MiB, far more than a table needs";
    }

    /// Reads one byte past the stated size, so a part that lies about its size is caught too.
    std::string unpack(const std::string& name, zip_uint64_t index, std::uint64_t size)
    {
        std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> file(zip_fopen_index(m_zip, index, 0), zip_fclose);
        if (!file) fail(name + ": " + zip_strerror(m_zip));
        std::string data(static_cast<std::size_t>(size) + 1, '\0');
        std::size_t got = 0;
        while (got < data.size()) {
            const zip_int64_t n = zip_fread(file.get(), data.data() + got, data.size() - got);
            if (n < 0) fail(name + ": " + zip_file_strerror(file.get()));
            if (n == 0) break;
            got += static_cast<std::size_t>(n);
        }
        if (got > size) fail(name + " is larger than the package says");
        data.resize(got);
        m_budget -= got;
        return data;
    }

    std::string m_source;
    zip_t* m_zip = nullptr;
    std::uint64_t m_budget = input_limits::max_spreadsheet_bytes;
};

/// Element names without their namespace prefix: generators differ in prefixes.
bool is(const pugi::xml_node& node, const char* local)
{
    const char* name = node.name();
    const char* colon = std::strrchr(name, ':');
    return std::strcmp(colon ? colon + 1 : name, local) == 0;
}

pugi::xml_node child(const pugi::xml_node& node, const char* local)
{
    for (pugi::xml_node c : node.children())
        if (is(c, local)) return c;
    return {};
}

pugi::xml_document parse_part(package& zip, const std::string& name, bool required)
{
    pugi::xml_document doc;
    const std::optional<std::string> text = zip.part(name);
    if (!text) {
        if (required) zip.fail("not an XLSX workbook (it has no " + name + ")");
        return doc;
    }
    const pugi::xml_parse_result parsed =
        doc.load_buffer(text->data(), text->size(), pugi::parse_default | pugi::parse_ws_pcdata);
    if (!parsed) zip.fail(name + " is not XML: " + parsed.description() + " at byte " + std::to_string(parsed.offset));
    return doc;
}

/// The code point of an "_xHHHH_" escape at `at`, or -1 when there is none.
long escape_at(const std::string& text, std::size_t at)
{
    if (text.compare(at, 2, "_x") != 0 || at + 7 > text.size() || text[at + 6] != '_') return -1;
    long code = 0;
    const auto [end, ec] = std::from_chars(text.data() + at + 2, text.data() + at + 6, code, 16);
    return ec == std::errc() && end == text.data() + at + 6 ? code : -1;
}

/// "_x000D_" and the like stand for characters XML cannot carry as they are.
std::string decode_escapes(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const long code = escape_at(text, i);
        if (code < 0) {
            out += text[i];
            continue;
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
        i += 6;
    }
    return out;
}

/// Text of a string item: its own <t>, or its rich-text runs joined (phonetic runs left out).
std::string string_item_text(const pugi::xml_node& item)
{
    std::string text;
    for (pugi::xml_node part : item.children()) {
        if (is(part, "t")) text += part.text().get();
        else if (is(part, "r")) text += child(part, "t").text().get();
    }
    return decode_escapes(text);
}

struct workbook_parts {
    std::string sheet_name;
    std::string sheet_part;
    std::string shared_strings_part = "xl/sharedStrings.xml";
};

std::string part_path(const std::string& target)
{
    return target.starts_with('/') ? target.substr(1) : "xl/" + target;
}

workbook_parts find_parts(package& zip)
{
    const pugi::xml_document book = parse_part(zip, "xl/workbook.xml", true);
    const pugi::xml_node sheet = child(child(child(book, "workbook"), "sheets"), "sheet");
    if (!sheet) zip.fail("the workbook has no sheet");
    workbook_parts parts;
    parts.sheet_name = sheet.attribute("name").value();
    std::string id;
    for (pugi::xml_attribute a : sheet.attributes())
        if (std::string_view(a.name()).ends_with(":id")) id = a.value();
    const pugi::xml_document rels = parse_part(zip, "xl/_rels/workbook.xml.rels", true);
    for (pugi::xml_node rel : child(rels, "Relationships").children()) {
        const std::string type = rel.attribute("Type").value();
        if (rel.attribute("Id").value() == id) parts.sheet_part = part_path(rel.attribute("Target").value());
        if (type.ends_with("/sharedStrings")) parts.shared_strings_part = part_path(rel.attribute("Target").value());
    }
    if (parts.sheet_part.empty()) zip.fail("the workbook does not say where its first sheet \"" + parts.sheet_name + "\" is");
    return parts;
}

std::vector<std::string> shared_strings(package& zip, const std::string& part)
{
    std::vector<std::string> strings;
    const pugi::xml_document doc = parse_part(zip, part, false);
    for (pugi::xml_node item : child(doc, "sst").children())
        if (is(item, "si")) strings.push_back(string_item_text(item));
    return strings;
}

/// One cell the sheet holds, 0-based.
struct sheet_cell {
    std::size_t row;
    std::size_t column;
    std::string text;
};

/// Reads the cells of the first sheet and turns them into the table.
class sheet_reader {
public:
    sheet_reader(package& zip, workbook_parts parts) : m_zip(zip), m_parts(std::move(parts)) {}

    table read()
    {
        m_strings = shared_strings(m_zip, m_parts.shared_strings_part);
        const pugi::xml_document doc = parse_part(m_zip, m_parts.sheet_part, true);
        std::vector<sheet_cell> cells;
        std::size_t next_row = 0;
        for (pugi::xml_node row : child(child(doc, "worksheet"), "sheetData").children()) {
            if (!is(row, "row")) continue;
            const std::size_t r = row.attribute("r") ? row.attribute("r").as_ullong() - 1 : next_row;
            next_row = r + 1;
            std::size_t next_column = 0;
            for (pugi::xml_node c : row.children()) {
                if (!is(c, "c")) continue;
                sheet_cell cell{r, next_column, {}};
                if (c.attribute("r")) locate(c.attribute("r").value(), cell);
                if (cell.row >= max_excel_rows || cell.column >= max_excel_columns)
                    fail(cell, "lies outside the sheet");
                cell.text = value_of(c, cell);
                next_column = cell.column + 1;
                cells.push_back(std::move(cell));
            }
        }
        return to_table(cells);
    }

private:
    [[noreturn]] void fail(const sheet_cell& cell, const std::string& why) const
    {
        m_zip.fail("sheet \"" + m_parts.sheet_name + "\", cell " + cell_name(cell) + ": " + why);
    }

    static std::string cell_name(const sheet_cell& cell)
    {
        std::string letters;
        for (std::size_t c = cell.column + 1; c > 0; c = (c - 1) / 26) letters.insert(letters.begin(), char('A' + (c - 1) % 26));
        return letters + std::to_string(cell.row + 1);
    }

    /// "B3" into column 1, row 2. A reference that does not read leaves the cell where it stands.
    void locate(std::string_view reference, sheet_cell& cell) const
    {
        std::size_t column = 0, i = 0;
        for (; i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z' && column <= max_excel_columns; ++i)
            column = column * 26 + static_cast<std::size_t>(reference[i] - 'A' + 1);
        std::size_t row = 0;
        const std::size_t digits = i;
        for (; i < reference.size() && reference[i] >= '0' && reference[i] <= '9' && row <= max_excel_rows; ++i)
            row = row * 10 + static_cast<std::size_t>(reference[i] - '0');
        if (column == 0 || row == 0 || i == digits || i != reference.size()) return;
        cell.column = column - 1;
        cell.row = row - 1;
    }

    std::string value_of(const pugi::xml_node& c, const sheet_cell& cell) const
    {
        const std::string type = c.attribute("t").value();
        const std::string value = child(c, "v").text().get();
        std::string text;
        if (type == "s") {
            const unsigned long long index = child(c, "v").text().as_ullong(~0ull);
            if (index >= m_strings.size()) fail(cell, "names shared string " + value + ", which the workbook lacks");
            text = m_strings[index];
        } else if (type == "inlineStr") {
            text = string_item_text(child(c, "is"));
        } else if (type == "b") {
            text = value == "1" ? "TRUE" : value == "0" ? "FALSE" : value;
        } else if (type == "str" || type == "e" || type == "d") {
            text = decode_escapes(value);
        } else {
            double number = 0.0;
            text = grid_number_text::parse_real(value.c_str(), number) ? grid_number_text::format_real(number).str() : value;
        }
        check_length(text, cell);
        return text;
    }

    void check_length(const std::string& utf8, const sheet_cell& cell) const
    {
        std::size_t characters = 0;
        for (const char ch : utf8) characters += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
        if (characters > input_limits::max_cell_characters)
            fail(cell, std::to_string(characters) + " characters, more than a cell holds (" +
                           std::to_string(input_limits::max_cell_characters) + ")");
    }

    table to_table(const std::vector<sheet_cell>& cells) const
    {
        std::map<std::size_t, std::size_t> widths;  // row -> cells it spans
        for (const sheet_cell& cell : cells) widths[cell.row] = std::max(widths[cell.row], cell.column + 1);
        unsigned long long spread = widths.empty() ? 0 : widths.rbegin()->first + 1;
        for (const auto& [row, width] : widths) spread += width;
        if (spread > input_limits::max_spreadsheet_cells)
            m_zip.fail("sheet \"" + m_parts.sheet_name + "\" spreads over " + std::to_string(spread) +
                       " cells, more than a table needs (" + std::to_string(input_limits::max_spreadsheet_cells) + ")");
        table rows(widths.empty() ? 0 : widths.rbegin()->first + 1);
        for (const auto& [row, width] : widths) rows[row].resize(width);
        for (const sheet_cell& cell : cells) {
            try {
                rows[cell.row][cell.column] = ds_text::from_utf8(cell.text);
            } catch (const ds_text::conversion_error& e) {
                fail(cell, e.what());
            }
        }
        return rows;
    }

    package& m_zip;
    workbook_parts m_parts;
    std::vector<std::string> m_strings;
};

}  // namespace

table from_xlsx(std::string_view bytes, const std::string& source)
{
    if (bytes.starts_with(compound_file_signature))
        throw spreadsheet_error(source + ": an encrypted workbook or an old binary .xls (a compound file), not an "
                                         "XLSX package; save it as an .xlsx workbook without a password");
    package zip(bytes, source);
    return sheet_reader(zip, find_parts(zip)).read();
}

table read_xlsx_file(const std::filesystem::path& file)
{
    return from_xlsx(ds_file::read_whole_file(file, input_limits::max_spreadsheet_bytes), file.string());
}

}  // namespace ds_spreadsheet
