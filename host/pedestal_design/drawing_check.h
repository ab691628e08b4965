// drawing_check: what a checker finds on a sheet before signing it, computed
// from the sheet model and the cage geometry instead of looked for by eye.
//
// The design check (design_check.h) asks whether a record can be drawn; this
// asks whether the drawing made of it reads right: dimension values inside
// their spans and apart, values that are the distance they dimension, chains
// that add up to their overall dimension, no text over text, over a bar or
// over a cut mark, views and labels large enough to read at their scale, bar
// axes at least the sum of their radii apart, every scheduled bar marked in a
// view, and a "built alike" note only where the pedestals are. Each finding is
// one line naming the sheet, the view or the bars.
#pragma once

#include <vector>

#include "host/afx/cstring.h"
#include "host/pedestal_design/cage_layout.h"
#include "host/pedestal_design/ds_gj_draw_data.h"
#include "host/pedestal_design/pedestal_views.h"
#include "host/pedestal_design/quantity_table.h"
#include "host/sheet_model/sheet_model.h"

namespace VQDraw_DS_GJNA {

/// Smallest printed size of a view's outline (its narrower side), mm of paper.
inline constexpr double least_view_print_mm = 8.0;
/// Smallest printed heights of a label: Chinese characters, and digits or letters, mm.
inline constexpr double least_hanzi_mm = 3.5;
inline constexpr double least_digit_mm = 2.5;
/// Text boxes may touch by this much before they count as lying on each other, mm.
inline constexpr double overlap_tolerance_mm = 0.1;

/// Findings of one sheet's model: dimension values (inside their span, not on
/// each other, equal to the distance measured at the view's scale, whole
/// millimetres), chains adding up, texts over texts, bars or cut marks, and
/// printed sizes of views and labels. `name` prefixes each finding.
std::vector<CString> check_sheet(const ds_sheet::sheet& page, const CString& name = {});

/// The part of check_sheet that depends on the scale: dimension values inside
/// their spans and apart, printed sizes of views and labels.
std::vector<CString> check_legibility(const ds_sheet::sheet& page);

/// Clashes of the bars of a laid-out cage: mesh bars through vertical bars,
/// vertical bars on each other, ties on mesh layers (bar axes nearer than
/// the sum of the bars' radii). `size` prefixes each finding.
std::vector<CString> check_cage(const cage_layout& cage, const CString& size);
/// check_cage of the cage lay_out_cage builds for the subject.
std::vector<CString> check_cage(const view_subject& subject);

/// Marks of the bars one pedestal of `plan` and `height` holds (a bar line
/// that lays no bar in it is left out).
std::vector<CString> marks_held(const std::vector<steel_bar_row>& bars, const pedestal_plan& plan, double height);

/// The whole drawing check of `sheets` laid out from `data` with `quantities`:
/// check_sheet on every sheet, check_cage on every pedestal size, every
/// scheduled bar marked in a view of its group's sheet, and the "built alike"
/// note only when every pedestal of the group holds the same bars.
std::vector<CString> check_drawing(const DS_draw_data& data, const std::vector<group_quantities>& quantities,
                                   const std::vector<ds_sheet::sheet>& sheets);

}  // namespace VQDraw_DS_GJNA
