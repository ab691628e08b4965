// A readable rendering of a pedestal drawing component's input record.
//
// The host program prints it so the user sees what a drawing will be built
// from. The text is in the host code page like every CString; whoever prints
// it converts it at the terminal.
#pragma once

#include "host/afx/cstring.h"
#include "host/pedestal_design/ds_gj_draw_data.h"

namespace VQDraw_DS_GJNA {

/// Several lines, each ending in "\n": pier name and number, support, scales,
/// concrete and custom note, then per parameter group its height label, notes
/// and one line per pedestal row (count, size, heights, angle, position and
/// whether a rebar group is present).
CString describe_draw_data(const DS_draw_data& data);

}  // namespace VQDraw_DS_GJNA
