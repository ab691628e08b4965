// sheet_layout: the sheets of a pedestal rebar drawing, built from the
// component's record.
//
// One sheet per parameter group: the front elevation and the plan of the
// group's first pedestal row at the left, the notes below them, the parameter
// table and the quantity table at the right, the title block in the corner.
// Tables (and notes) that do not fit continue on continuation sheets titled
// "(续1)", "(续2)" ..., which carry two table columns each, so a group of any
// number of rows stays on paper. Every sheet counts as "sheet i of n" of the
// whole drawing. The layout allocates per row and per drawn bar, never per
// pedestal.
#pragma once

#include <vector>

#include "host/drawing_lib/ds_gj_draw_data.h"
#include "host/drawing_lib/quantity_table.h"
#include "host/drawing_lib/sheet_model.h"

namespace VQDraw_DS_GJNA {

/// "<pier name>垫石钢筋构造图", followed by "(g/G)" when the drawing has more than one group.
CString sheet_title(const DS_draw_data& data, std::size_t group);

/// The sheets of a record that passed the design check; `quantities` holds one entry per group.
std::vector<ds_sheet::sheet> layout_sheets(const DS_draw_data& data, const std::vector<group_quantities>& quantities);

/// Sheets that list the design check's findings instead of a drawing.
std::vector<ds_sheet::sheet> findings_sheets(const DS_draw_data& data, const std::vector<CString>& findings);

}  // namespace VQDraw_DS_GJNA
