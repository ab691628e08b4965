// rebar_geometry: the outline of a pedestal and the bars of its mesh, in mm of
// the pedestal itself.
//
// Plan coordinates: x across the bridge along the front face (the width), y
// along the bridge (the length). The two side faces run at the row's skew
// angle to the front face, so a skewed pedestal is a parallelogram whose front
// and back faces are `width` long and `length` apart; its area stays
// width x length.
//
// The mesh: the rebar group's bar lines alternate between the two directions.
// Lines 1, 3, 5 ... (N1, N3 ...) run across, parallel to the front face, and
// are spread along the length; lines 2, 4 ... run parallel to the side faces
// and are spread across the width. A line gives either a count, spread evenly,
// or a spacing, measured square to the bars; bars keep `mesh_cover_mm` from
// every face. Mesh layers repeat every `mesh_layer_pitch_mm` from the top face
// down, each layer holding every bar line once.
//
// Every function takes any double and stays defined: counts are clamped to
// input_limits::max_bars_per_line, and `wanted` tells the design check what
// the record asked for before clamping.
#pragma once

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "host/drawing_lib/sheet_model.h"
#include "host/rebar/steel_bar_row.h"

namespace VQDraw_DS_GJNA {

/// Distance from a concrete face to the axis of the nearest bar, mm. Pedestal
/// meshes sit close to the faces to hold the bearing's load spread.
inline constexpr double mesh_cover_mm = 40.0;
/// Vertical distance between two mesh layers, mm.
inline constexpr double mesh_layer_pitch_mm = 100.0;
/// A bar that is not straight ("L形" and other shapes) gets two bent ends of this many diameters.
inline constexpr double bent_end_diameters = 10.0;
/// Shape text of a straight bar.
inline constexpr const char* straight_shape = "直线";
/// Steel density, kg/m3.
inline constexpr double steel_density = 7850.0;

/// Plan size of one pedestal.
struct pedestal_plan {
    double width = 0.0;       ///< across, mm
    double length = 0.0;      ///< along, mm
    double angle_deg = 90.0;  ///< skew of the side faces against the front face
};

/// Corners of the plan outline, counter-clockwise from the front left corner.
std::array<ds_sheet::point, 4> outline_corners(const pedestal_plan& plan);

/// True for bar lines that run across (parallel to the front face): the 1st, 3rd ...
inline bool runs_across(std::size_t line_index) { return line_index % 2 == 0; }

/// The bars of one bar line in one mesh layer.
struct layer_bars {
    std::int64_t count = 0;  ///< bars laid, at most input_limits::max_bars_per_line
    double wanted = 0.0;     ///< bars the line asks for at this size, before clamping
    double spread = 0.0;     ///< distance from the first to the last bar, square to them, mm
    double bar_length = 0.0; ///< one bar, bent ends included, mm
    double straight = 0.0;   ///< its straight part, mm; less than bar_length for a bent bar
};

/// Bars of line number `line_index` of a rebar group in one layer of `plan`.
layer_bars bars_in_layer(const steel_bar_row& bar, std::size_t line_index, const pedestal_plan& plan);

/// Mesh layers in a pedestal `height` mm high: 0 when it cannot hold one, at
/// most input_limits::max_size_mm / mesh_layer_pitch_mm + 1.
std::int64_t mesh_layers(double height);

/// Height of mesh layer `k` (0 the top one) above the bottom face, mm.
inline double layer_level(double height, std::int64_t k)
{
    return height - mesh_cover_mm - mesh_layer_pitch_mm * static_cast<double>(k);
}

/// The bars of one line in one layer of `plan`, as segments in plan coordinates.
std::vector<std::pair<ds_sheet::point, ds_sheet::point>> bar_segments(const steel_bar_row& bar, std::size_t line_index,
                                                                      const pedestal_plan& plan);

/// Weight of `length_m` metres of a bar of `diameter` mm, kg.
double bar_weight(double diameter, double length_m);

}  // namespace VQDraw_DS_GJNA
