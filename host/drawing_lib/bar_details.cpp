// Bar details: the shape of each bar, not to scale, with its lengths.
#include "host/drawing_lib/bar_details.h"

#include <algorithm>

#include "host/drawing_lib/view_marks.h"

namespace VQDraw_DS_GJNA {

namespace {

using namespace ds_sheet;

constexpr double run = 52.0;  // paper length of a bar's main part: details are not to scale

void bar_line(sheet& page, point a, point b) { page.lines.push_back({a, b, layer::rebar, 0.5}); }

void length_text(sheet& page, point at, double mm, h_align h = h_align::center, v_align v = v_align::top)
{
    page.texts.push_back(text_at(at, digit_height, number_text(mm, 0), h, v, layer::dimension));
}

/// Straight bar, or one with two bent ends of `leg`.
void draw_mesh_bar(sheet& page, const bar_quantity& bar, point left)
{
    bar_line(page, left, {left.x + run, left.y});
    length_text(page, {left.x + run / 2, left.y - 1.2}, bar.straight);
    if (bar.leg <= 0.0) return;
    bar_line(page, left, {left.x, left.y + 4.0});
    bar_line(page, {left.x + run, left.y}, {left.x + run, left.y + 4.0});
    length_text(page, {left.x + run + 1.0, left.y + 2.0}, bar.leg, h_align::left, v_align::middle);
}

/// The upright leg drawn lying, the foot turned up at its lower end.
void draw_vertical_bar(sheet& page, const bar_quantity& bar, point left)
{
    bar_line(page, left, {left.x + run, left.y});
    length_text(page, {left.x + run / 2, left.y - 1.2}, bar.straight);
    if (bar.leg <= 0.0) return;
    bar_line(page, left, {left.x, left.y + 6.0});
    length_text(page, {left.x - 1.0, left.y + 3.0}, bar.leg, h_align::right, v_align::middle);
}

/// The tie's loop with the two 135° hooks at its upper left corner.
void draw_tie(sheet& page, const bar_quantity& bar, point left)
{
    const double w = run * 0.7, h = 6.0;
    const point a{left.x + 8.0, left.y - 4.0};
    page.polylines.push_back({{a, {a.x + w, a.y}, {a.x + w, a.y + h}, {a.x, a.y + h}}, true, layer::rebar, 0.5});
    bar_line(page, {a.x, a.y + h}, {a.x + 3.0, a.y + h - 3.0});
    bar_line(page, {a.x + 0.8, a.y + h}, {a.x + 3.8, a.y + h - 3.0});
    length_text(page, {a.x + w / 2, a.y + 0.8}, bar.straight, h_align::center, v_align::baseline);  // inside, along the bottom
    length_text(page, {a.x + w + 1.0, a.y + h / 2}, bar.leg, h_align::left, v_align::middle);
    page.texts.push_back(text_at({a.x + w + 8.0, a.y + h / 2}, digit_height, "135°弯钩" + number_text(bar.hook, 0),
                                 h_align::left, v_align::middle, layer::dimension));
}

void draw_detail(sheet& page, const bar_quantity& bar, const box& row)
{
    const double y = (row.bottom + row.top) / 2;
    const point centre{row.left + mark_radius + 0.5, y};
    page.circles.push_back({centre, mark_radius, layer::text, 0.25});
    page.texts.push_back(text_at(centre, digit_height, bar.mark, h_align::center, v_align::middle));
    const point left{row.left + 16.0, y};
    if (bar.kind == bar_kind::tie) draw_tie(page, bar, left);
    else if (bar.kind == bar_kind::vertical) draw_vertical_bar(page, bar, left);
    else draw_mesh_bar(page, bar, left);
    const double above = bar.kind == bar_kind::tie ? 2.8 : 1.2;  // a tie's loop is in the way
    page.texts.push_back(text_at({left.x + run / 2, y + above}, digit_height, bar.grade + " " + diameter_text(bar.diameter),
                                 h_align::center, v_align::baseline));
    page.texts.push_back(text_at({left.x + run + 30.0, y}, digit_height, "L=" + number_text(bar.one_length, 0),
                                 h_align::left, v_align::middle));
}

}  // namespace

void place_bar_details(column_flow& flow, const group_quantities& q)
{
    // In as many columns as it takes: every bar of the quantity table gets its detail.
    std::size_t done = 0;
    while (done < q.bars.size()) {
        const auto fit = static_cast<std::size_t>(std::max(1.0, flow.room_under_heading() / detail_row));
        const std::size_t take = std::min(fit, q.bars.size() - done);
        const auto room = flow.take(done ? "钢筋大样(续)" : "钢筋大样(示意，长度单位mm)", detail_row * static_cast<double>(take));
        if (!room) return;
        for (std::size_t i = 0; i < take; ++i) {
            const double top = room->top - detail_row * static_cast<double>(i);
            draw_detail(flow.page(), q.bars[done + i], {room->left, top - detail_row, room->right, top});
        }
        done += take;
    }
}

}  // namespace VQDraw_DS_GJNA
