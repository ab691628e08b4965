// A drawing's sheets for the local server: made by the drawing's strategy and
// the drawing library exactly as `ds-host draw` makes them, but kept in memory
// (SVG text for the page, a file's bytes for a download) instead of written to folders.
#pragma once

#include <cstddef>
#include <string>

#include <nlohmann/json.hpp>

#include "host/framework/graph_data_base.h"
#include "host/sheet_formats/sheet_formats.h"

namespace ds_app {

/// {"design": "passed"|"failed", "findings": [...], "titles": [...], "sheet": i, "svg": "..."}:
/// the design check's findings, every sheet's title and the SVG of sheet `index`
/// (the last one when there are fewer; "" when there are none). A pedestal
/// count of 0 (the drawing's, or a list row's) fails the check here, with a finding.
nlohmann::json sheets_json(graph_data_base& drawing, std::size_t index);

/// One sheet as a file of `format` (a format of each sheet), written into
/// `scratch` (a folder of the server's own) and read back. Throws
/// std::out_of_range for a sheet the drawing does not have.
struct sheet_file_bytes {
    std::string name;   ///< UTF-8 file name after the sheet's title
    std::string bytes;
};
sheet_file_bytes one_sheet_file(graph_data_base& drawing, std::size_t index, const ds_sheet::sheet_format& format,
                                const std::string& scratch);

}  // namespace ds_app
