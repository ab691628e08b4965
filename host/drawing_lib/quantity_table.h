// quantity_table: the steel and concrete of one parameter group, computed from
// the pedestal geometry and its mesh.
//
// One bar line gives one quantity line per distinct one-bar length, so rows of
// a group that share a rebar group and size add up on one line. Counts are
// 64-bit: within the host's limits a group can hold more bars than an int.
// The sheet's quantity table and the component's material list are both made
// from this one computation.
#pragma once

#include <cstdint>
#include <vector>

#include "host/afx/cstring.h"
#include "host/drawing_lib/ds_gj_draw_data.h"

namespace VQDraw_DS_GJNA {

/// One line of the bar list.
struct bar_quantity {
    CString mark;               ///< "N1"
    CString grade;              ///< "HRB400"
    double diameter = 0.0;      ///< mm
    double one_length = 0.0;    ///< one bar, mm
    double straight = 0.0;      ///< its straight part, mm (the rest are two bent ends)
    std::int64_t count = 0;     ///< bars in the whole group
    double total_length = 0.0;  ///< m
    double weight = 0.0;        ///< kg
};

/// Steel of one diameter in the whole group.
struct diameter_total {
    double diameter = 0.0;
    double weight = 0.0;  ///< kg
};

/// Everything a group needs built.
struct group_quantities {
    std::vector<bar_quantity> bars;      ///< in order of first appearance
    std::vector<diameter_total> totals;  ///< ascending diameter
    double steel_weight = 0.0;           ///< kg
    double concrete_volume = 0.0;        ///< m3, from the outlines and every pedestal's height
    std::int64_t bar_count = 0;          ///< all bars of the group
};

/// Quantities of `group`. Rows without rebar add concrete only; a row whose
/// values the design check refuses still computes without overflow.
group_quantities compute_quantities(const std::vector<DS_steel_pram_parameter>& group);

}  // namespace VQDraw_DS_GJNA
