// Zip package of a workbook through libzip, parts parsed by pugixml, both
// inside the reader's memory budget.
#include "host/spreadsheet/xlsx_package.h"

#include <zip.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <set>

#include "host/fields/input_limits.h"
#include "host/spreadsheet/spreadsheet_table.h"

namespace ds_spreadsheet {

namespace {

/// A workbook has a dozen parts; thousands mean something else was packed.
constexpr zip_int64_t max_entries = 10000;
/// pugixml's tree: 64 bytes an element or text node, 40 an attribute (64-bit).
constexpr std::uint64_t bytes_per_node = 64, bytes_per_attribute = 40;
/// One part's tree may take a third of the budget: a sheet's tree, the shared
/// strings and the unpacked text live at the same time.
constexpr std::uint64_t tree_budget = input_limits::max_spreadsheet_memory / 3;

std::string lower_ascii(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

/// Most memory the tree of a part's text can take, counted chunk by chunk as
/// it inflates: every '<' starts at most one element and one text node, every
/// '=' at most one attribute.
class tree_size_bound {
public:
    void add(std::string_view chunk)
    {
        m_bytes += chunk.size();
        m_tags += static_cast<std::uint64_t>(std::count(chunk.begin(), chunk.end(), '<'));
        m_attributes += static_cast<std::uint64_t>(std::count(chunk.begin(), chunk.end(), '='));
    }
    std::uint64_t bytes() const { return m_bytes + (2 * m_tags + 1) * bytes_per_node + m_attributes * bytes_per_attribute; }

private:
    std::uint64_t m_bytes = 0, m_tags = 0, m_attributes = 0;
};

std::string mebibytes(std::uint64_t bytes) { return std::to_string(bytes >> 20) + " MiB"; }

}  // namespace

xlsx_package::xlsx_package(std::string_view bytes, std::string source)
    : m_source(std::move(source)), m_unpacked_left(input_limits::max_spreadsheet_bytes)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* src = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (src) m_zip = zip_open_from_source(src, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!m_zip) {
        if (src) zip_source_free(src);
        const int code = zip_error_code_zip(&error);
        const std::string why = zip_error_strerror(&error);
        zip_error_fini(&error);
        if (code == ZIP_ER_EXISTS) fail("not a workbook a spreadsheet program wrote: the zip package holds a part twice");
        fail("not an XLSX workbook (not a zip package: " + why + ")");
    }
    zip_error_fini(&error);
    try {
        check_entries();
    } catch (...) {
        zip_discard(m_zip);  // a constructor that throws runs no destructor
        throw;
    }
}

xlsx_package::~xlsx_package() { zip_discard(m_zip); }

void xlsx_package::fail(const std::string& why) const { throw spreadsheet_error(m_source + ": " + why); }

/// Excel finds parts without regard to case, so two names that differ only in
/// case would leave it to chance which one is read.
void xlsx_package::check_entries()
{
    const zip_int64_t count = zip_get_num_entries(m_zip, 0);
    if (count > max_entries)
        fail("not a workbook: the zip package holds " + std::to_string(count) + " parts (a workbook has a few dozen)");
    std::set<std::string> names;
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(m_zip, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
        if (!name) continue;
        if (!names.insert(lower_ascii(name)).second)
            fail("not a workbook a spreadsheet program wrote: the zip package holds the part \"" +
                 std::string(name).substr(0, 200) + "\" twice (names differing only in case)");
    }
    if (!names.count("xl/workbook.xml") && (names.count("content.xml") || names.count("mimetype")))
        fail("an OpenDocument spreadsheet (.ods), not an XLSX workbook; save it as .xlsx (Excel 2007-365) and import that");
}

std::optional<std::string> xlsx_package::part(const std::string& name)
{
    const zip_int64_t index = zip_name_locate(m_zip, name.c_str(), ZIP_FL_NOCASE);
    if (index < 0) return std::nullopt;
    zip_stat_t stat;
    if (zip_stat_index(m_zip, static_cast<zip_uint64_t>(index), 0, &stat) != 0) fail(name + ": " + zip_strerror(m_zip));
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
        fail(name + " is encrypted; save the workbook without a password");
    const std::uint64_t size = (stat.valid & ZIP_STAT_SIZE) ? stat.size : 0;
    if (size > m_unpacked_left)
        fail("unpacks to more than " + mebibytes(input_limits::max_spreadsheet_bytes) + ", far more than a table needs");
    return unpack(name, static_cast<zip_uint64_t>(index), size);
}

/// Inflates chunk by chunk and stops at the stated size: a part that lies
/// about its size cannot take more than it said, nor more than what is left;
/// and stops as soon as the tree the text would make outgrows its budget.
std::string xlsx_package::unpack(const std::string& name, std::uint64_t index, std::uint64_t size)
{
    std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> file(zip_fopen_index(m_zip, index, 0), zip_fclose);
    if (!file) fail(name + ": " + zip_strerror(m_zip));
    std::string data;
    tree_size_bound tree;
    char chunk[64 * 1024];
    for (;;) {
        const zip_int64_t n = zip_fread(file.get(), chunk, sizeof chunk);
        if (n < 0) fail(name + ": " + zip_file_strerror(file.get()));
        if (n == 0) break;
        if (data.size() + static_cast<std::uint64_t>(n) > size) fail(name + " is larger than the package says");
        tree.add(std::string_view(chunk, static_cast<std::size_t>(n)));
        if (tree.bytes() > tree_budget)
            fail(name + " holds too many elements for a table (reading it could take more than " +
                 mebibytes(tree_budget) + " of memory)");
        data.append(chunk, static_cast<std::size_t>(n));
    }
    m_unpacked_left -= data.size();
    return data;
}

pugi::xml_document xlsx_package::parse(const std::string& name, bool required)
{
    pugi::xml_document doc;
    const std::optional<std::string> text = part(name);
    if (!text) {
        if (required) fail("not an XLSX workbook (it has no " + name + ")");
        return doc;
    }
    const pugi::xml_parse_result parsed =
        doc.load_buffer(text->data(), text->size(), pugi::parse_default | pugi::parse_ws_pcdata);
    if (!parsed) fail(name + " is not XML: " + parsed.description() + " at byte " + std::to_string(parsed.offset));
    return doc;
}

bool is_element(const pugi::xml_node& node, const char* local)
{
    const char* name = node.name();
    const char* colon = std::strrchr(name, ':');
    return std::strcmp(colon ? colon + 1 : name, local) == 0;
}

pugi::xml_node child_element(const pugi::xml_node& node, const char* local)
{
    for (pugi::xml_node c : node.children())
        if (is_element(c, local)) return c;
    return {};
}

}  // namespace ds_spreadsheet
