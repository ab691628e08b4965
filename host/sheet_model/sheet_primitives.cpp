// Dimensions and tables drawn out into lines and texts.
#include "host/sheet_model/sheet_primitives.h"

#include <algorithm>
#include <cmath>

#include "host/sheet_model/text_metrics.h"

namespace ds_sheet {

namespace {

/// Extension lines stop this short of the object and run this far past the dimension line, mm.
constexpr double extension_gap = 1.0;
constexpr double extension_overrun = 1.5;
/// Half the length of a tick, mm, and the gap between the dimension line and its text.
constexpr double tick_half = 1.2;
constexpr double text_gap = 0.8;

point operator+(point a, point b) { return {a.x + b.x, a.y + b.y}; }
point operator-(point a, point b) { return {a.x - b.x, a.y - b.y}; }
point operator*(point a, double k) { return {a.x * k, a.y * k}; }
double length(point a) { return std::hypot(a.x, a.y); }
point unit(point a)
{
    const double l = length(a);
    return l > 0.0 ? a * (1.0 / l) : point{1.0, 0.0};
}

void add_extension(primitives& out, point on_object, point on_line)
{
    const point along = on_line - on_object;
    if (length(along) <= extension_gap) return;
    const point dir = unit(along);
    out.lines.push_back({on_object + dir * extension_gap, on_line + dir * extension_overrun, layer::dimension, 0.18});
}

/// Room kept clear around a dimension value that stands beyond its line, mm,
/// so two values never read as one number ("80 3×100").
constexpr double value_clearance = 1.0;

/// How far a value beyond its line may slide on outward to clear another text, mm.
constexpr int max_slide_mm = 8;

box grown(box b, double by) { return {b.left - by, b.bottom - by, b.right + by, b.top + by}; }

/// True when `value`, standing beyond the line of dimension `index`, reaches
/// into the span of another dimension on the same line: there it would read
/// as that segment's value.
bool in_neighbour(const sheet& page, std::size_t index, const text& value)
{
    const dimension& own = page.dimensions[index];
    const point d = unit(own.line_to - own.line_from);
    const box b = text_box(value);
    double lo = 1e300, hi = -1e300;  // the value's reach along the line
    for (const point corner : {point{b.left, b.bottom}, point{b.right, b.top}}) {
        lo = std::min(lo, d.x * corner.x + d.y * corner.y);
        hi = std::max(hi, d.x * corner.x + d.y * corner.y);
    }
    const double across = d.x * own.line_from.y - d.y * own.line_from.x;
    for (std::size_t j = 0; j < page.dimensions.size(); ++j) {
        const dimension& o = page.dimensions[j];
        const point e = unit(o.line_to - o.line_from);
        if (j == index || std::fabs(d.x * e.y - d.y * e.x) > 1e-6 ||
            std::fabs(d.x * o.line_from.y - d.y * o.line_from.x - across) > 0.05)
            continue;
        const double a = d.x * o.line_from.x + d.y * o.line_from.y, c = d.x * o.line_to.x + d.y * o.line_to.y;
        if (hi > std::min(a, c) + 0.05 && lo < std::max(a, c) - 0.05) return true;
    }
    return false;
}

/// Where the value of each dimension of `page` stands. A value that fits
/// between the ticks stands there, above the middle of the line. One that does
/// not stands beyond an end of the line: not where it would lie in the span of
/// the next dimension of its chain (beyond the chain's end instead), else the
/// end the reading direction points to, unless that place meets a text already
/// on the sheet (another value of the chain included) and the other end's does not. Values that fit are
/// placed first, so the ones beyond their line see all of them.
std::vector<text> dimension_values(const sheet& page)
{
    std::vector<box> taken;
    taken.reserve(page.texts.size() + page.dimensions.size());
    for (const text& t : page.texts) taken.push_back(text_box(t));
    const auto free = [&](const text& t) {
        const box b = grown(text_box(t), value_clearance);
        return std::none_of(taken.begin(), taken.end(), [&](const box& o) { return b.overlaps(o); });
    };

    std::vector<text> values(page.dimensions.size());
    struct outside {
        std::size_t index;
        text other;  ///< the place beyond the other end
    };
    std::vector<outside> beyond;
    for (std::size_t i = 0; i < page.dimensions.size(); ++i) {
        const dimension& dim = page.dimensions[i];
        const point d = unit(dim.line_to - dim.line_from);
        // Text reads from left to right or from bottom to top, above the line.
        point along = d;
        if (along.x < -1e-9 || (std::fabs(along.x) <= 1e-9 && along.y < 0)) along = along * -1.0;
        const point normal{-along.y, along.x};
        const double angle = std::atan2(along.y, along.x) * 180.0 / M_PI;
        const double width = text_width(dim.value, dim.text_height);
        const point lift = normal * text_gap;
        values[i] = {(dim.line_from + dim.line_to) * 0.5 + lift, dim.text_height, dim.value, h_align::center,
                     v_align::baseline, angle, layer::dimension};
        // The value fits when it clears the ticks, which lean 45 degrees over the line.
        if (width + 2 * tick_half * M_SQRT1_2 <= length(dim.line_to - dim.line_from)) {
            taken.push_back(text_box(values[i]));
            continue;
        }
        const bool forward = along.x * d.x + along.y * d.y > 0;
        const double reach = width / 2 + 2 * tick_half;
        values[i].at = (forward ? dim.line_to : dim.line_from) + along * reach + lift;
        text other = values[i];
        other.at = (forward ? dim.line_from : dim.line_to) - along * reach + lift;
        beyond.push_back({i, other});
    }
    // Horizontal values first: a vertical chain's end value has the room
    // below its view only when no horizontal chain needs it.
    std::stable_partition(beyond.begin(), beyond.end(),
                          [&](const outside& o) { return std::fabs(values[o.index].angle_deg) < 1e-9; });
    for (const outside& o : beyond) {
        const bool here_labels_other = in_neighbour(page, o.index, values[o.index]);
        const bool there_labels_other = in_neighbour(page, o.index, o.other);
        if (here_labels_other && !there_labels_other) values[o.index] = o.other;
        else if (here_labels_other == there_labels_other && !free(values[o.index]) && free(o.other)) values[o.index] = o.other;
        // Still on another text (the corner where two chains end): slide on outward, away from the own span.
        const dimension& dim = page.dimensions[o.index];
        const point mid = (dim.line_from + dim.line_to) * 0.5;
        const point out_of_span = unit(values[o.index].at - mid);
        const point step = std::fabs(out_of_span.x) > std::fabs(out_of_span.y) ? point{out_of_span.x > 0 ? 1.0 : -1.0, 0.0}
                                                                                : point{0.0, out_of_span.y > 0 ? 1.0 : -1.0};
        const point d = unit(dim.line_to - dim.line_from);
        const point slide = d * ((d.x * step.x + d.y * step.y) >= 0 ? 1.0 : -1.0);
        for (int k = 1; k <= max_slide_mm && !free(values[o.index]); ++k) {
            text further = values[o.index];
            further.at = further.at + slide * static_cast<double>(k);
            if (free(further)) values[o.index] = further;
        }
        taken.push_back(text_box(values[o.index]));
    }
    return values;
}

void add_dimension(primitives& out, const dimension& dim, const text& value)
{
    add_extension(out, dim.from, dim.line_from);
    add_extension(out, dim.to, dim.line_to);
    out.lines.push_back({dim.line_from, dim.line_to, layer::dimension, 0.18});
    const point d = unit(dim.line_to - dim.line_from);
    const point tick = unit(d + point{-d.y, d.x}) * tick_half;  // 45 degrees to the line
    for (const point end : {dim.line_from, dim.line_to})
        out.lines.push_back({end - tick, end + tick, layer::dimension, 0.35});
    out.texts.push_back(value);
}

void add_table(primitives& out, const table& grid)
{
    double total = 0.0;
    for (double w : grid.columns) total += w;
    const double left = grid.top_left.x, top = grid.top_left.y;
    const double bottom = top - grid.row_height * static_cast<double>(grid.rows.size());
    out.polylines.push_back({{{left, top}, {left + total, top}, {left + total, bottom}, {left, bottom}},
                             true, layer::table, 0.5});
    for (std::size_t r = 1; r < grid.rows.size(); ++r) {
        const double y = top - grid.row_height * static_cast<double>(r);
        out.lines.push_back({{left, y}, {left + total, y}, layer::table, r == 1 ? 0.35 : 0.18});
    }
    double x = left;
    for (std::size_t c = 0; c + 1 < grid.columns.size(); ++c) {
        x += grid.columns[c];
        out.lines.push_back({{x, top}, {x, bottom}, layer::table, 0.18});
    }
    for (std::size_t r = 0; r < grid.rows.size(); ++r) {
        const double y = top - grid.row_height * (static_cast<double>(r) + 0.5);
        double cell_left = left;
        for (std::size_t c = 0; c < grid.columns.size() && c < grid.rows[r].size(); ++c) {
            const CString& value = grid.rows[r][c];
            if (!value.IsEmpty()) {
                // A text longer than its cell is set smaller rather than run into the next one.
                const double room = grid.columns[c] - 1.0, wide = text_width(value, grid.text_height);
                const double height = wide > room ? grid.text_height * room / wide : grid.text_height;
                out.texts.push_back({{cell_left + grid.columns[c] / 2, y}, height, value, h_align::center,
                                     v_align::middle, 0.0, layer::table});
            }
            cell_left += grid.columns[c];
        }
    }
}

}  // namespace

primitives flatten(const sheet& page)
{
    primitives out{page.lines, page.polylines, page.circles, page.hatches, page.texts};
    const std::vector<text> values = dimension_values(page);
    for (std::size_t i = 0; i < page.dimensions.size(); ++i) add_dimension(out, page.dimensions[i], values[i]);
    for (const table& grid : page.tables) add_table(out, grid);
    return out;
}

flat_sheet flatten_for_writers(const sheet& page)
{
    flat_sheet out{&page, {page.lines, page.polylines, page.circles, page.hatches, page.texts}, {}};
    for (const table& grid : page.tables) add_table(out.body, grid);
    out.dimensions.reserve(page.dimensions.size());
    const std::vector<text> values = dimension_values(page);
    for (std::size_t i = 0; i < page.dimensions.size(); ++i)
        add_dimension(out.dimensions.emplace_back(), page.dimensions[i], values[i]);
    return out;
}

}  // namespace ds_sheet
