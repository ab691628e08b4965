// design_check: what stops a pedestal drawing record from being drawn.
//
// The module hands the drawing library exactly what its records say, so this
// is where absurd or incomplete values are caught: each finding names the
// parameter group and row (with the row's name and number), the field, the
// value and the limit it breaks, using the limits the host applies at its
// other doors: the field catalogue's ranges and captions (host/fields).
#pragma once

#include <vector>

#include "host/afx/cstring.h"
#include "host/pedestal_design/ds_gj_draw_data.h"

namespace VQDraw_DS_GJNA {

/// Findings about `data`, one line each; empty when it can be drawn. Checked:
/// at least one parameter group; scales from 1 to max_drawing_scale; per row the
/// pedestal count (0 to max_pedestals_per_row), width and length
/// (size_in_range), skew angle inside (0, 180), one height per pedestal, each
/// in size_in_range and high enough for one mesh layer, a rebar group, and per
/// bar line a diameter up to max_bar_diameter_mm, a count up to
/// max_bars_per_line or a spacing in range, and at least one and at most
/// max_bars_per_line bars at the row's size.
std::vector<CString> check_draw_data(const DS_draw_data& data);

}  // namespace VQDraw_DS_GJNA
