// quantity_table: the steel and concrete of one parameter group, computed from
// the pedestal geometry and its rebar (mesh, vertical bars, closed ties).
//
// One bar line gives one quantity line per distinct one-bar length, so rows of
// a group that share a rebar group and size add up on one line. Vertical bars
// grow with their pedestal's height: they keep one line per mark whose
// one-bar length is given as "shortest~longest" (the total length and weight
// still add every bar's own length), as schedules of parametric drawings do. Lengths are
// bar axis lengths, each straight part and hook rounded to the whole
// millimetre as drawing sets give them; total lengths and weights are
// computed from the rounded lengths. Counts are 64-bit: within the host's
// limits a group can hold more bars than an int. The sheet's quantity table
// and the component's material list are both made from this one computation.
#pragma once

#include <cstdint>
#include <vector>

#include "host/afx/cstring.h"
#include "host/pedestal_design/ds_gj_draw_data.h"
#include "host/pedestal_design/rebar_geometry.h"

namespace VQDraw_DS_GJNA {

/// One line of the bar list.
struct bar_quantity {
    CString mark;               ///< "N1"
    CString grade;              ///< "HRB400"
    double diameter = 0.0;      ///< mm
    double one_length = 0.0;    ///< one bar, mm; the shortest when the line's bars differ
    double longest = 0.0;       ///< the longest bar of the line, mm
    double straight_longest = 0.0;  ///< the longest straight part, mm
    double straight = 0.0;      ///< mesh bar: its straight part; vertical bar: its upright leg; tie: its side across, mm
    double leg = 0.0;           ///< mesh bar: one bent end; vertical bar: its foot; tie: its side along, mm
    double hook = 0.0;          ///< tie: one 135° hook, mm
    double angle_deg = 90.0;    ///< tie: the angle between its sides (the pedestal's skew)
    bar_kind kind = bar_kind::mesh;
    std::int64_t count = 0;     ///< bars in the whole group
    double total_length = 0.0;  ///< m
    double weight = 0.0;        ///< kg
};

/// Steel of one diameter in the whole group.
struct diameter_total {
    double diameter = 0.0;
    double weight = 0.0;  ///< kg
};

/// What one pedestal row (one pier or abutment's pedestals of one size) takes.
struct row_total {
    double steel_weight = 0.0;     ///< kg
    double concrete_volume = 0.0;  ///< m3
    std::vector<std::int64_t> layers;  ///< mesh layers of each pedestal, in order
};

/// Everything a group needs built.
struct group_quantities {
    std::vector<bar_quantity> bars;      ///< in order of first appearance
    std::vector<diameter_total> totals;  ///< ascending diameter
    std::vector<row_total> rows;         ///< one per pedestal row of the group
    double steel_weight = 0.0;           ///< kg
    double concrete_volume = 0.0;        ///< m3, from the outlines and every pedestal's height
    std::int64_t bar_count = 0;          ///< all bars of the group
    /// Bar lines of a shape the library cannot draw ("N5 (螺旋形, 其他)"), once each: not in the
    /// quantities, listed on a findings sheet.
    std::vector<CString> undrawable;
};

/// Quantities of `group`. Rows without rebar add concrete only; a row whose
/// values the design check refuses still computes without overflow.
group_quantities compute_quantities(const std::vector<DS_steel_pram_parameter>& group);

/// Thickest mesh bar of a rebar group, mm (0 without a mesh): it sets the mesh layers' levels.
double thickest_mesh_bar(const std::vector<steel_bar_row>& bars);
/// Diameter of the first closed tie of a rebar group, mm (0 without ties).
double tie_diameter(const std::vector<steel_bar_row>& bars);

/// Weight of one metre of a bar of `diameter` mm, kg/m.
double unit_weight(double diameter);

}  // namespace VQDraw_DS_GJNA
