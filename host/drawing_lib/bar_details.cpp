// Bar details: the shape of each bar mark, not to scale, with its lengths.
#include "host/drawing_lib/bar_details.h"

#include <algorithm>
#include <cmath>

#include "host/pedestal_design/view_marks.h"

namespace VQDraw_DS_GJNA {

namespace {

using namespace ds_sheet;

constexpr double run = 52.0;  // paper length of a bar's main part: details are not to scale

void bar_line(sheet& page, point a, point b) { page.lines.push_back({a, b, layer::rebar, 0.5}); }

/// One detail per mark: bars of one mark whose lengths differ with the pedestal's height share it.
struct detail_entry {
    bar_quantity bar;          ///< the first line of the mark
    double straight_most = 0;  ///< the longest straight part among its lines
    double length_most = 0;    ///< the longest bar
};

std::vector<detail_entry> details_of(const group_quantities& q)
{
    std::vector<detail_entry> entries;
    for (const bar_quantity& bar : q.bars) {
        auto found = std::find_if(entries.begin(), entries.end(), [&](const detail_entry& e) {
            return e.bar.mark == bar.mark && e.bar.kind == bar.kind && e.bar.diameter == bar.diameter && e.bar.leg == bar.leg;
        });
        if (found == entries.end()) entries.push_back({bar, bar.straight_longest, bar.longest});
        else {
            found->bar.straight = std::min(found->bar.straight, bar.straight);
            found->bar.one_length = std::min(found->bar.one_length, bar.one_length);
            found->straight_most = std::max(found->straight_most, bar.straight_longest);
            found->length_most = std::max(found->length_most, bar.longest);
        }
    }
    return entries;
}

/// "640", or "640~740" when the mark's bars differ.
CString range_text(double least, double most)
{
    return most > least ? number_text(least, 0) + "~" + number_text(most, 0) : number_text(least, 0);
}

void length_text(sheet& page, point at, const CString& value, h_align h = h_align::center, v_align v = v_align::top)
{
    page.texts.push_back(make_text(at, digit_height, value, h, v, layer::dimension));
}

void length_text(sheet& page, point at, double mm, h_align h = h_align::center, v_align v = v_align::top)
{
    length_text(page, at, number_text(mm, 0), h, v);
}

/// Straight bar, or one with two bent ends of `leg`.
void draw_mesh_bar(sheet& page, const detail_entry& entry, point left)
{
    const bar_quantity& bar = entry.bar;
    bar_line(page, left, {left.x + run, left.y});
    length_text(page, {left.x + run / 2, left.y - 1.2}, range_text(bar.straight, entry.straight_most));
    if (bar.leg <= 0.0) return;
    bar_line(page, left, {left.x, left.y + 4.0});
    bar_line(page, {left.x + run, left.y}, {left.x + run, left.y + 4.0});
    length_text(page, {left.x + run + 1.0, left.y + 2.0}, bar.leg, h_align::left, v_align::middle);
}

/// The upright leg drawn lying, the foot turned up at its lower end.
void draw_vertical_bar(sheet& page, const detail_entry& entry, point left)
{
    const bar_quantity& bar = entry.bar;
    bar_line(page, left, {left.x + run, left.y});
    length_text(page, {left.x + run / 2, left.y - 1.2}, range_text(bar.straight, entry.straight_most));
    if (bar.leg <= 0.0) return;
    bar_line(page, left, {left.x, left.y + 6.0});
    length_text(page, {left.x - 1.0, left.y + 3.0}, bar.leg, h_align::right, v_align::middle);
}

/// The tie's loop with the two 135° hooks at its upper left corner.
void draw_tie(sheet& page, const detail_entry& entry, point left)
{
    const bar_quantity& bar = entry.bar;
    const double w = run * 0.7, h = 6.0;
    const bool skewed = std::fabs(bar.angle_deg - 90.0) > 1e-6;
    // A skewed pedestal's tie is a parallelogram: lean its sides the way the side faces lean.
    const double lean = skewed ? h * std::cos(bar.angle_deg * 3.14159265358979323846 / 180.0) /
                                     std::sin(bar.angle_deg * 3.14159265358979323846 / 180.0)
                               : 0.0;
    const point a{left.x + 8.0, left.y - 4.0};
    page.polylines.push_back({{a, {a.x + w, a.y}, {a.x + w + lean, a.y + h}, {a.x + lean, a.y + h}}, true, layer::rebar, 0.5});
    const point hook{a.x + lean, a.y + h};
    bar_line(page, hook, {hook.x + 3.0, hook.y - 3.0});
    bar_line(page, {hook.x + 0.8, hook.y}, {hook.x + 3.8, hook.y - 3.0});
    length_text(page, {a.x + w / 2, a.y + 0.8}, bar.straight, h_align::center, v_align::baseline);  // inside, along the bottom
    length_text(page, {a.x + w + std::max(lean, 0.0) + 1.0, a.y + h / 2}, bar.leg, h_align::left, v_align::middle);
    page.texts.push_back(make_text({a.x + w + std::max(lean, 0.0) + 8.0, a.y + h / 2}, hanzi_height,
                                   "135°弯钩" + number_text(bar.hook, 0), h_align::left, v_align::middle, layer::dimension));
    if (skewed)
        page.texts.push_back(make_text({a.x + std::min(lean, 0.0) - 1.0, a.y + h / 2}, digit_height, "θ=" + number_text(bar.angle_deg) + "°",
                                       h_align::right, v_align::middle, layer::dimension));
}

void draw_detail(sheet& page, const detail_entry& entry, const box& row)
{
    const bar_quantity& bar = entry.bar;
    const double y = (row.bottom + row.top) / 2;
    const point centre{row.left + mark_radius + 0.5, y};
    page.circles.push_back({centre, mark_radius, layer::text, 0.25});
    page.texts.push_back(make_text(centre, digit_height, bar.mark, h_align::center, v_align::middle));
    const point left{row.left + 16.0, y};
    if (bar.kind == bar_kind::tie) draw_tie(page, entry, left);
    else if (bar.kind == bar_kind::vertical) draw_vertical_bar(page, entry, left);
    else draw_mesh_bar(page, entry, left);
    const double above = bar.kind == bar_kind::tie ? 2.8 : 1.2;  // a tie's loop is in the way
    page.texts.push_back(make_text({left.x + run / 2, y + above}, digit_height, bar.grade + " " + diameter_text(bar.diameter),
                                 h_align::center, v_align::baseline));
    page.texts.push_back(make_text({left.x + run + 30.0, y}, digit_height, "L=" + range_text(bar.one_length, entry.length_most),
                                 h_align::left, v_align::middle));
    if (entry.length_most > bar.one_length)
        page.texts.push_back(make_text({left.x + run + 52.0, y}, hanzi_height, "随垫石高度", h_align::left, v_align::middle));
}

}  // namespace

void place_bar_details(column_flow& flow, const group_quantities& q)
{
    // In as many columns as it takes: every mark of the quantity table gets its detail.
    const std::vector<detail_entry> entries = details_of(q);
    std::size_t done = 0;
    while (done < entries.size()) {
        if (flow.room_under_heading() < detail_row) flow.next_column();
        const auto fit = static_cast<std::size_t>(std::max(1.0, flow.room_under_heading() / detail_row));
        const std::size_t take = std::min(fit, entries.size() - done);
        const auto room = flow.take(done ? "钢筋大样(续)" : "钢筋大样(示意，长度单位mm)", detail_row * static_cast<double>(take));
        if (!room) return;
        for (std::size_t i = 0; i < take; ++i) {
            const double top = room->top - detail_row * static_cast<double>(i);
            draw_detail(flow.page(), entries[done + i], {room->left, top - detail_row, room->right, top});
        }
        done += take;
    }
}

}  // namespace VQDraw_DS_GJNA
