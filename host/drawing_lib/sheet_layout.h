// sheet_layout: the sheets of a pedestal rebar drawing, built from the
// component's record.
//
// One sheet per parameter group: the front view and the plan of the group's
// first pedestal at the left, the notes below them; at the right the parameter
// table, the pedestal numbers (one row: 1#...n# with height and mesh layers) or
// the per-pier breakdown (several rows), the quantity table and the bar
// details; the title block in the corner. Bars of a shape the library cannot
// draw are listed on a last sheet of their own.
// Tables (and notes) that do not fit continue on continuation sheets titled
// "(续1)", "(续2)" ..., which carry two table columns each, so a group of any
// number of rows stays on paper. Every sheet counts as "sheet i of n" of the
// whole drawing. The layout allocates per row and per drawn bar, never per
// pedestal.
#pragma once

#include <vector>

#include "host/pedestal_design/ds_gj_draw_data.h"
#include "host/pedestal_design/quantity_table.h"
#include "host/sheet_model/sheet_model.h"

namespace VQDraw_DS_GJNA {

/// Most lines of notes a group's sheets carry. Notes the host's doors accept
/// take a few dozen lines; a longer text (a damaged or crafted project) is cut
/// here with a line saying so, instead of running on for thousands of sheets.
inline constexpr std::size_t max_note_lines = 160;

/// "<pier name>垫石钢筋构造图".
CString base_sheet_title(const DS_draw_data& data);
/// The sheet title of a group: the base title, followed by the group's plan
/// size "(a×b)" when the drawing has several groups. Sheets are numbered once,
/// in the title block ("第i张 共n张").
CString sheet_title(const DS_draw_data& data, std::size_t group);

/// The sheets of a record that passed the design check; `quantities` holds one
/// entry per group. Where a group's views could not keep the record's scale,
/// a line saying which scale replaced it and why goes to `notices`.
std::vector<ds_sheet::sheet> layout_sheets(const DS_draw_data& data, const std::vector<group_quantities>& quantities,
                                           std::vector<CString>* notices = nullptr);

/// Sheets that list the design check's findings instead of a drawing.
std::vector<ds_sheet::sheet> findings_sheets(const DS_draw_data& data, const std::vector<CString>& findings);

}  // namespace VQDraw_DS_GJNA
