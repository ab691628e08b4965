// pedestal_views: the plan and the front view of a typical pedestal of a
// parameter group, with its mesh, ties and vertical bars, dimensions, bar
// marks, centre lines and direction labels.
//
// Both views are projections of one pedestal and share one scale: the
// record's when both fit their areas and fill at least `least_fill` of them,
// else the finest usual scale at which both fit. Each view states its scale
// under its name; the title block gives the sheet's scale. A pedestal is small
// beside the pier it stands on, and the scale a record inherits from the pier's
// drawings would leave it a speck on the sheet.
//
// The front view is cut at mid-length, parallel to the front face, looking at
// the back: bars running along the bridge show as dots (cut bars), so the
// view is the section "I-I", with its cut marks in the plan, on a square
// pedestal as on a skewed one. Vertical bars are drawn down into the pier cap to their
// anchorage. Bars too dense to tell apart on paper are thinned for the picture:
// at most max_drawn_bars per bar line and max_drawn_layers mesh layers are
// drawn; the dimensions and the quantity table still state every bar.
#pragma once

#include <vector>

#include "host/afx/cstring.h"
#include "host/pedestal_design/rebar_geometry.h"
#include "host/sheet_model/sheet_model.h"
#include "host/sheet_model/text_metrics.h"

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
    const std::vector<steel_bar_row>* bars = nullptr;  ///< the rebar's bar lines, or null
};

/// What a view shows, mm of the object, and the paper it needs around it for
/// dimensions, marks and caption, mm.
struct view_extent {
    double width = 0.0, height = 0.0;
    double room_x = 0.0, room_y = 0.0;
};
view_extent plan_extent(const view_subject& subject);
/// The front view's: the pedestal and the vertical bars' anchorage below it.
view_extent front_extent(const view_subject& subject);

/// Draws the plan into `area` at 1:`n`, with the cut marks of the side
/// section II-II when `side_cut`.
void draw_plan(ds_sheet::sheet& page, const view_subject& subject, const ds_sheet::box& area, int n, bool side_cut);

/// Draws the front view (elevation, or section I-I when skewed) into `area` at
/// 1:`n`, captioned `caption` when one is given.
void draw_front(ds_sheet::sheet& page, const view_subject& subject, const ds_sheet::box& area, int n,
                const CString& caption = {});

/// Caption of the front view: the section "I-I".
CString front_view_name(const pedestal_plan& plan);

/// The scale 1:n to draw `size_x` by `size_y` mm into `room_x` by `room_y` mm of
/// paper: `wanted` when it fits and fills least_fill of the room, else the
/// finest usual scale that fits, else the coarsest 1:n that fits.
int fitting_scale(double size_x, double size_y, double room_x, double room_y, int wanted);

/// The usual scales of drawings, 1:n from the finest.
inline constexpr int usual_scales[] = {1, 2, 5, 10, 15, 20, 25, 30, 40, 50, 60, 75, 100, 150, 200, 250, 300, 400, 500, 750, 1000};
/// Largest scale 1:n a view is drawn at from the record's wish.
inline constexpr int max_view_scale = 1000;

}  // namespace VQDraw_DS_GJNA
