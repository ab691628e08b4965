// Plan and elevation of a pedestal: outline, mesh, dimensions, bar marks, caption.
#include "host/drawing_lib/pedestal_views.h"

#include <algorithm>
#include <cmath>

#include "host/drawing_lib/sheet_frame.h"
#include "host/framework/string_tools.h"

namespace VQDraw_DS_GJNA {

namespace {

using namespace ds_sheet;

constexpr double pi = 3.14159265358979323846;
constexpr double mark_radius = 2.8;
constexpr double mark_text = 2.5;
constexpr double dim_step = 7.0;        // distance between dimension lines, and from the object to the first
constexpr double caption_room = 14.0;   // below a view for its caption

/// Pedestal millimetres to paper: origin plus a point shrunk by the scale.
struct placement {
    point origin;
    double k = 1.0;
    point operator()(point p) const { return {origin.x + p.x * k, origin.y + p.y * k}; }
};

CString scale_text(int n) { return "1:" + string_tools::num_to_string(n); }

/// Every item of `all` when there are few, else an even sample keeping the first and the last.
template <class T>
std::vector<T> thinned(const std::vector<T>& all, std::size_t most)
{
    if (all.size() <= most) return all;
    std::vector<T> some;
    for (std::size_t i = 0; i < most; ++i) some.push_back(all[i * (all.size() - 1) / (most - 1)]);
    return some;
}

void add_mark(sheet& page, point from, point circle_centre, const CString& mark)
{
    const double dx = from.x - circle_centre.x, dy = from.y - circle_centre.y;
    const double d = std::hypot(dx, dy);
    const point touch = d > mark_radius ? point{circle_centre.x + dx / d * mark_radius, circle_centre.y + dy / d * mark_radius}
                                        : circle_centre;
    page.lines.push_back({from, touch, layer::text, 0.18});
    page.circles.push_back({circle_centre, mark_radius, layer::text, 0.25});
    page.texts.push_back({circle_centre, mark_text, mark, h_align::center, v_align::middle, 0.0, layer::text});
}

void add_dot(sheet& page, point centre, double radius)
{
    hatch dot;
    for (int i = 0; i < 12; ++i) {
        const double a = pi * i / 6.0;
        dot.loop.push_back({centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)});
    }
    page.hatches.push_back(std::move(dot));
}

/// A chain of dimensions along `stations` (pedestal mm, measured along one
/// axis), drawn at paper distance `at` from the object. `middle` labels the
/// segment between the first and last bar.
struct chain {
    std::vector<double> stations;
    CString middle;
};

/// The chain along x (at paper height `at`) or, with `vertical`, along y (at paper x `at`);
/// the object's other coordinate is `across`.
void add_chain(sheet& page, const placement& place, const chain& c, double across, double at, bool vertical)
{
    for (std::size_t i = 0; i + 1 < c.stations.size(); ++i) {
        const double a = c.stations[i], b = c.stations[i + 1];
        if (b - a <= 1e-6) continue;
        const CString label = (i == 1 && c.stations.size() == 4) ? c.middle : number_text(b - a);
        const point pa = place(vertical ? point{across, a} : point{a, across});
        const point pb = place(vertical ? point{across, b} : point{b, across});
        const point la = vertical ? point{at, pa.y} : point{pa.x, at}, lb = vertical ? point{at, pb.y} : point{pb.x, at};
        page.dimensions.push_back({pa, pb, la, lb, label, 2.5});
    }
}

/// "4×100": the bars' count of gaps and their spacing.
CString spacing_label(std::size_t gaps, double spread)
{
    return string_tools::num_to_string(static_cast<int>(gaps)) + "×" + number_text(spread / static_cast<double>(gaps));
}

/// Stations of a chain from 0 to `total` through the first and last of `positions`.
chain bar_chain(const std::vector<double>& positions, double total, std::int64_t count)
{
    if (count < 2 || positions.size() < 2) return {{0.0, total}, {}};
    const double first = positions.front(), last = positions.back();
    return {{0.0, first, last, total}, spacing_label(static_cast<std::size_t>(count - 1), last - first)};
}

double sin_deg(double deg) { return std::sin(deg * pi / 180.0); }
double cot_deg(double deg) { return std::cos(deg * pi / 180.0) / sin_deg(deg); }

void draw_plan_bars(sheet& page, const view_subject& s, const placement& place, const box& outline)
{
    if (!s.bars) return;
    std::vector<double> across_y, along_x;
    std::int64_t across_count = 0, along_count = 0;
    double next_right = -1e300, next_top = -1e300;
    for (std::size_t i = 0; i < s.bars->size(); ++i) {
        const steel_bar_row& bar = (*s.bars)[i];
        const auto segments = thinned(bar_segments(bar, i, s.plan), max_drawn_bars);
        if (segments.empty()) continue;
        for (const auto& [a, b] : segments) page.lines.push_back({place(a), place(b), layer::rebar, 0.35});
        const auto& picked = segments[segments.size() * (i / 2 % 3 + 1) / 4];
        const std::int64_t count = bars_in_layer(bar, i, s.plan).count;
        if (runs_across(i)) {
            const point end = place(picked.second);
            const double y = std::max(end.y, next_right);
            add_mark(page, end, {outline.right + 6.0 + mark_radius, y}, bar.m_mark);
            next_right = y + 2 * mark_radius + 1.0;
            if (across_y.empty()) {
                for (const auto& seg : segments) across_y.push_back(seg.first.y);
                across_count = count;
            }
        } else {
            const point end = place(picked.second);
            const double x = std::max(end.x, next_top);
            add_mark(page, end, {x, outline.top + 6.0 + mark_radius}, bar.m_mark);
            next_top = x + 2 * mark_radius + 1.0;
            if (along_x.empty()) {
                // Where the bars cross the front face.
                const double shift = mesh_cover_mm * cot_deg(s.plan.angle_deg);
                for (const auto& seg : segments) along_x.push_back(seg.first.x - shift);
                along_count = count;
            }
        }
    }
    add_chain(page, place, bar_chain(along_x, s.plan.width, along_count), 0.0, outline.bottom - dim_step, false);
    add_chain(page, place, bar_chain(across_y, s.plan.length, across_count), 0.0, outline.left - dim_step, true);
}

}  // namespace

