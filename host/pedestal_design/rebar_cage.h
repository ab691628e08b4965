// rebar_cage: the vertical bars and closed ties of a pedestal, in mm of the
// pedestal itself (plan coordinates as in rebar_geometry.h, z up from the
// bottom face).
//
// Rules, as pedestal drawings of highway bridges detail them:
// - Closed ties are the outermost bars: their axis runs c + d/2 inside every
//   side face (c the clear cover). They repeat at their spacing from c + d/2
//   below the top face down to no nearer the bottom face; a count spreads them
//   evenly over that height. With a mesh in the pedestal the ties start half a
//   mesh pitch lower, so they lie between the mesh layers instead of in them. One tie is its axis loop plus two 135° hooks of
//   `tie_hook_diameters` d each (bend and straight end).
// - Vertical bars stand inside the ties: axis c + d_tie + d/2 inside the side
//   faces. Four stand in the corners, the rest are shared between the faces in
//   proportion to their lengths and spaced evenly along them; a spacing instead
//   of a count puts bars along every face at no more than that spacing. A bar
//   runs from c below the top face down into the pier cap by
//   `vertical_anchor_diameters` d, and an L-shaped bar ends there in a foot of
//   `vertical_foot_diameters` d, turned into the pedestal (foot_direction).
#pragma once

#include <cstdint>
#include <vector>

#include "host/pedestal_design/rebar_geometry.h"

namespace VQDraw_DS_GJNA {

inline constexpr double tie_hook_diameters = 10.0;
inline constexpr double vertical_anchor_diameters = 30.0;
inline constexpr double vertical_foot_diameters = 10.0;

/// One closed tie and how many a pedestal holds.
struct tie_bars {
    std::int64_t count = 0;          ///< ties in one pedestal
    std::vector<double> levels;      ///< axis heights above the bottom face, top first
    std::vector<ds_sheet::point> loop;  ///< the tie's axis, four corners in plan
    double side_across = 0.0;        ///< axis length along the front face, mm
    double side_along = 0.0;         ///< axis length along a side face, mm
    double hook = 0.0;               ///< one hook, mm
    double bar_length = 0.0;         ///< one tie, mm
};

/// Ties of `bar` in a pedestal of `plan` and `height` (`with_mesh`: the rebar
/// has mesh layers too); none when it holds none.
tie_bars ties_of(const steel_bar_row& bar, const pedestal_plan& plan, double height, bool with_mesh);

/// The vertical bars of one pedestal.
struct vertical_bars {
    std::vector<ds_sheet::point> positions;  ///< in plan
    /// Per position, the face it stands on between the corners (0 front, 1
    /// right, 2 back, 3 left, as outline_corners runs), -1 for a corner.
    std::vector<int> face;
    std::vector<ds_sheet::point> ring;  ///< the loop of axes the bars stand on, four corners
    double top = 0.0;         ///< height of the upper end above the bottom face, mm
    double anchor = 0.0;      ///< depth below the bottom face, mm
    double foot = 0.0;        ///< the L's foot, mm (0 for a straight bar)
    double bar_length = 0.0;  ///< one bar, mm
};

/// Which way the foot of vertical bar `i` turns in plan, a unit vector: a bar
/// between the corners square into the pedestal from its face, a corner bar
/// toward `centre`.
ds_sheet::point foot_direction(const vertical_bars& v, std::size_t i, ds_sheet::point centre);

/// Vertical bars of `bar` in a pedestal of `plan` and `height`, standing
/// inside ties of `tie_diameter` (0 without ties).
vertical_bars verticals_of(const steel_bar_row& bar, const pedestal_plan& plan, double height, double tie_diameter);

}  // namespace VQDraw_DS_GJNA
