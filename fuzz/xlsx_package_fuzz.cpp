// Fuzz target: the XLSX reader past the zip layer. Every input is a zip
// package; the mutator unpacks it, changes one of its XML parts (a sheet, the
// shared strings, the styles, the workbook or its relationships) and packs it
// again, so what the reader sees is always a well-formed package whose sheets,
// strings, styles and merged ranges are what is being tried. Byte mutations
// of the package itself are xlsx_fuzz's work: almost none of them survive the
// zip checksums.
//
// Besides libFuzzer's own byte mutations of a part (with the workbook
// dictionary), the mutator copies, drops and moves whole elements (rows,
// cells, strings, formats, sheets), rewrites cell references and adds merged
// ranges, the edits a spreadsheet program makes and a crafted file abuses.
#include <cstdint>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz/xlsx_parts.h"

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t max_size);

namespace {

using xlsx_fuzz::part;
using random_bits = std::minstd_rand;

// A seed unpacks to a few kilobytes; more is a zip bomb among the seeds.
constexpr std::size_t unpacked_limit = 1 << 20;

/// The package the mutator starts from when its input is not one (an empty
/// corpus, or a seed of the byte-level target): one sheet with text, numbers,
/// a styled cell and a merged range.
std::vector<part> starting_package()
{
    return {
        {"[Content_Types].xml", R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"/>)"},
        {"xl/workbook.xml",
         R"(<workbook xmlns:r="r"><sheets><sheet name="垫石" sheetId="1" r:id="rId1"/></sheets></workbook>)"},
        {"xl/_rels/workbook.xml.rels",
         R"(<Relationships><Relationship Id="rId1" Target="worksheets/sheet1.xml" Type="x/worksheet"/>)"
         R"(<Relationship Id="rId2" Target="sharedStrings.xml" Type="x/sharedStrings"/>)"
         R"(<Relationship Id="rId3" Target="styles.xml" Type="x/styles"/></Relationships>)"},
        {"xl/sharedStrings.xml", R"(<sst><si><t>桥幅</t></si><si><r><t>主</t></r><r><t>线</t></r></si></sst>)"},
        {"xl/styles.xml",
         R"(<styleSheet><numFmts><numFmt numFmtId="164" formatCode="0.000"/></numFmts>)"
         R"(<cellXfs><xf numFmtId="0"/><xf numFmtId="164"/><xf numFmtId="14"/></cellXfs></styleSheet>)"},
        {"xl/worksheets/sheet1.xml",
         R"(<worksheet><sheetData><row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c></row>)"
         R"(<row r="2"><c r="A2"><v>460</v></c><c r="B2" s="1"><v>0.1</v></c><c r="C2" t="inlineStr"><is><t>x</t></is></c>)"
         R"(<c r="D2" t="b"><v>1</v></c></row></sheetData><mergeCells count="1"><mergeCell ref="A1:B1"/></mergeCells></worksheet>)"},
    };
}

bool is_xml_part(const std::string& name)
{
    return (name.starts_with("xl/worksheets/") && name.ends_with(".xml")) || name == "xl/sharedStrings.xml" ||
           name == "xl/styles.xml" || name == "xl/workbook.xml" || name == "xl/_rels/workbook.xml.rels";
}

/// The elements worth copying, dropping and moving in a part of this name.
std::vector<std::string_view> elements_of(const std::string& name)
{
    if (name.starts_with("xl/worksheets/")) return {"row", "c", "v", "is", "f", "mergeCell", "mergeCells"};
    if (name == "xl/sharedStrings.xml") return {"si", "r", "t", "rPh"};
    if (name == "xl/styles.xml") return {"xf", "numFmt", "cellXfs", "numFmts"};
    if (name == "xl/workbook.xml") return {"sheet", "definedName", "workbookPr"};
    return {"Relationship"};
}

template <class T>
const T& pick(const std::vector<T>& from, random_bits& bits)
{
    return from[bits() % from.size()];
}

std::string column_name(unsigned column)
{
    std::string name;
    for (; column > 0; column = (column - 1) / 26) name.insert(name.begin(), static_cast<char>('A' + (column - 1) % 26));
    return name;
}

/// A cell reference, near the sheet's corner or at the edges of the grid
/// (the last column and row Excel has, and one past them).
std::string random_reference(random_bits& bits)
{
    static const std::vector<unsigned> columns{1, 2, 26, 27, 702, 703, 16384, 16385};
    static const std::vector<unsigned> rows{1, 2, 1048576, 1048577, 4294967295u};
    const unsigned column = bits() % 2 ? pick(columns, bits) : 1 + bits() % 12;
    const unsigned row = bits() % 2 ? pick(rows, bits) : 1 + bits() % 20;
    return column_name(column) + std::to_string(row);
}

/// A merged range: mostly ordinary, sometimes one cell, backwards or not a range.
std::string random_range(random_bits& bits)
{
    switch (bits() % 6) {
    case 0: return random_reference(bits);
    case 1: return random_reference(bits) + ":";
    default: return random_reference(bits) + ":" + random_reference(bits);
    }
}

/// Where one element of the name starts and ends in `text`, chosen at random
/// among them; none when the text has no whole one.
std::optional<std::pair<std::size_t, std::size_t>> find_element(const std::string& text, std::string_view name,
                                                                random_bits& bits)
{
    const std::string open = "<" + std::string(name);
    std::vector<std::size_t> starts;
    for (std::size_t at = text.find(open); at != std::string::npos && starts.size() < 4096; at = text.find(open, at + 1)) {
        const char after = at + open.size() < text.size() ? text[at + open.size()] : '\0';
        if (after == ' ' || after == '>' || after == '/') starts.push_back(at);
    }
    if (starts.empty()) return std::nullopt;
    const std::size_t begin = pick(starts, bits);
    const std::size_t tag_end = text.find('>', begin);
    if (tag_end == std::string::npos) return std::nullopt;
    if (text[tag_end - 1] == '/') return std::pair{begin, tag_end + 1};
    // None of these elements holds one of its own name, so the first closing tag ends it.
    const std::string close = "</" + std::string(name) + ">";
    const std::size_t close_at = text.find(close, tag_end);
    if (close_at == std::string::npos) return std::nullopt;
    return std::pair{begin, close_at + close.size()};
}

/// libFuzzer's byte mutations of the text, growing it by a little at most.
void mutate_bytes(std::string& text)
{
    const std::size_t size = text.size();
    text.resize(size + 256);
    text.resize(LLVMFuzzerMutate(reinterpret_cast<std::uint8_t*>(text.data()), size, text.size()));
}

/// A merged range added to a sheet, into its list of merges or as a new list after the cells.
void add_merge(std::string& sheet, random_bits& bits)
{
    const std::string merge = "<mergeCell ref=\"" + random_range(bits) + "\"/>";
    if (const std::size_t at = sheet.find("</mergeCells>"); at != std::string::npos) sheet.insert(at, merge);
    else if (const std::size_t data = sheet.find("</sheetData>"); data != std::string::npos)
        sheet.insert(data + std::strlen("</sheetData>"), "<mergeCells>" + merge + "</mergeCells>");
    else sheet += "<mergeCells>" + merge + "</mergeCells>";
}

/// One reference attribute (r="..." of a row or cell, ref="..." of a merge) given another value.
void rewrite_reference(std::string& text, random_bits& bits)
{
    std::vector<std::size_t> values;
    for (std::string_view attribute : {" r=\"", " ref=\""})
        for (std::size_t at = text.find(attribute); at != std::string::npos && values.size() < 4096;
             at = text.find(attribute, at + 1))
            values.push_back(at + attribute.size());
    if (values.empty()) return;
    const std::size_t begin = pick(values, bits);
    const std::size_t end = text.find('"', begin);
    if (end == std::string::npos) return;
    std::string value;
    switch (bits() % 4) {
    case 0: value = std::to_string(bits() % 2 ? 1 + bits() % 20 : bits()); break;  // a row number
    case 1: value = random_range(bits); break;
    default: value = random_reference(bits); break;
    }
    text.replace(begin, end - begin, value);
}

/// One element of the part copied next to itself, dropped, or moved elsewhere.
void edit_element(part& p, random_bits& bits)
{
    const auto names = elements_of(p.name);
    const auto element = find_element(p.text, pick(names, bits), bits);
    if (!element) return mutate_bytes(p.text);
    const auto [begin, end] = *element;
    const std::string copy = p.text.substr(begin, end - begin);
    switch (bits() % 3) {
    case 0: p.text.insert(end, copy); break;
    case 1: p.text.erase(begin, end - begin); break;
    default: {
        p.text.erase(begin, end - begin);
        // Before another element of some name: a cell into another row, a row before an earlier one.
        const auto place = find_element(p.text, pick(names, bits), bits);
        p.text.insert(place ? place->first : begin, copy);
    }
    }
}

void mutate_package(std::vector<part>& parts, random_bits& bits)
{
    std::vector<std::size_t> xml;
    for (std::size_t i = 0; i < parts.size(); ++i)
        if (is_xml_part(parts[i].name)) xml.push_back(i);
    if (xml.empty()) {
        // Not a workbook at all: mutate what there is.
        if (!parts.empty()) mutate_bytes(parts[bits() % parts.size()].text);
        return;
    }
    part& chosen = parts[pick(xml, bits)];
    const bool sheet = chosen.name.starts_with("xl/worksheets/");
    switch (bits() % 16) {
    case 0:
    case 1: edit_element(chosen, bits); break;
    case 2: rewrite_reference(chosen.text, bits); break;
    case 3:
        if (sheet) add_merge(chosen.text, bits);
        else mutate_bytes(chosen.text);
        break;
    case 4:
        // A part missing: the reader must tell which one, not read past it.
        if (parts.size() > 1 && bits() % 4 == 0) parts.erase(parts.begin() + static_cast<std::ptrdiff_t>(pick(xml, bits)));
        else mutate_bytes(chosen.text);
        break;
    default: mutate_bytes(chosen.text);
    }
}

/// The parts packed into `out`; the package's size, or 0 when it does not fit.
std::size_t write_package(const std::vector<part>& parts, std::uint8_t* out, std::size_t max_size)
{
    const std::string bytes = xlsx_fuzz::pack(parts, false);
    if (bytes.empty() || bytes.size() > max_size) return 0;
    std::memcpy(out, bytes.data(), bytes.size());
    return bytes.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    xlsx_fuzz::read_and_check(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size, std::size_t max_size,
                                               unsigned int seed)
{
    random_bits bits(seed);
    std::vector<part> original;
    if (!xlsx_fuzz::unpack(std::string_view(reinterpret_cast<const char*>(data), size), original, unpacked_limit) ||
        original.empty())
        original = starting_package();
    // A mutation that grows the package past max_size is tried again from the original.
    for (int attempt = 0; attempt < 4; ++attempt) {
        std::vector<part> parts = original;
        for (unsigned edits = 1 + (bits() % 4 == 0 ? bits() % 3 : 0); edits > 0; --edits) mutate_package(parts, bits);
        if (const std::size_t written = write_package(parts, data, max_size)) return written;
    }
    return size;
}

// Two packages crossed: one XML part of the second takes the place of the
// first's part of that name (or joins the first), so a sheet meets the shared
// strings and styles of another workbook.
extern "C" std::size_t LLVMFuzzerCustomCrossOver(const std::uint8_t* data1, std::size_t size1, const std::uint8_t* data2,
                                                 std::size_t size2, std::uint8_t* out, std::size_t max_out_size,
                                                 unsigned int seed)
{
    random_bits bits(seed);
    std::vector<part> first;
    std::vector<part> second;
    if (!xlsx_fuzz::unpack(std::string_view(reinterpret_cast<const char*>(data1), size1), first, unpacked_limit) ||
        !xlsx_fuzz::unpack(std::string_view(reinterpret_cast<const char*>(data2), size2), second, unpacked_limit))
        return 0;
    std::vector<const part*> donors;
    for (const part& p : second)
        if (is_xml_part(p.name)) donors.push_back(&p);
    if (donors.empty()) return 0;
    const part& donor = *pick(donors, bits);
    bool replaced = false;
    for (part& p : first)
        if (p.name == donor.name) {
            p.text = donor.text;
            replaced = true;
        }
    if (!replaced) first.push_back(donor);
    return write_package(first, out, max_out_size);
}
