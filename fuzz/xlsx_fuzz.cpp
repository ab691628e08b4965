// Fuzz target: the XLSX reader, the most exposed parser (zip and XML from
// anywhere). It must refuse or read, never crash, and what it reads must keep
// inside the limits it promises.
//
// An input that begins with "PK" goes to the reader as it is (mutations of
// the zip layer). Any other input is a list of parts, each introduced by a
// line "==> NAME", packed into a zip here first: a mutated part would
// otherwise fail its checksum, and the XML readers would never be reached.
#include <zip.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "host/fields/input_limits.h"
#include "host/spreadsheet/xlsx_read.h"

namespace {

struct part {
    std::string name;
    std::string_view text;
};

std::vector<part> split_parts(std::string_view input)
{
    std::vector<part> parts;
    constexpr std::string_view marker = "==> ";
    std::size_t at = input.starts_with(marker) ? 0 : input.find("\n==> ");
    while (at != std::string_view::npos && parts.size() < 32) {
        const std::size_t name_at = input[at] == '\n' ? at + 1 + marker.size() : at + marker.size();
        const std::size_t line_end = input.find('\n', name_at);
        if (line_end == std::string_view::npos) break;
        const std::size_t next = input.find("\n==> ", line_end);
        const std::size_t end = next == std::string_view::npos ? input.size() : next;
        parts.push_back({std::string(input.substr(name_at, line_end - name_at)), input.substr(line_end + 1, end - line_end - 1)});
        at = next;
    }
    return parts;
}

/// The parts as the bytes of a zip package, or "" when libzip will not pack them.
std::string pack(const std::vector<part>& parts)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_error_fini(&error);
    if (!buffer) return {};
    zip_source_keep(buffer);
    zip_t* zip = zip_open_from_source(buffer, ZIP_TRUNCATE, nullptr);
    if (!zip) {
        zip_source_free(buffer);
        return {};
    }
    for (const part& p : parts) {
        zip_source_t* text = zip_source_buffer(zip, p.text.data(), p.text.size(), 0);
        if (text && zip_file_add(zip, p.name.c_str(), text, ZIP_FL_ENC_UTF_8) < 0) zip_source_free(text);
    }
    std::string bytes;
    if (zip_close(zip) != 0) zip_discard(zip);  // a closed archive is freed; one that failed to close is not
    else if (zip_source_open(buffer) == 0) {
        char chunk[4096];
        zip_int64_t n;
        while ((n = zip_source_read(buffer, chunk, sizeof chunk)) > 0) bytes.append(chunk, static_cast<std::size_t>(n));
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string bytes = input.starts_with("PK") ? std::string(input) : pack(split_parts(input));
    ds_spreadsheet::table rows;
    try {
        rows = ds_spreadsheet::from_xlsx(bytes, "fuzz.xlsx");
    } catch (const ds_spreadsheet::spreadsheet_error&) {
        return 0;
    }
    unsigned long long cells = 0;
    for (const auto& row : rows) cells += row.size();
    if (cells > 2 * input_limits::max_spreadsheet_cells) {
        std::fprintf(stderr, "read %llu cells, beyond the limit\n", cells);
        std::abort();
    }
    return 0;
}
