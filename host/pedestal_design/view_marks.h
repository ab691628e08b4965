// view_marks: the small things every view of a pedestal carries: bar marks
// with leaders, bar sections (dots), dimension chains, section cut marks and
// centre lines.
#pragma once

#include <vector>

#include "host/afx/cstring.h"
#include "host/sheet_model/sheet_model.h"
#include "host/sheet_model/text_metrics.h"

namespace VQDraw_DS_GJNA {

inline constexpr double mark_radius = 3.5;
/// Digits and letters (bar marks, dimension values): 2.5 mm; Chinese characters: 3.5 mm (GB/T 50105).
inline constexpr double digit_height = 2.5;
inline constexpr double hanzi_height = 3.5;

/// Object millimetres to paper: origin plus a point shrunk by the scale.
struct placement {
    ds_sheet::point origin;
    double k = 1.0;
    ds_sheet::point operator()(ds_sheet::point p) const { return {origin.x + p.x * k, origin.y + p.y * k}; }
};

/// A circled bar mark at `circle_centre` with a leader from `from`.
void add_mark(ds_sheet::sheet& page, ds_sheet::point from, ds_sheet::point circle_centre, const CString& mark);

/// A bar cut square to its axis: a filled dot.
void add_dot(ds_sheet::sheet& page, ds_sheet::point centre, double radius);

/// A chain of dimensions through `stations` (object mm along one axis); `middle`
/// labels the second of three segments (the bars' "n×spacing"). Along x at paper
/// height `at`, or with `vertical` along y at paper x `at`; `across` is the
/// object's other coordinate of the measured points.
struct chain {
    std::vector<double> stations;
    CString middle;
};
void add_chain(ds_sheet::sheet& page, const placement& place, const chain& c, double across, double at, bool vertical);

/// "4×100": a count of gaps and their spacing.
CString spacing_label(std::size_t gaps, double spread);

/// Cut marks of section `name` (GB/T 50105: short thick strokes outside the
/// object, the number on the side the view looks to): at `a` and `b`, looking
/// towards `look` (a unit vector on the paper).
void add_cut_marks(ds_sheet::sheet& page, ds_sheet::point a, ds_sheet::point b, ds_sheet::point look, const CString& name);

/// A centre line (layer centre) from `a` to `b`, run out 3 mm past both ends.
void add_centre_line(ds_sheet::sheet& page, ds_sheet::point a, ds_sheet::point b);

}  // namespace VQDraw_DS_GJNA
