// rebar_geometry: the outline of a pedestal and the bars of its mesh, in mm of
// the pedestal itself.
//
// Plan coordinates: x across the bridge along the front face (the width), y
// along the bridge (the length). The two side faces run at the row's skew
// angle to the front face, so a skewed pedestal is a parallelogram whose front
// and back faces are `width` long and `length` apart; its area stays
// width x length.
//
// Which bar is what (bar_kind): a bar line whose part names a mesh ("钢筋网")
// or names no part is a mesh line; otherwise a shape naming a tie ("箍") is a
// closed tie, an "L" shape or a part naming vertical bars ("竖") is a vertical
// bar; anything else is a shape this library cannot draw, and the drawing lists
// it on a findings sheet instead of dropping it.
//
// The mesh: the mesh lines alternate between the two directions. Mesh lines
// 1, 3, 5 ... run across, parallel to the front face, and are spread along the
// length; lines 2, 4 ... run parallel to the side faces and are spread across
// the width. A line gives either a count, spread evenly, or a spacing, measured
// square to the bars. The cover c of the drawing settings (GetRebarCover) is
// the clear cover: a bar's end stops c short of the face it points at; the
// outermost bars' axes sit d/2 inside the given inset from the faces beside
// them (c itself, or the inside of the cage, see cage_layout.h). Mesh layers repeat every
// `mesh_layer_pitch_mm` from the top face down: the top layer's axis c + d/2
// below the top, the lowest no nearer the bottom (d the mesh's thickest bar).
//
// Every function takes any double and stays defined: counts are clamped to
// input_limits::max_bars_per_line, and `wanted` tells the design check what
// the record asked for before clamping.
#pragma once

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "host/rebar/steel_bar_row.h"
#include "host/sheet_model/sheet_model.h"

namespace VQDraw_DS_GJNA {

/// The host's default cover, mm (the drawing settings' cover replaces it, see GetRebarCover).
inline constexpr double mesh_cover_mm = 40.0;
/// Vertical distance between two mesh layers, mm.
inline constexpr double mesh_layer_pitch_mm = 100.0;
/// A mesh bar that is not straight ("L形" and other shapes) gets two bent ends of this many diameters.
inline constexpr double bent_end_diameters = 10.0;
/// Shape text of a straight bar.
inline constexpr const char* straight_shape = "直线";
/// Steel density, kg/m3: a bar weighs 7850 x pi d^2 / 4 per metre (Φ12: 0.888 kg/m).
inline constexpr double steel_density = 7850.0;

/// What a bar line is in the pedestal's rebar.
enum class bar_kind { mesh, vertical, tie, unknown };
bar_kind kind_of(const steel_bar_row& bar);

/// The clear cover in use, mm (the drawing settings' or the host default).
double cover_mm();

/// Plan size of one pedestal.
struct pedestal_plan {
    double width = 0.0;       ///< across, mm
    double length = 0.0;      ///< along, mm
    double angle_deg = 90.0;  ///< skew of the side faces against the front face
};

/// Corners of the plan outline, counter-clockwise from the front left corner.
std::array<ds_sheet::point, 4> outline_corners(const pedestal_plan& plan);

/// True for mesh lines that run across (parallel to the front face): the 1st, 3rd ... mesh line.
inline bool runs_across(std::size_t line_index) { return line_index % 2 == 0; }

/// The bars of one bar line in one mesh layer.
struct layer_bars {
    std::int64_t count = 0;  ///< bars laid, at most input_limits::max_bars_per_line
    double wanted = 0.0;     ///< bars the line asks for at this size, before clamping
    double spread = 0.0;     ///< distance from the first to the last bar, square to them, mm
    double bar_length = 0.0; ///< one bar, bent ends included, mm
    double straight = 0.0;   ///< its straight part, mm; less than bar_length for a bent bar
};

/// Bars of mesh line number `line_index` (counting mesh lines only) in one
/// layer of `plan`, the outermost bars' surfaces `inset` mm inside the side
/// faces they run along (the cover, or the inside of the cage: cage_parts::mesh_inset).
layer_bars bars_in_layer(const steel_bar_row& bar, std::size_t line_index, const pedestal_plan& plan, double inset);

/// Mesh layers in a pedestal `height` mm high whose thickest mesh bar is
/// `diameter` mm: 0 when it cannot hold one, at most
/// input_limits::max_size_mm / mesh_layer_pitch_mm + 1.
std::int64_t mesh_layers(double height, double diameter = 0.0);

/// Height of the axis of mesh layer `k` (0 the top one) above the bottom face, mm.
double layer_level(double height, std::int64_t k, double diameter = 0.0);

/// The bars of one mesh line in one layer of `plan`, as segments in plan
/// coordinates (`inset` as for bars_in_layer).
std::vector<std::pair<ds_sheet::point, ds_sheet::point>> bar_segments(const steel_bar_row& bar, std::size_t line_index,
                                                                      const pedestal_plan& plan, double inset);

/// Weight of `length_m` metres of a bar of `diameter` mm, kg.
double bar_weight(double diameter, double length_m);

/// A bar length as a drawing set gives it: to the nearest whole millimetre.
double rounded_length(double mm);

}  // namespace VQDraw_DS_GJNA
