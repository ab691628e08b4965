// Dimensions and tables drawn out into lines and texts.
#include "host/drawing_lib/sheet_primitives.h"

#include <cmath>

#include "host/drawing_lib/text_metrics.h"

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

/// Ends of every dimension line of a sheet, so a text that does not fit its
/// span can stand beyond an end no neighbour in the chain continues from.
class chain_ends {
public:
    explicit chain_ends(const std::vector<dimension>& dims)
    {
        m_ends.reserve(dims.size() * 2);
        for (const dimension& d : dims) {
            m_ends.push_back(d.line_from);
            m_ends.push_back(d.line_to);
        }
    }
    /// More than one dimension line ends at `p` (the dimension itself is one).
    bool shared(point p) const
    {
        int n = 0;
        for (const point& e : m_ends)
            if (length(e - p) < 1e-6 && ++n > 1) return true;
        return false;
    }

private:
    std::vector<point> m_ends;
};

void add_dimension(primitives& out, const dimension& dim, const chain_ends& ends)
{
    add_extension(out, dim.from, dim.line_from);
    add_extension(out, dim.to, dim.line_to);
    out.lines.push_back({dim.line_from, dim.line_to, layer::dimension, 0.18});
    const point d = unit(dim.line_to - dim.line_from);
    const point tick = unit(d + point{-d.y, d.x}) * tick_half;  // 45 degrees to the line
    for (const point end : {dim.line_from, dim.line_to})
        out.lines.push_back({end - tick, end + tick, layer::dimension, 0.35});

    // Text reads from left to right or from bottom to top, above the line.
    point along = d;
    if (along.x < -1e-9 || (std::fabs(along.x) <= 1e-9 && along.y < 0)) along = along * -1.0;
    const point normal{-along.y, along.x};
    const double span = length(dim.line_to - dim.line_from);
    const double width = text_width(dim.value, dim.text_height);
    point mid = (dim.line_from + dim.line_to) * 0.5;
    if (width + 2 * tick_half > span) {
        // No room between the ticks: the text stands beyond an end of the line,
        // the one the reading direction points to unless a neighbour in a
        // horizontal chain continues from there and the other end is free
        // (a vertical chain's lowest text would meet the chain below the view).
        const bool forward = along.x * d.x + along.y * d.y > 0;
        point end = forward ? dim.line_to : dim.line_from;
        point outward = along;
        const point other = forward ? dim.line_from : dim.line_to;
        if (std::fabs(along.y) < 1e-9 && ends.shared(end) && !ends.shared(other)) {
            end = other;
            outward = along * -1.0;
        }
        mid = end + outward * (width / 2 + 2 * tick_half);
    }
    const double angle = std::atan2(along.y, along.x) * 180.0 / M_PI;
    out.texts.push_back({mid + normal * text_gap, dim.text_height, dim.value, h_align::center, v_align::baseline, angle,
                         layer::dimension});
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
    const chain_ends ends(page.dimensions);
    for (const dimension& dim : page.dimensions) add_dimension(out, dim, ends);
    for (const table& grid : page.tables) add_table(out, grid);
    return out;
}

flat_sheet flatten_for_writers(const sheet& page)
{
    flat_sheet out{&page, {page.lines, page.polylines, page.circles, page.hatches, page.texts}, {}};
    for (const table& grid : page.tables) add_table(out.body, grid);
    out.dimensions.reserve(page.dimensions.size());
    const chain_ends ends(page.dimensions);
    for (const dimension& dim : page.dimensions) add_dimension(out.dimensions.emplace_back(), dim, ends);
    return out;
}

}  // namespace ds_sheet
