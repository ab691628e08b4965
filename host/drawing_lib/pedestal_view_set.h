// pedestal_view_set: the views of one pedestal arranged on a sheet.
//
// The plan lies below the front view, and on a square pedestal the side
// section II-II (cut at mid-width, looking at the left side face) lies to the
// right of the front view, as projections are arranged. All views share one
// scale: the record's when every view fits and reads (the drawing check finds
// nothing in them), else the finest usual scale that does, never silently. The room is
// shared out in proportion to what each view shows, so that one scale suits
// them all.
#pragma once

#include "host/pedestal_design/pedestal_views.h"

namespace VQDraw_DS_GJNA {

/// The scale the views were drawn at and, when it is not the one asked for, why.
struct views_drawn {
    int scale = 1;
    CString notice;  ///< "比例1:50不适合(…)，改用1:20"; empty when the asked scale was kept
    bool readable = true;  ///< false: no scale that fits let the views read, and the notice says so
};

/// Draws the views of `subject` into `area` at the scale 1:`wanted` when every
/// view fits there and the drawing check (check_sheet) finds nothing in them;
/// else at the finest usual scale that does, saying so in the notice; else at
/// the finest scale at which they fit, saying that too.
views_drawn draw_views(ds_sheet::sheet& page, const view_subject& subject, const ds_sheet::box& area, int wanted);

/// True when the sheet gets the side section II-II (every pedestal with a height).
bool has_side_section(const view_subject& subject);

}  // namespace VQDraw_DS_GJNA
