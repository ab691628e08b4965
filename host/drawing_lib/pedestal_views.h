// pedestal_views: the plan and the elevation of a typical pedestal of a
// parameter group, with its mesh, dimensions and bar marks.
//
// A view is drawn at the record's scale when the pedestal fits its area and
// fills at least `least_fill` of it; else at the finest usual scale at which
// it fits (its caption and the title block show the scale used). A pedestal is
// small beside the pier it stands on, and the scale a record inherits from the
// pier's drawings would leave it a speck on the sheet. Bars
// too dense to tell apart on paper are thinned for the picture: at most
// max_drawn_bars per bar line and max_drawn_layers mesh layers are drawn; the
// dimensions and the quantity table still state every bar.
#pragma once

#include <vector>

#include "host/afx/cstring.h"
#include "host/drawing_lib/rebar_geometry.h"
#include "host/drawing_lib/sheet_model.h"
#include "host/drawing_lib/text_metrics.h"

namespace VQDraw_DS_GJNA {

inline constexpr std::size_t max_drawn_bars = 120;
inline constexpr double least_fill = 0.4;
inline constexpr std::int64_t max_drawn_layers = 12;

/// The pedestal a view shows and how its sizes are labelled.
struct view_subject {
    pedestal_plan plan;
    double height = 0.0;       ///< mm, the height drawn
    CString width_label;       ///< the width's value, or "a" when the group's widths differ
    CString length_label;      ///< likewise, "b"
    CString height_label;      ///< the height's value, or "h" when heights vary
    const std::vector<steel_bar_row>* bars = nullptr;  ///< the mesh's bar lines, or null
};

/// Draws the plan into `area` at 1:`scale` or coarser; returns the scale used.
int draw_plan(ds_sheet::sheet& page, const view_subject& subject, const ds_sheet::box& area, int scale);

/// Draws the front elevation into `area`; returns the scale used.
int draw_elevation(ds_sheet::sheet& page, const view_subject& subject, const ds_sheet::box& area, int scale);

/// The scale 1:n to draw `size_x` by `size_y` mm into `room_x` by `room_y` mm of
/// paper: `wanted` when it fits and fills least_fill of the room, else the
/// finest usual scale that fits, else the coarsest 1:n that fits.
int fitting_scale(double size_x, double size_y, double room_x, double room_y, int wanted);

}  // namespace VQDraw_DS_GJNA
