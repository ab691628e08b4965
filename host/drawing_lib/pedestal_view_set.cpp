// Arranging plan, front view and side section of a pedestal at one scale.
#include "host/drawing_lib/pedestal_view_set.h"

#include <algorithm>
#include <cmath>

namespace VQDraw_DS_GJNA {

namespace {

using ds_sheet::box;

/// The side section of a square pedestal is the front view of the pedestal
/// turned a quarter: width and length change places, and so do the mesh
/// directions (each pair of mesh lines swaps; a lone last line gets an empty partner).
struct turned_subject {
    view_subject subject;
    std::vector<steel_bar_row> bars;
};

turned_subject turned(const view_subject& s)
{
    turned_subject t{s, {}};
    t.subject.plan = {s.plan.length, s.plan.width, 90.0};
    t.subject.width_label = s.length_label;
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

bool has_side_section(const view_subject& s) { return s.height > 0.0 && std::fabs(s.plan.angle_deg - 90.0) < 1e-6; }

int draw_views(ds_sheet::sheet& page, const view_subject& s, const box& area, int wanted)
{
    const view_extent plan = plan_extent(s);
    if (!(s.height > 0.0)) {
        const int n = scale_for(plan, area, wanted);
        draw_plan(page, s, area, n, false);
        return n;
    }
    const view_extent front = front_extent(s);
    const double split = area.bottom + share(area.top - area.bottom, plan.height, front.height, plan.room_y, front.room_y);
    const box plan_area{area.left, area.bottom, area.right, split};
    box front_area{area.left, split, area.right, area.top};
    int n = std::max(scale_for(plan, plan_area, wanted), scale_for(front, front_area, wanted));
    const bool side = has_side_section(s);
    turned_subject sideways = side ? turned(s) : turned_subject{};
    if (s.bars) sideways.subject.bars = &sideways.bars;
    box side_area{};
    if (side) {
        const view_extent across = front_extent(sideways.subject);
        const double cut = front_area.left + share(front_area.right - front_area.left, front.width, across.width,
                                                   front.room_x, across.room_x);
        side_area = {cut, front_area.bottom, front_area.right, front_area.top};
        front_area.right = cut;
        n = std::max({scale_for(plan, plan_area, wanted), scale_for(front, front_area, wanted),
                      scale_for(across, side_area, wanted)});
    }
    draw_plan(page, s, plan_area, n, side);
    draw_front(page, s, front_area, n);
    if (side) draw_front(page, sideways.subject, side_area, n, "II-II");
    return n;
}

}  // namespace VQDraw_DS_GJNA