int fitting_scale(double size_x, double size_y, double room_x, double room_y, int wanted)
{
    static const int usual[] = {1, 2, 5, 10, 15, 20, 25, 30, 40, 50, 60, 75, 100, 150, 200, 250, 300, 400, 500, 750, 1000};
    const auto fits = [&](double n) { return size_x / n <= room_x && size_y / n <= room_y; };
    const auto fills = [&](double n) { return std::max(size_x / n / room_x, size_y / n / room_y) >= least_fill; };
    const int start = std::max(wanted, 1);
    if (fits(start) && fills(start)) return start;
    for (int n : usual)
        if (fits(n)) return n;
    const double needed = std::ceil(std::max(size_x / room_x, size_y / room_y));
    return needed < 1e9 ? static_cast<int>(needed) : 1000000000;  // also for a size that is not a number
}

int draw_plan(sheet& page, const view_subject& s, const box& area, int scale)
{
    const auto corners = outline_corners(s.plan);
    const double min_x = std::min(0.0, corners[3].x), max_x = std::max(s.plan.width, corners[2].x);
    const double left_room = 2 * dim_step + 6.0, right_room = 6.0 + 2 * mark_radius + 4.0;
    const double bottom_room = 2 * dim_step + 6.0 + caption_room, top_room = 6.0 + 2 * mark_radius + 4.0;
    const double room_x = area.right - area.left - left_room - right_room;
    const double room_y = area.top - area.bottom - bottom_room - top_room;
    const int n = fitting_scale(max_x - min_x, s.plan.length, room_x, room_y, scale);
    const double k = 1.0 / n;
    const point origin{area.left + left_room + (room_x - (max_x - min_x) * k) / 2 - min_x * k,
                       area.bottom + bottom_room + (room_y - s.plan.length * k) / 2};
    const placement place{origin, k};

    polyline outline{{}, true, layer::outline, 0.5};
    for (const point& c : corners) outline.points.push_back(place(c));
    page.polylines.push_back(outline);
    const box bounds{place({min_x, 0}).x, origin.y, place({max_x, 0}).x, origin.y + s.plan.length * k};

    draw_plan_bars(page, s, place, bounds);
    const point front_left = place(corners[0]), front_right = place(corners[1]);
    const double y_overall = bounds.bottom - 2 * dim_step;
    page.dimensions.push_back({front_left, front_right, {front_left.x, y_overall}, {front_right.x, y_overall},
                               s.width_label, 2.5});
    const point back_left = place(corners[3]);
    const double x_overall = bounds.left - 2 * dim_step;
    page.dimensions.push_back({front_left, back_left, {x_overall, front_left.y}, {x_overall, back_left.y},
                               s.length_label, 2.5});
    if (std::fabs(s.plan.angle_deg - 90.0) > 1e-6)
        page.texts.push_back({{front_left.x + 2.5, front_left.y + 1.5}, 2.5, number_text(s.plan.angle_deg) + "°",
                              h_align::left, v_align::baseline, 0.0, layer::dimension});
    draw_caption(page, "平面", scale_text(n), (area.left + area.right) / 2, area.bottom + 4.0);
    return n;
}

