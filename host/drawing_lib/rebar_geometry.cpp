// Outline corners, bar counts, lengths and positions of a pedestal mesh.
#include "host/drawing_lib/rebar_geometry.h"

#include <algorithm>
#include <cmath>

#include "host/framework/input_limits.h"

namespace VQDraw_DS_GJNA {

namespace {

using ds_sheet::point;

constexpr double pi = 3.14159265358979323846;

double sin_of(const pedestal_plan& plan) { return std::sin(plan.angle_deg * pi / 180.0); }
double cot_of(const pedestal_plan& plan) { return std::cos(plan.angle_deg * pi / 180.0) / sin_of(plan); }

bool usable(const pedestal_plan& plan)
{
    return input_limits::size_in_range(plan.width) && input_limits::size_in_range(plan.length) &&
           std::isfinite(plan.angle_deg) && plan.angle_deg > 0.0 && plan.angle_deg < 180.0;
}

/// Span the bars of a line are spread over, square to them, mm; and the length of one straight bar.
std::pair<double, double> span_and_run(std::size_t line_index, const pedestal_plan& plan)
{
    const double s = sin_of(plan);
    const double inner_length = plan.length - 2 * mesh_cover_mm;
    const double inner_width = plan.width - 2 * mesh_cover_mm / s;  // measured along the front face
    if (runs_across(line_index)) return {inner_length, inner_width};
    return {inner_width * s, inner_length / s};
}

}  // namespace

std::array<point, 4> outline_corners(const pedestal_plan& plan)
{
    const double shift = plan.length * cot_of(plan);
    return {point{0.0, 0.0}, point{plan.width, 0.0}, point{plan.width + shift, plan.length}, point{shift, plan.length}};
}

layer_bars bars_in_layer(const steel_bar_row& bar, std::size_t line_index, const pedestal_plan& plan)
{
    layer_bars result;
    if (!usable(plan)) return result;
    const auto [span, run] = span_and_run(line_index, plan);
    if (!(span >= 0.0) || !(run > 0.0)) return result;
    if (bar.m_count > 0) result.wanted = bar.m_count;
    else if (bar.m_spacing > 0.0 && std::isfinite(bar.m_spacing)) result.wanted = std::floor(span / bar.m_spacing) + 1.0;
    const double laid = std::min(result.wanted, static_cast<double>(input_limits::max_bars_per_line));
    result.count = static_cast<std::int64_t>(laid);
    if (result.count == 0) return result;
    result.spread = bar.m_count > 0 ? (result.count > 1 ? span : 0.0) : bar.m_spacing * static_cast<double>(result.count - 1);
    const bool straight = bar.m_shape.IsEmpty() || bar.m_shape == straight_shape;
    const double diameter = std::isfinite(bar.m_diameter) ? std::max(bar.m_diameter, 0.0) : 0.0;
    result.straight = run;
    result.bar_length = run + (straight ? 0.0 : 2 * bent_end_diameters * diameter);
    return result;
}

std::int64_t mesh_layers(double height)
{
    if (!input_limits::size_in_range(height) || height < 2 * mesh_cover_mm) return 0;
    return static_cast<std::int64_t>(std::floor((height - 2 * mesh_cover_mm) / mesh_layer_pitch_mm)) + 1;
}

std::vector<std::pair<point, point>> bar_segments(const steel_bar_row& bar, std::size_t line_index,
                                                  const pedestal_plan& plan)
{
    std::vector<std::pair<point, point>> segments;
    const layer_bars bars = bars_in_layer(bar, line_index, plan);
    if (bars.count == 0) return segments;
    const double s = sin_of(plan), cot = cot_of(plan);
    const auto [span, run] = span_and_run(line_index, plan);
    const double first = (span - bars.spread) / 2;  // a spacing that does not divide the span leaves equal ends
    const double step = bars.count > 1 ? bars.spread / static_cast<double>(bars.count - 1) : 0.0;
    // Front left corner of the mesh: cover from the front face and from the left side face.
    const point origin{mesh_cover_mm / s + mesh_cover_mm * cot, mesh_cover_mm};
    segments.reserve(static_cast<std::size_t>(bars.count));
    for (std::int64_t k = 0; k < bars.count; ++k) {
        const double at = first + step * static_cast<double>(k);
        if (runs_across(line_index)) {
            const point a{origin.x + at * cot, origin.y + at};
            segments.push_back({a, {a.x + run, a.y}});
        } else {
            const point a{origin.x + at / s, origin.y};
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

}  // namespace VQDraw_DS_GJNA
