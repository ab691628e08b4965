// Fuzz target: the CSV reader. It must refuse or read, never crash; what it
// reads must write and read back to the same cells.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "host/spreadsheet/csv_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ds_spreadsheet::table rows;
    try {
        rows = ds_spreadsheet::from_csv(text, "fuzz.csv");
    } catch (const ds_spreadsheet::spreadsheet_error&) {
        return 0;
    }
    if (ds_spreadsheet::from_csv(ds_spreadsheet::to_csv(rows), "written.csv") != rows) {
        std::fprintf(stderr, "written cells read back different\n");
        std::abort();
    }
    return 0;
}
