// Plan and front view of a pedestal: outline, mesh, ties, vertical bars, dimensions, marks, captions.
#include "host/pedestal_design/pedestal_views.h"

#include <algorithm>
#include <cmath>

#include "host/pedestal_design/quantity_table.h"
#include "host/pedestal_design/cage_layout.h"
#include "host/pedestal_design/rebar_cage.h"
#include "host/pedestal_design/view_marks.h"
#include "host/framework/string_tools.h"
#include "host/sheet_model/sheet_frame.h"

namespace VQDraw_DS_GJNA {

namespace {

using namespace ds_sheet;

constexpr double pi = 3.14159265358979323846;
constexpr double dim_step = 7.0;       // distance between dimension lines, and from the object to the first
constexpr double caption_room = 14.0;  // below a view for its caption
constexpr double mark_room = 6.0 + 2 * mark_radius + 4.0;
/// Outside the overall dimension's value on the left: the cut marks of section I-I.
constexpr double cut_clearance = 5.0;
/// Right of the plan: the bar marks, then the cut marks of I-I (from 2 mm past the marks, 7 mm long),
/// then "顺桥向" standing up beside them.
constexpr double cut_marks_right = 6.0 + 2 * mark_radius + 2.0, along_text_x = cut_marks_right + 7.0 + 2.0 + hanzi_height / 2;
constexpr double plan_left = 2 * dim_step + 6.0 + cut_clearance, plan_right = along_text_x + hanzi_height,
                 plan_bottom = 2 * dim_step + 6.0 + caption_room;
constexpr double front_left = 2 * dim_step + 6.0, front_right = dim_step + 8.0, front_bottom = dim_step + 6.0 + caption_room;

CString scale_text(int n) { return "1:" + string_tools::num_to_string(n); }
double cot_deg(double deg) { return std::cos(deg * pi / 180.0) / std::sin(deg * pi / 180.0); }

/// Every item of `all` when there are few, else an even sample keeping the first and the last.
template <class T>
std::vector<T> thinned(const std::vector<T>& all, std::size_t most)
{
    if (all.size() <= most) return all;
    std::vector<T> some;
    for (std::size_t i = 0; i < most; ++i) some.push_back(all[i * (all.size() - 1) / (most - 1)]);
    return some;
}

/// The subject's cage as it is built; empty without rebar.
cage_layout cage_of_subject(const view_subject& s)
{
    return s.bars ? lay_out_cage(*s.bars, s.plan, s.height) : cage_layout{};
}

/// Paper between a skewed plan's front face and the dimension square to its along-bars, mm.
constexpr double square_dim_gap = 5.0;

bool skewed(const pedestal_plan& plan) { return std::fabs(plan.angle_deg - 90.0) > 1e-6; }

/// The first mesh line that runs along (parallel to the side faces) with two bars or more, or null.
const std::vector<std::pair<point, point>>* along_bars(const cage_layout& cage)
{
    for (std::size_t j = 0; j < cage.parts.mesh.size(); ++j)
        if (!runs_across(cage.parts.mesh[j].second) && cage.mesh[j].size() >= 2) return &cage.mesh[j];
    return nullptr;
}

/// How far the dimension of a skewed plan's along-bars, square to them, drops
/// from its higher end to its lower end, mm of the object (0 for a square plan).
double square_dim_drop(const cage_layout& cage, const pedestal_plan& plan)
{
    const auto* bars = along_bars(cage);
    if (!bars || !skewed(plan)) return 0.0;
    const double spread = (bars->back().first.x - bars->front().first.x) * std::sin(plan.angle_deg * pi / 180.0);
    return std::fabs(spread * std::cos(plan.angle_deg * pi / 180.0));
}

double depth_below(const cage_layout& cage)
{
    double depth = 0.0;
    for (const vertical_bars& v : cage.verticals) depth = std::max(depth, v.anchor);
    return depth;
}

void push_view(sheet& page, const CString& name, const box& area, point origin, int n)
{
    page.views.push_back({name, {area.left, area.bottom + caption_room - 4.0}, {area.right, area.top}, origin, n});
}

/// The spacing of a skewed plan's along-bars as the notes give it, square to
/// the bars: one aligned dimension from the first bar to the last below the
/// front face, its extension lines running on along the bars.
void add_square_spacing(sheet& page, const pedestal_plan& plan, const cage_layout& cage, const placement& place)
{
    const auto* bars = along_bars(cage);
    if (!bars) return;
    const double rad = plan.angle_deg * pi / 180.0;
    const point u{std::cos(rad), std::sin(rad)}, n{std::sin(rad), -std::cos(rad)};
    const point first = bars->front().first, last = bars->back().first;
    const double spread = (last.x - first.x) * n.x;
    // Far enough back along the bars that the line's higher end stays the gap below the front face.
    const double t = (first.y + square_dim_gap / place.k + std::max(0.0, -spread * u.x)) / u.y;
    const point q0{first.x - t * u.x, first.y - t * u.y};
    const point q1{q0.x + spread * n.x, q0.y + spread * n.y};
    page.dimensions.push_back({place(first), place(last), place(q0), place(q1),
                               spacing_label(bars->size() - 1, spread), digit_height});
}

void draw_plan_mesh(sheet& page, const view_subject& s, const cage_layout& cage, const placement& place, const box& outline)
{
    std::vector<double> across_y, along_x;
    std::int64_t across_count = 0, along_count = 0;
    double next_right = -1e300;
    for (std::size_t j = 0; j < cage.parts.mesh.size(); ++j) {
        const auto& [bar, i] = cage.parts.mesh[j];
        const auto segments = thinned(cage.mesh[j], max_drawn_bars);
        if (segments.empty()) continue;
        for (const auto& [a, b] : segments) page.lines.push_back({place(a), place(b), layer::rebar, 0.35});
        const auto& picked = segments[segments.size() * (i / 2 % 3 + 1) / 4];
        const auto count = static_cast<std::int64_t>(cage.mesh[j].size());
        const point end = place(runs_across(i) ? picked.second : point{(picked.first.x + picked.second.x) / 2,
                                                                        (picked.first.y + picked.second.y) / 2});
        const double y = std::max(runs_across(i) ? end.y : outline.top - mark_radius, next_right);
        add_mark(page, end, {outline.right + 6.0 + mark_radius, y}, bar->m_mark);
        next_right = y + 2 * mark_radius + 1.0;
        if (runs_across(i) && across_y.empty()) {
            for (const auto& seg : segments) across_y.push_back(seg.first.y);
            across_count = count;
        } else if (!runs_across(i) && along_x.empty()) {
            const double shift = cot_deg(s.plan.angle_deg);  // where the bars would cross the front face
            for (const auto& seg : segments) along_x.push_back(seg.first.x - seg.first.y * shift);
            along_count = count;
        }
    }
    const auto bar_chain = [](const std::vector<double>& at, double total, std::int64_t count) {
        if (count < 2 || at.size() < 2) return chain{{0.0, total}, {}};
        return chain{{0.0, at.front(), at.back(), total}, spacing_label(static_cast<std::size_t>(count - 1), at.back() - at.front())};
    };
    if (!skewed(s.plan)) add_chain(page, place, bar_chain(along_x, s.plan.width, along_count), 0.0, outline.bottom - dim_step, false);
    else add_square_spacing(page, s.plan, cage, place);
    add_chain(page, place, bar_chain(across_y, s.plan.length, across_count), 0.0, outline.left - dim_step, true);
}

/// Marks of the ties and verticals run right from `next_left` above the outline.
void draw_plan_cage(sheet& page, const cage_layout& cage, const placement& place, const box& outline, double next_left)
{
    const cage_parts& parts = cage.parts;
    if (parts.tie) {
        const tie_bars& t = cage.ties;
        if (!t.loop.empty()) {
            polyline loop{{}, true, layer::rebar, 0.35};
            for (const point& p : t.loop) loop.points.push_back(place(p));
            page.polylines.push_back(loop);
            const point from = place({(t.loop[2].x + t.loop[3].x) / 2 - t.side_across / 4, t.loop[2].y});
            add_mark(page, from, {next_left + mark_radius, outline.top + 6.0 + mark_radius}, parts.tie->m_mark);
            next_left += 2 * mark_radius + 2.0;
        }
    }
    for (std::size_t j = 0; j < parts.verticals.size(); ++j) {
        const steel_bar_row* bar = parts.verticals[j];
        const vertical_bars& v = cage.verticals[j];
        if (v.positions.empty()) continue;
        for (const point& p : thinned(v.positions, max_drawn_bars)) add_dot(page, place(p), std::max(bar->m_diameter / 2 * place.k, 0.6));
        add_mark(page, place(v.positions.back()), {next_left + mark_radius, outline.top + 6.0 + mark_radius}, bar->m_mark);
        next_left += 2 * mark_radius + 2.0;
    }
}

void draw_directions(sheet& page, const box& outline, double below)
{
    const double y = outline.bottom - below - 5.5;
    // Right of the side section's cut mark, whose stroke and name point left.
    page.texts.push_back(make_text({(outline.left + outline.right) / 2 + 2.0, y}, hanzi_height, "横桥向 →", h_align::left,
                                   v_align::middle));
    text along = make_text({outline.right + along_text_x, outline.bottom}, hanzi_height, "顺桥向 →",
                         h_align::left, v_align::middle);
    along.angle_deg = 90.0;
    page.texts.push_back(along);
}

}  // namespace

CString front_view_name(const pedestal_plan&)
{
    return "I-I";  // it shows the bars inside: a section, cut where the plan marks it
}

int fitting_scale(double size_x, double size_y, double room_x, double room_y, int wanted)
{
    const auto fits = [&](double n) { return size_x / n <= room_x && size_y / n <= room_y; };
    const auto fills = [&](double n) { return std::max(size_x / n / room_x, size_y / n / room_y) >= least_fill; };
    const int start = std::max(wanted, 1);
    if (fits(start) && fills(start)) return start;
    for (int n : usual_scales)
        if (fits(n)) return n;
    const double needed = std::ceil(std::max(size_x / room_x, size_y / room_y));
    return needed < 1e9 ? static_cast<int>(needed) : 1000000000;  // also for a size that is not a number
}

view_extent plan_extent(const view_subject& s)
{
    const auto corners = outline_corners(s.plan);
    const double span_x = std::max(s.plan.width, corners[2].x) - std::min(0.0, corners[3].x);
    return {span_x, s.plan.length + square_dim_drop(cage_of_subject(s), s.plan), plan_left + plan_right, plan_bottom + mark_room};
}

view_extent front_extent(const view_subject& s)
{
    return {s.plan.width, s.height + depth_below(cage_of_subject(s)), front_left + front_right, front_bottom + mark_room};
}

void draw_plan(sheet& page, const view_subject& s, const box& area, int n, bool side_cut)
{
    const auto corners = outline_corners(s.plan);
    const double min_x = std::min(0.0, corners[3].x), max_x = std::max(s.plan.width, corners[2].x);
    const double k = 1.0 / n;
    const cage_layout cage = cage_of_subject(s);
    // Below the outline: the bars' chain, then the overall width; a skewed plan's
    // spacing square to its bars drops as far as the bars spread across the view.
    const double below = std::max(2 * dim_step, square_dim_gap + square_dim_drop(cage, s.plan) * k + dim_step);
    const double room_x = area.right - area.left - plan_left - plan_right;
    const double room_y = area.top - area.bottom - plan_bottom - mark_room - (below - 2 * dim_step);
    const point origin{area.left + plan_left + (room_x - (max_x - min_x) * k) / 2 - min_x * k,
                       area.bottom + plan_bottom + (below - 2 * dim_step) + (room_y - s.plan.length * k) / 2};
    const placement place{origin, k};
    push_view(page, "平面", area, origin, n);

    polyline outline{{}, true, layer::outline, 0.5};
    for (const point& c : corners) outline.points.push_back(place(c));
    page.polylines.push_back(outline);
    const box bounds{place({min_x, 0}).x, origin.y, place({max_x, 0}).x, origin.y + s.plan.length * k};
    draw_plan_mesh(page, s, cage, place, bounds);
    // The marks start right of the back face's middle, where the side section's cut mark leaves room.
    const double back_middle = (place(corners[2]).x + place(corners[3]).x) / 2;
    draw_plan_cage(page, cage, place, bounds, back_middle + 8.0);

    const double cot = cot_deg(s.plan.angle_deg);
    add_centre_line(page, place({s.plan.width / 2, 0}), place({s.plan.width / 2 + s.plan.length * cot, s.plan.length}));
    add_centre_line(page, place({s.plan.length / 2 * cot, s.plan.length / 2}),
                    place({s.plan.width + s.plan.length / 2 * cot, s.plan.length / 2}));
    const point front_left_c = place(corners[0]), front_right_c = place(corners[1]);
    const double y_overall = bounds.bottom - below;
    page.dimensions.push_back({front_left_c, front_right_c, {front_left_c.x, y_overall}, {front_right_c.x, y_overall},
                               s.width_label, digit_height});
    const point back_left = place(corners[3]);
    const double x_overall = bounds.left - 2 * dim_step;
    page.dimensions.push_back({front_left_c, back_left, {x_overall, front_left_c.y}, {x_overall, back_left.y},
                               s.length_label, digit_height});
    if (std::fabs(s.plan.angle_deg - 90.0) > 1e-6) {
        // At the back right corner, whose angle is θ too, above the outline where no bar runs: over the
        // back face when it leans right (θ < 90°), else right of the corner, clear of the marks' leaders.
        const point back_right = place(corners[2]);
        const bool over_face = s.plan.angle_deg < 90.0;
        page.texts.push_back(make_text({back_right.x + (over_face ? -1.0 : 1.0), back_right.y + 1.5}, digit_height,
                                     "θ=" + number_text(s.plan.angle_deg) + "°", over_face ? h_align::right : h_align::left,
                                     v_align::baseline, layer::dimension));
    }
    // The front view is the section I-I at mid-length, looking at the back face; its cut marks stand
    // outside the dimension chains on the left and the bar marks on the right.
    const double mid = s.plan.length / 2;
    add_cut_marks(page, {bounds.left - 2 * dim_step - cut_clearance, place({0, mid}).y},
                  {bounds.right + cut_marks_right, place({0, mid}).y}, {0.0, 1.0}, "I");
    if (side_cut) {  // the side section, cut along the side faces at mid-width and looking at the left one
        const double rad = s.plan.angle_deg * pi / 180.0;
        const point u{std::cos(rad), std::sin(rad)};
        const point from = place({s.plan.width / 2, 0}), to = place({s.plan.width / 2 + s.plan.length * cot, s.plan.length});
        const double down = (below + 2.0) / u.y, up = 1.0 / u.y;  // past the chains below, just past the back face above
        add_cut_marks(page, {from.x - u.x * down, from.y - u.y * down}, {to.x + u.x * up, to.y + u.y * up}, {-u.y, u.x}, "II");
    }
    draw_directions(page, bounds, below);
    draw_caption(page, "平面", scale_text(n), (area.left + area.right) / 2, area.bottom + 4.0);
}

void draw_front(sheet& page, const view_subject& s, const box& area, int n, const CString& caption)
{
    const cage_layout cage = cage_of_subject(s);
    const cage_parts& parts = cage.parts;
    const double w = s.plan.width, h = s.height, below = depth_below(cage);
    const double room_x = area.right - area.left - front_left - front_right;
    const double room_y = area.top - area.bottom - front_bottom - mark_room;
    const double k = 1.0 / n;
    const point origin{area.left + front_left + (room_x - w * k) / 2,
                       area.bottom + front_bottom + (room_y - (h + below) * k) / 2 + below * k};
    const placement place{origin, k};
    const CString name = caption.IsEmpty() ? front_view_name(s.plan) : caption;
    push_view(page, name, area, origin, n);
    page.polylines.push_back({{place({0, 0}), place({w, 0}), place({w, h}), place({0, h})}, true, layer::outline, 0.5});
    if (below > 0.0) {  // the top of the pier cap the vertical bars anchor in
        page.lines.push_back({place({-w * 0.15, 0}), place({0, 0}), layer::outline, 0.25});
        page.lines.push_back({place({w, 0}), place({w * 1.15, 0}), layer::outline, 0.25});
        // Below the cap line right of the pedestal, where neither bars nor the height chain's values run.
        page.texts.push_back(make_text({place({w, 0}).x + 2.0, place({0, 0}).y - 1.0}, hanzi_height, "盖梁顶", h_align::left,
                                       v_align::top));
    }
    const box bounds{origin.x, origin.y, origin.x + w * k, origin.y + h * k};
    add_centre_line(page, place({w / 2, -below}), place({w / 2, h}));
    const double sk = cot_deg(s.plan.angle_deg);
    const auto across_of = [&](point p) { return p.x - p.y * sk; };

    const std::vector<double>& levels = cage.layer_levels;
    const std::vector<double> drawn = thinned(levels, static_cast<std::size_t>(max_drawn_layers));
    double next_x = -1e300;
    const auto mark_above = [&](point from, const CString& mark) {
        const double x = std::max(from.x, next_x);
        add_mark(page, from, {x, bounds.top + 6.0 + mark_radius}, mark);
        next_x = x + 2 * mark_radius + 1.0;
    };
    for (std::size_t j = 0; j < parts.mesh.size(); ++j) {
        const auto& [bar, i] = parts.mesh[j];
        const auto segments = thinned(cage.mesh[j], max_drawn_bars);
        if (segments.empty() || drawn.empty()) continue;
        if (runs_across(i)) {
            const double a = across_of(segments.front().first), b = a + (segments.front().second.x - segments.front().first.x);
            for (double z : drawn) page.lines.push_back({place({a, z}), place({b, z}), layer::rebar, 0.35});
            mark_above(place({a + (b - a) * (0.15 + 0.1 * static_cast<double>(i / 2 % 3)), drawn.front()}), bar->m_mark);
        } else {
            const double radius = std::max(bar->m_diameter / 2 * k, 0.6);
            for (double z : drawn)
                for (const auto& seg : segments) add_dot(page, place({across_of(seg.first), z}), radius);
            mark_above(place({across_of(segments[segments.size() * 3 / 4].first), drawn.front()}), bar->m_mark);
        }
    }
    if (parts.tie) {
        const tie_bars& t = cage.ties;
        if (!t.loop.empty()) {
            const double a = across_of(t.loop[0]), b = across_of(t.loop[1]);
            for (double z : thinned(t.levels, static_cast<std::size_t>(max_drawn_layers)))
                page.lines.push_back({place({a, z}), place({b, z}), layer::rebar, 0.35});
            mark_above(place({a + (b - a) * 0.85, t.levels.front()}), parts.tie->m_mark);
        }
    }
    for (std::size_t j = 0; j < parts.verticals.size(); ++j) {
        const steel_bar_row* bar = parts.verticals[j];
        const vertical_bars& v = cage.verticals[j];
        if (v.positions.empty()) continue;
        // A foot is drawn at its true length toward the side of the view it turns to (foot_direction);
        // a bar of the front or back face turns its foot square to the view and shows none, so that it
        // does not lie on a corner bar's foot.
        const point centre{(w + s.plan.length * sk) / 2, s.plan.length / 2};
        std::vector<std::pair<double, double>> xs;  // across the view, and the part of the foot across it
        for (std::size_t i = 0; i < v.positions.size(); ++i) {
            const point p = v.positions[i], to = foot_direction(v, i, centre);
            xs.push_back({across_of(p), v.foot * (across_of({p.x + to.x, p.y + to.y}) - across_of(p))});
        }
        std::sort(xs.begin(), xs.end());
        xs.erase(std::unique(xs.begin(), xs.end(), [](const auto& a, const auto& b) { return std::fabs(a.first - b.first) < 0.5; }),
                 xs.end());
        for (const auto& [x, run] : thinned(xs, max_drawn_bars)) {
            page.lines.push_back({place({x, -v.anchor}), place({x, v.top}), layer::rebar, 0.35});
            if (std::fabs(run) > 0.5)
                page.lines.push_back({place({x, -v.anchor}), place({x + std::copysign(v.foot, run), -v.anchor}), layer::rebar, 0.35});
        }
        mark_above(place({xs.front().first, v.top - (v.top) * 0.3}), bar->m_mark);
    }
    if (!levels.empty()) {
        chain c{{0.0, levels.back(), levels.front(), h}, spacing_label(levels.size() - 1, levels.front() - levels.back())};
        if (levels.size() < 2) c = {{0.0, levels.front(), h}, {}};
        add_chain(page, place, c, 0.0, bounds.left - dim_step, true);
    }
    page.dimensions.push_back({place({0, 0}), place({w, 0}), {bounds.left, bounds.bottom - dim_step - below * k},
                               {bounds.right, bounds.bottom - dim_step - below * k}, s.width_label, digit_height});
    page.dimensions.push_back({place({w, 0}), place({w, h}), {bounds.right + dim_step, bounds.bottom},
                               {bounds.right + dim_step, bounds.top}, s.height_label, digit_height});
    draw_caption(page, name, scale_text(n), (area.left + area.right) / 2, area.bottom + 4.0);
}

}  // namespace VQDraw_DS_GJNA
