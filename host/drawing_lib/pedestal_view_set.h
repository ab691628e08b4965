// pedestal_view_set: the views of one pedestal arranged on a sheet.
//
// The plan lies below the front view, and on a square pedestal the side
// section II-II (cut at mid-width, looking at the left side face) lies to the
// right of the front view, as projections are arranged. All views share one
// scale: the record's when everything fits and fills the room, else the
// finest usual scale at which every view fits (pedestal_views.h). The room is
// shared out in proportion to what each view shows, so that one scale suits
// them all.
#pragma once

#include "host/drawing_lib/pedestal_views.h"

namespace VQDraw_DS_GJNA {

/// Draws the views of `subject` into `area`; returns the scale 1:n used.
int draw_views(ds_sheet::sheet& page, const view_subject& subject, const ds_sheet::box& area, int wanted);

/// True when the sheet gets the side section (square pedestals with a height).
bool has_side_section(const view_subject& subject);

}  // namespace VQDraw_DS_GJNA