int draw_elevation(sheet& page, const view_subject& s, const box& area, int scale)
{
    const double w = s.plan.width, h = s.height;
    const double left_room = 2 * dim_step + 6.0, right_room = dim_step + 6.0;
    const double bottom_room = dim_step + 6.0 + caption_room, top_room = 6.0 + 2 * mark_radius + 4.0;
    const double room_x = area.right - area.left - left_room - right_room;
    const double room_y = area.top - area.bottom - bottom_room - top_room;
    const int n = fitting_scale(w, h, room_x, room_y, scale);
    const double k = 1.0 / n;
    const point origin{area.left + left_room + (room_x - w * k) / 2, area.bottom + bottom_room + (room_y - h * k) / 2};
    const placement place{origin, k};
    page.polylines.push_back({{place({0, 0}), place({w, 0}), place({w, h}), place({0, h})}, true, layer::outline, 0.5});
    const box bounds{origin.x, origin.y, origin.x + w * k, origin.y + h * k};

    const std::int64_t layers = mesh_layers(h);
    std::vector<double> levels;
    for (std::int64_t j = 0; j < layers; ++j) levels.push_back(layer_level(h, j));
    const std::vector<double> drawn_levels = thinned(levels, static_cast<std::size_t>(max_drawn_layers));
    if (s.bars && !drawn_levels.empty()) {
        const double shift = mesh_cover_mm * cot_deg(s.plan.angle_deg);
        double next_x = -1e300;
        for (std::size_t i = 0; i < s.bars->size(); ++i) {
            const steel_bar_row& bar = (*s.bars)[i];
            const layer_bars laid = bars_in_layer(bar, i, s.plan);
            if (laid.count == 0) continue;
            point mark_from;
            if (runs_across(i)) {
                const auto first = bar_segments(bar, i, s.plan).front();
                const double run = first.second.x - first.first.x;
                for (double z : drawn_levels)
                    page.lines.push_back({place({(w - run) / 2, z}), place({(w + run) / 2, z}), layer::rebar, 0.35});
                mark_from = place({(w - run) / 2 + run * (0.15 + 0.1 * static_cast<double>(i / 2 % 3)), drawn_levels.front()});
            } else {
                const auto segments = thinned(bar_segments(bar, i, s.plan), max_drawn_bars);
                const double radius = std::max(bar.m_diameter / 2 * k, 0.45);
                for (double z : drawn_levels)
                    for (const auto& seg : segments) add_dot(page, place({seg.first.x - shift, z}), radius);
                const auto& picked = segments[segments.size() * 3 / 4];
                mark_from = place({picked.first.x - shift, drawn_levels.front()});
            }
            const double x = std::max(mark_from.x, next_x);
            add_mark(page, mark_from, {x, bounds.top + 6.0 + mark_radius}, bar.m_mark);
            next_x = x + 2 * mark_radius + 1.0;
        }
        std::vector<double> stations{0.0, levels.back(), levels.front(), h};
        chain c{stations, spacing_label(levels.size() - 1, levels.front() - levels.back())};
        if (levels.size() < 2) c = {{0.0, levels.front(), h}, {}};
        add_chain(page, place, c, 0.0, bounds.left - dim_step, true);
    }
    page.dimensions.push_back({place({0, 0}), place({w, 0}), {bounds.left, bounds.bottom - dim_step},
                               {bounds.right, bounds.bottom - dim_step}, s.width_label, 2.5});
    page.dimensions.push_back({place({w, 0}), place({w, h}), {bounds.right + dim_step, bounds.bottom},
                               {bounds.right + dim_step, bounds.top}, s.height_label, 2.5});
    draw_caption(page, "立面", scale_text(n), (area.left + area.right) / 2, area.bottom + 4.0);
    return n;
}

}  // namespace VQDraw_DS_GJNA
