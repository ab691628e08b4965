// What the two XLSX fuzz targets share: packing parts into a zip package and
// unpacking one again with libzip, and the one call of the reader with the
// check of what it read.
#pragma once

#include <zip.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "host/fields/input_limits.h"
#include "host/spreadsheet/xlsx_read.h"

namespace xlsx_fuzz {

struct part {
    std::string name;
    std::string text;
};

/// The parts as the bytes of a zip package, or "" when libzip will not pack
/// them. Stored parts keep a mutator's packing cheap; deflated ones are what
/// spreadsheet programs write.
inline std::string pack(const std::vector<part>& parts, bool deflate = true)
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
        if (!text) continue;
        const zip_int64_t index = zip_file_add(zip, p.name.c_str(), text, ZIP_FL_ENC_UTF_8);
        if (index < 0) zip_source_free(text);
        else if (!deflate) zip_set_file_compression(zip, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
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

/// The parts of the zip package in `bytes`, in the package's order; false when
/// libzip cannot open it, a part cannot be read, or the parts unpack beyond
/// `limit` bytes together (a seed could be a zip bomb).
inline bool unpack(std::string_view bytes, std::vector<part>& parts, std::size_t limit)
{
    parts.clear();
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip_error_fini(&error);
    if (!source) return false;
    zip_t* zip = zip_open_from_source(source, ZIP_RDONLY, nullptr);
    if (!zip) {
        zip_source_free(source);
        return false;
    }
    bool whole = true;
    std::size_t total = 0;
    const zip_int64_t count = zip_get_num_entries(zip, 0);
    for (zip_int64_t i = 0; whole && i < count && i < 64; ++i) {
        const char* name = zip_get_name(zip, static_cast<zip_uint64_t>(i), 0);
        zip_file_t* file = name ? zip_fopen_index(zip, static_cast<zip_uint64_t>(i), 0) : nullptr;
        if (!file) {
            whole = false;
            break;
        }
        part p{name, {}};
        char chunk[4096];
        zip_int64_t n;
        while ((n = zip_fread(file, chunk, sizeof chunk)) > 0 && whole) {
            total += static_cast<std::size_t>(n);
            whole = total <= limit;
            p.text.append(chunk, static_cast<std::size_t>(n));
        }
        whole = whole && n == 0;
        zip_fclose(file);
        parts.push_back(std::move(p));
    }
    zip_discard(zip);  // frees the source with it
    return whole;
}

/// The reader on `bytes`: it may refuse them, but must not crash, and what it
/// reads must keep inside the cell limit it promises.
inline void read_and_check(std::string_view bytes)
{
    ds_spreadsheet::table rows;
    try {
        rows = ds_spreadsheet::from_xlsx(bytes, "fuzz.xlsx");
    } catch (const ds_spreadsheet::spreadsheet_error&) {
        return;
    }
    unsigned long long cells = 0;
    for (const auto& row : rows) cells += row.size();
    if (cells > 2 * input_limits::max_spreadsheet_cells) {
        std::fprintf(stderr, "read %llu cells, beyond the limit\n", cells);
        std::abort();
    }
}

}  // namespace xlsx_fuzz
