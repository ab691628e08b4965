// Arranging plan, front view and side section of a pedestal at one scale.
#include "host/drawing_lib/pedestal_view_set.h"

#include <algorithm>
#include <cmath>

#include "host/pedestal_design/drawing_check.h"
#include "host/framework/string_tools.h"

namespace VQDraw_DS_GJNA {

namespace {

using ds_sheet::box;

/// The side section II-II, cut along the side faces at mid-width and looking at
/// the left face, is the front view of the same pedestal described from its
/// left face: the side faces become the front and back (width = the side
/// face's length, length / sin θ), the front and back become the sides (at
/// 180° - θ, their length the width), and the mesh directions change places
/// (each pair of mesh lines swaps; a lone last line gets an empty partner). On
/// a square pedestal this is the plan turned a quarter.
struct turned_subject {
    view_subject subject;
    std::vector<steel_bar_row> bars;
};

turned_subject turned(const view_subject& s)
{
    turned_subject t{s, {}};
    const double sine = std::sin(s.plan.angle_deg * 3.14159265358979323846 / 180.0);
    t.subject.plan = {s.plan.length / sine, s.plan.width * sine, 180.0 - s.plan.angle_deg};
    // A side face's length, as drawings give it: to the whole millimetre (a skew makes it length / sin θ).
    t.subject.width_label = sine == 1.0 || s.length_label == "b" ? s.length_label : ds_sheet::number_text(std::round(t.subject.plan.width), 0);
    t.subject.length_label = s.width_label;
    if (s.bars) {
        std::vector<steel_bar_row> mesh, others;
        for (const steel_bar_row& bar : *s.bars) (kind_of(bar) == bar_kind::mesh ? mesh : others).push_back(bar);
        if (mesh.size() % 2) mesh.push_back({"", 0.0, "", 0, 0.0, straight_shape, ""});
        for (std::size_t i = 0; i + 1 < mesh.size(); i += 2) std::swap(mesh[i], mesh[i + 1]);
        t.bars = mesh;
        t.bars.insert(t.bars.end(), others.begin(), others.end());
    }
    return t;  // the caller points the subject at its copy of the bars
}

/// The scale at which a view of `extent` fits `area`.
int scale_for(const view_extent& extent, const box& area, int wanted)
{
    return fitting_scale(extent.width, extent.height, area.right - area.left - extent.room_x,
                         area.top - area.bottom - extent.room_y, wanted);
}

/// Splits `room` (paper, mm) between two views whose fixed rooms are `fixed_a` and `fixed_b`
/// in proportion to the object sizes `a` and `b` they show; returns the first view's share.
double share(double room, double a, double b, double fixed_a, double fixed_b)
{
    const double free = room - fixed_a - fixed_b;
    if (!(free > 0.0) || !(a > 0.0) || !(b > 0.0) || !std::isfinite(a + b)) return room / 2;
    return fixed_a + free * a / (a + b);
}

}  // namespace

bool has_side_section(const view_subject& s) { return s.height > 0.0 && s.plan.angle_deg > 0.0 && s.plan.angle_deg < 180.0; }

namespace {

/// Where each view goes; the rooms depend on what the views show, not on the scale.
struct arrangement {
    box plan_area, front_area, side_area;
    view_extent plan, front, across;
    bool front_view = false, side = false;
};

arrangement arrange(const view_subject& s, const view_subject& sideways, const box& area)
{
    arrangement a;
    a.plan = plan_extent(s);
    a.plan_area = area;
    if (!(s.height > 0.0)) return a;
    a.front_view = true;
    a.front = front_extent(s);
    const double split = area.bottom + share(area.top - area.bottom, a.plan.height, a.front.height, a.plan.room_y, a.front.room_y);
    a.plan_area = {area.left, area.bottom, area.right, split};
    a.front_area = {area.left, split, area.right, area.top};
    a.side = has_side_section(s);
    if (a.side) {
        a.across = front_extent(sideways);
        const double cut = a.front_area.left + share(a.front_area.right - a.front_area.left, a.front.width, a.across.width,
                                                     a.front.room_x, a.across.room_x);
        a.side_area = {cut, a.front_area.bottom, a.front_area.right, a.front_area.top};
        a.front_area.right = cut;
    }
    return a;
}

bool fits(const view_extent& e, const box& area, int n)
{
    return e.width / n <= area.right - area.left - e.room_x && e.height / n <= area.top - area.bottom - e.room_y;
}

bool all_fit(const arrangement& a, int n)
{
    return fits(a.plan, a.plan_area, n) && (!a.front_view || fits(a.front, a.front_area, n)) &&
           (!a.side || fits(a.across, a.side_area, n));
}

/// The scale at which every view fits by the older rule (the record's when it fills the room).
int fitting(const arrangement& a, int wanted)
{
    int n = scale_for(a.plan, a.plan_area, wanted);
    if (a.front_view) n = std::max(n, scale_for(a.front, a.front_area, wanted));
    if (a.side) n = std::max(n, scale_for(a.across, a.side_area, wanted));
    return n;
}

void draw_all(ds_sheet::sheet& page, const view_subject& s, const view_subject& sideways, const arrangement& a, int n)
{
    draw_plan(page, s, a.plan_area, n, a.side);
    if (a.front_view) draw_front(page, s, a.front_area, n);
    if (a.side) draw_front(page, sideways, a.side_area, n, "II-II");
}

/// What makes the views alone drawn at 1:n hard to read (check_legibility).
std::vector<CString> findings_at(const view_subject& s, const view_subject& sideways, const arrangement& a, int n)
{
    ds_sheet::sheet scratch;
    draw_all(scratch, s, sideways, a, n);
    return check_legibility(scratch);
}

}  // namespace

views_drawn draw_views(ds_sheet::sheet& page, const view_subject& s, const box& area, int wanted)
{
    turned_subject sideways = has_side_section(s) ? turned(s) : turned_subject{};
    if (s.bars) sideways.subject.bars = &sideways.bars;
    const arrangement a = arrange(s, sideways.subject, area);
    views_drawn drawn{0, {}};
    CString why;
    if (wanted >= 1 && wanted <= max_view_scale) {
        if (!all_fit(a, wanted)) why = "视图放不下";
        else if (const auto found = findings_at(s, sideways.subject, a, wanted); !found.empty()) why = found.front();
        else drawn.scale = wanted;
    }
    for (int n : usual_scales) {
        if (drawn.scale || n == wanted || !all_fit(a, n)) continue;
        if (findings_at(s, sideways.subject, a, n).empty()) drawn.scale = n;
    }
    const CString asked = "比例1:" + string_tools::num_to_string(wanted);
    const CString reason = "不适合(" + (why.IsEmpty() ? CString("超出范围") : why) + ")";
    if (drawn.scale) {
        if (drawn.scale != wanted) drawn.notice = asked + reason + "，改用1:" + string_tools::num_to_string(drawn.scale);
    } else {
        // None reads: the finest that fits shows most, and the sheet's report says the views stay hard to read.
        drawn.readable = false;
        for (int n : usual_scales)
            if (!drawn.scale && all_fit(a, n)) drawn.scale = n;
        if (!drawn.scale) drawn.scale = fitting(a, wanted);
        drawn.notice = drawn.scale == wanted ? asked + "下视图难以辨认，又无可容纳视图的更大比例"
                                             : asked + reason + "，改用1:" + string_tools::num_to_string(drawn.scale) +
                                                   "，视图仍难以辨认";
    }
    draw_all(page, s, sideways.subject, a, drawn.scale);
    return drawn;
}

}  // namespace VQDraw_DS_GJNA
