// How a pedestal drawing's table is laid out in the files it is exported to:
// the row that names the drawing, the sheet name, and on an XLSX sheet the
// checks, comments, locked cells and print set-up the field catalogue gives.
#pragma once

#include <string>

#include "host/fields/field_catalogue.h"
#include "host/framework/graph_data_base.h"
#include "host/spreadsheet/xlsx_write.h"
#include "host/ui_base/graph_drawing_strategy_base.h"

namespace ds_app {

/// First cell of the row that names the drawing a file was exported from.
using field_catalogue::drawing_row_caption;

/// The table as a file carries it: the row naming the drawing, then the
/// strategy's table. The naming row lets an import tell one drawing's file
/// from another's.
excel_table table_with_drawing_row(const graph_data_base& drawing, const excel_table& table);

/// The drawing named by `read`'s first row, when it is a naming row.
std::optional<CString> drawing_named_by(const excel_table& read);

/// The sheet an XLSX workbook keeps the drawing's table on: the drawing's
/// name, made fit for a sheet name.
std::string sheet_name_of(const graph_data_base& drawing);

/// Layout of table_with_drawing_row(drawing, table) on a sheet named `sheet_name`.
ds_spreadsheet::table_layout layout_of(const graph_data_base& drawing, const excel_table& table, const std::string& sheet_name);

/// Takes back what layout_of's display formats put into values a spreadsheet
/// program saves as shown (a CSV saved from the workbook): the scale "1:50"
/// becomes 50. `expected` is the table the file should hold, its captions
/// in the rows `read` has them.
void undo_display_formats(excel_table& read, const excel_table& expected);

}  // namespace ds_app
