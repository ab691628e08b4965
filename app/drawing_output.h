// Drawing output of a pedestal drawing through its drawing strategy: the
// drawing component with the input record it was built from, and the
// exchange of the drawing's data with spreadsheet (CSV) files.
#pragma once

#include <filesystem>

#include "app/sheet_output.h"
#include "host/framework/graph_data_base.h"

namespace ds_app {

/// Has the drawing's strategy produce its component, prints the input record
/// the component received, then lets the component design itself, make its
/// sheets and list its materials, and prints what came of each; the sheets go
/// to `sheets` when given. Throws std::runtime_error when the strategy gives no
/// component.
void run_draw(graph_data_base& drawing, sheet_output* sheets = nullptr);

/// run_draw with the sheets written into `folders` (and the HTML page, titled
/// after the drawing, when asked for).
void draw_with_sheets(graph_data_base& drawing, const sheet_folders& folders);

/// Exports the drawing's spreadsheet table to `csv` (written atomically) and prints it.
void run_export(graph_data_base& drawing, const std::filesystem::path& csv);

/// Reads `csv` and has the strategy import it, then prints the changes. The
/// file is checked first against the table the drawing exports: every caption
/// row must be there with its caption and a value cell, and cells that hold
/// numbers must read as numbers. A file that fails the check, or does not
/// parse, changes nothing and throws std::runtime_error naming the file and row.
void run_import(graph_data_base& drawing, const std::filesystem::path& csv);

}  // namespace ds_app
