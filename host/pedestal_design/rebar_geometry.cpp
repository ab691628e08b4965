// Outline corners, bar kinds, and the counts, lengths and positions of a pedestal mesh.
#include "host/pedestal_design/rebar_geometry.h"

#include <algorithm>
#include <cmath>

#include "host/pedestal_design/rebar_cover.h"
#include "host/fields/input_limits.h"

namespace VQDraw_DS_GJNA {

namespace {

using ds_sheet::point;

constexpr double pi = 3.14159265358979323846;

double sin_of(const pedestal_plan& plan) { return std::sin(plan.angle_deg * pi / 180.0); }
double cot_of(const pedestal_plan& plan) { return std::cos(plan.angle_deg * pi / 180.0) / sin_of(plan); }

bool usable(const pedestal_plan& plan)
{
    return input_limits::size_in_range(plan.width) && input_limits::size_in_range(plan.length) &&
           input_limits::angle_in_range(plan.angle_deg);
}

double safe_diameter(double d) { return std::isfinite(d) ? std::clamp(d, 0.0, input_limits::max_size_mm) : 0.0; }

/// Span the bars' axes of a line are spread over, square to them, and the straight run of one bar, mm.
std::pair<double, double> span_and_run(std::size_t line_index, const pedestal_plan& plan, double diameter, double inset)
{
    const double s = sin_of(plan), c = cover_mm();
    const double axis = inset + diameter / 2;
    if (runs_across(line_index)) return {plan.length - 2 * axis, plan.width - 2 * c / s};
    return {plan.width * s - 2 * axis, (plan.length - 2 * c) / s};
}

}  // namespace

bar_kind kind_of(const steel_bar_row& bar)
{
    if (bar.m_part.IsEmpty() || bar.m_part.Find("网") >= 0) return bar_kind::mesh;
    if (bar.m_shape.Find("箍") >= 0) return bar_kind::tie;
    if (bar.m_shape.Find("L") >= 0 || bar.m_part.Find("竖") >= 0) return bar_kind::vertical;
    return bar_kind::unknown;
}

double cover_mm() { return RXDSGNMOD::GetRebarCover().mm; }

std::array<point, 4> outline_corners(const pedestal_plan& plan)
{
    const double shift = plan.length * cot_of(plan);
    return {point{0.0, 0.0}, point{plan.width, 0.0}, point{plan.width + shift, plan.length}, point{shift, plan.length}};
}

layer_bars bars_in_layer(const steel_bar_row& bar, std::size_t line_index, const pedestal_plan& plan, double inset)
{
    layer_bars result;
    if (!usable(plan)) return result;
    const double diameter = safe_diameter(bar.m_diameter);
    const auto [span, run] = span_and_run(line_index, plan, diameter, inset);
    if (!(span >= 0.0) || !(run > 0.0)) return result;
    if (bar.m_count > 0) result.wanted = bar.m_count;
    else if (bar.m_spacing > 0.0 && std::isfinite(bar.m_spacing)) result.wanted = std::floor(span / bar.m_spacing) + 1.0;
    const double laid = std::min(result.wanted, static_cast<double>(input_limits::max_bars_per_line));
    result.count = static_cast<std::int64_t>(laid);
    if (result.count == 0) return result;
    result.spread = bar.m_count > 0 ? (result.count > 1 ? span : 0.0) : bar.m_spacing * static_cast<double>(result.count - 1);
    const bool straight = bar.m_shape.IsEmpty() || bar.m_shape == straight_shape;
    result.straight = run;
    result.bar_length = run + (straight ? 0.0 : 2 * bent_end_diameters * diameter);
    return result;
}

std::int64_t mesh_layers(double height, double diameter)
{
    const double inner = height - 2 * cover_mm() - safe_diameter(diameter);
    if (!input_limits::size_in_range(height) || inner < 0.0) return 0;
    return static_cast<std::int64_t>(std::floor(inner / mesh_layer_pitch_mm)) + 1;
}

double layer_level(double height, std::int64_t k, double diameter)
{
    return height - cover_mm() - safe_diameter(diameter) / 2 - mesh_layer_pitch_mm * static_cast<double>(k);
}

std::vector<std::pair<point, point>> bar_segments(const steel_bar_row& bar, std::size_t line_index,
                                                  const pedestal_plan& plan, double inset)
{
    std::vector<std::pair<point, point>> segments;
    const layer_bars bars = bars_in_layer(bar, line_index, plan, inset);
    if (bars.count == 0) return segments;
    const double s = sin_of(plan), cot = cot_of(plan), c = cover_mm();
    const double axis = inset + safe_diameter(bar.m_diameter) / 2;
    const auto [span, run] = span_and_run(line_index, plan, safe_diameter(bar.m_diameter), inset);
    const double first = (span - bars.spread) / 2;  // a spacing that does not divide the span leaves equal ends
    const double step = bars.count > 1 ? bars.spread / static_cast<double>(bars.count - 1) : 0.0;
    segments.reserve(static_cast<std::size_t>(bars.count));
    for (std::int64_t k = 0; k < bars.count; ++k) {
        const double at = axis + first + step * static_cast<double>(k);  // axis distance from the front or left face
        if (runs_across(line_index)) {
            const point a{c / s + at * cot, at};
            segments.push_back({a, {a.x + run, a.y}});
        } else {
            const point a{at / s + c * cot, c};
            segments.push_back({a, {a.x + run * std::cos(plan.angle_deg * pi / 180.0), a.y + run * s}});
        }
    }
    return segments;
}

double bar_weight(double diameter, double length_m)
{
    const double area_m2 = pi * diameter * diameter / 4.0 / 1e6;
    return area_m2 * length_m * steel_density;
}

double rounded_length(double mm) { return std::isfinite(mm) && std::fabs(mm) < 1e15 ? std::round(mm) : mm; }

}  // namespace VQDraw_DS_GJNA
