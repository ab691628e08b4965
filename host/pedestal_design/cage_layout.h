// cage_layout: where every bar of one pedestal lies, so that the views, the
// quantities and the drawing check all see the same cage.
//
// The bars keep clear of one another as a fixer would place them:
// - The mesh lies inside the cage: its outermost bars touch the inside of the
//   vertical bars (or of the ties when there are no verticals), while its bars
//   still run out to the cover at their ends.
// - A vertical bar between the corners that a mesh bar would run through moves
//   along its face into the nearest opening of the mesh (the middle between
//   two mesh bars crossing the face), so the mesh keeps its even spacing and
//   its dimension chains stay true.
// - A tie that would lie in a mesh layer moves up or down until it touches
//   that layer instead (a tie bound to the mesh), keeping its count.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "host/pedestal_design/rebar_cage.h"
#include "host/pedestal_design/rebar_geometry.h"

namespace VQDraw_DS_GJNA {

/// The bar lines of one pedestal's rebar by kind, as the views draw them: mesh
/// lines with their ordinal among mesh lines, the first tie line, the vertical
/// bar lines.
struct cage_parts {
    std::vector<std::pair<const steel_bar_row*, std::size_t>> mesh;
    const steel_bar_row* tie = nullptr;
    std::vector<const steel_bar_row*> verticals;
    double mesh_d = 0.0;      ///< thickest mesh bar, mm
    double tie_d = 0.0;       ///< the ties' bar, mm (0 without ties)
    double vertical_d = 0.0;  ///< thickest vertical bar, mm (0 without verticals)

    /// Distance from the side faces to the surface of the mesh's outermost bars, mm.
    double mesh_inset() const;
};
cage_parts cage_of(const std::vector<steel_bar_row>& bars);

/// One straight bar in plan and its radius.
struct plan_bar {
    ds_sheet::point a, b;
    double radius = 0.0;
};

/// The bars of one pedestal where they lie.
struct cage_layout {
    cage_parts parts;
    std::vector<double> layer_levels;                          ///< mesh layers' axes above the bottom face, top first
    std::vector<std::vector<std::pair<ds_sheet::point, ds_sheet::point>>> mesh;  ///< per parts.mesh: its bars in one layer
    std::vector<vertical_bars> verticals;                      ///< per parts.verticals
    tie_bars ties;                                             ///< of parts.tie, when there is one
};

/// Lays out the cage of `bars` in a pedestal of `plan` and `height`.
cage_layout lay_out_cage(const std::vector<steel_bar_row>& bars, const pedestal_plan& plan, double height);

/// Distance from `p` to the segment from `a` to `b`.
double distance_to_segment(ds_sheet::point p, ds_sheet::point a, ds_sheet::point b);

}  // namespace VQDraw_DS_GJNA
