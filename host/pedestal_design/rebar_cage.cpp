// Positions, counts and lengths of a pedestal's vertical bars and closed ties.
#include "host/pedestal_design/rebar_cage.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "host/fields/input_limits.h"

namespace VQDraw_DS_GJNA {

namespace {

using ds_sheet::point;

constexpr double pi = 3.14159265358979323846;

bool usable(const pedestal_plan& plan, double height, const steel_bar_row& bar)
{
    return input_limits::size_in_range(plan.width) && input_limits::size_in_range(plan.length) &&
           input_limits::size_in_range(height) && input_limits::angle_in_range(plan.angle_deg) &&
           plan.angle_deg >= 1.0 && plan.angle_deg <= 179.0 && bar.m_diameter > 0.0 &&
           bar.m_diameter <= input_limits::max_bar_diameter_mm;
}

/// The outline shrunk by `inset` square to every face: four corners, counter-clockwise from the front left.
std::array<point, 4> inset_loop(const pedestal_plan& plan, double inset)
{
    const double s = std::sin(plan.angle_deg * pi / 180.0), cot = std::cos(plan.angle_deg * pi / 180.0) / s;
    const double w = plan.width - 2 * inset / s, l = plan.length - 2 * inset;
    const point a{inset / s + inset * cot, inset};
    return {a, point{a.x + w, a.y}, point{a.x + w + l * cot, a.y + l}, point{a.x + l * cot, a.y + l}};
}

double distance(point a, point b) { return std::hypot(b.x - a.x, b.y - a.y); }

/// A count from a quotient of any size, clamped before it becomes an integer.
std::int64_t clamped_count(double n, std::int64_t most)
{
    return n >= static_cast<double>(most) ? most : n > 0.0 ? static_cast<std::int64_t>(n) : 0;
}

}  // namespace

tie_bars ties_of(const steel_bar_row& bar, const pedestal_plan& plan, double height, bool with_mesh)
{
    tie_bars result;
    if (!usable(plan, height, bar)) return result;
    const double c = cover_mm(), d = bar.m_diameter;
    const auto loop = inset_loop(plan, c + d / 2);
    result.side_across = distance(loop[0], loop[1]);
    result.side_along = distance(loop[1], loop[2]);
    const double below_top = c + d / 2 + (with_mesh ? mesh_layer_pitch_mm / 2 : 0.0);  // axis of the highest tie
    const double room = height - below_top - c - d / 2;  // between the highest and the lowest tie axis
    if (!(result.side_across > 0.0) || !(result.side_along > 0.0) || room < 0.0) return result;
    std::int64_t count = 0;
    double step = 0.0;
    if (bar.m_count > 0) {
        count = std::min<std::int64_t>(bar.m_count, input_limits::max_bars_per_line);
        step = count > 1 ? room / static_cast<double>(count - 1) : 0.0;
    } else if (bar.m_spacing > 0.0 && std::isfinite(bar.m_spacing)) {
        count = clamped_count(std::floor(room / bar.m_spacing) + 1, input_limits::max_bars_per_line);
        step = bar.m_spacing;
    }
    result.count = count;
    for (std::int64_t k = 0; k < count; ++k) result.levels.push_back(height - below_top - step * static_cast<double>(k));
    result.loop.assign(loop.begin(), loop.end());
    result.hook = tie_hook_diameters * d;
    result.bar_length = 2 * (result.side_across + result.side_along) + 2 * result.hook;
    return result;
}

point foot_direction(const vertical_bars& v, std::size_t i, point centre)
{
    point to{centre.x - v.positions[i].x, centre.y - v.positions[i].y};
    if (i < v.face.size() && v.face[i] >= 0 && v.ring.size() == 4) {
        // The ring runs counter-clockwise: the inside lies left of each face.
        const auto f = static_cast<std::size_t>(v.face[i]);
        const point e{v.ring[(f + 1) % 4].x - v.ring[f].x, v.ring[(f + 1) % 4].y - v.ring[f].y};
        to = {-e.y, e.x};
    }
    const double l = std::hypot(to.x, to.y);
    return l > 0.0 ? point{to.x / l, to.y / l} : point{0.0, 0.0};
}

vertical_bars verticals_of(const steel_bar_row& bar, const pedestal_plan& plan, double height, double tie_diameter)
{
    vertical_bars result;
    if (!usable(plan, height, bar)) return result;
    const double c = cover_mm(), d = bar.m_diameter;
    const auto loop = inset_loop(plan, c + std::max(tie_diameter, 0.0) + d / 2);
    const double faces[4] = {distance(loop[0], loop[1]), distance(loop[1], loop[2]), distance(loop[2], loop[3]),
                             distance(loop[3], loop[0])};
    if (!(faces[0] > 0.0) || !(faces[1] > 0.0)) return result;
    // Bars between the corners, per face.
    std::array<std::int64_t, 4> between{0, 0, 0, 0};
    std::int64_t corners = 4;
    if (bar.m_count > 0) {
        const std::int64_t n = std::min<std::int64_t>(bar.m_count, input_limits::max_bars_per_line);
        corners = std::min<std::int64_t>(n, 4);
        const std::int64_t rest = n - corners;
        const double share = faces[0] / (faces[0] + faces[1]);
        const std::int64_t across = 2 * static_cast<std::int64_t>(std::llround(static_cast<double>(rest) * share / 2));
        const std::int64_t along = rest - std::min(across, rest);
        between = {(across + 1) / 2, (along + 1) / 2, across / 2, along / 2};
    } else if (bar.m_spacing > 0.0 && std::isfinite(bar.m_spacing)) {
        for (int f = 0; f < 4; ++f)
            between[static_cast<std::size_t>(f)] =
                clamped_count(std::ceil(faces[f] / bar.m_spacing) - 1, input_limits::max_bars_per_line / 4);
    } else {
        return result;
    }
    for (std::size_t f = 0; f < 4; ++f) {
        const point a = loop[f], b = loop[(f + 1) % 4];
        if (static_cast<std::int64_t>(f) < corners) {
            result.positions.push_back(a);
            result.face.push_back(-1);
        }
        const std::int64_t k = between[f];
        for (std::int64_t j = 1; j <= k; ++j) {
            const double t = static_cast<double>(j) / static_cast<double>(k + 1);
            result.positions.push_back({a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t});
            result.face.push_back(static_cast<int>(f));
        }
    }
    result.ring.assign(loop.begin(), loop.end());
    result.top = height - c;
    result.anchor = vertical_anchor_diameters * d;
    result.foot = bar.m_shape.Find("L") >= 0 ? vertical_foot_diameters * d : 0.0;
    result.bar_length = result.top + result.anchor + result.foot;
    return result;
}

}  // namespace VQDraw_DS_GJNA
