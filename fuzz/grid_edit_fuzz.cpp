// Fuzz target: the parser of grid edits typed on the command line. It must
// refuse with a message or give an edit whose parts are what it was given.
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "app/core/grid/table_edits.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const ds_app::table_edit edit = ds_app::parse_table_edit(text, "--set #1");
        if (edit.table.IsEmpty() || edit.key.IsEmpty() || edit.row < 0) std::abort();
    } catch (const std::runtime_error&) {
    }
    return 0;
}
