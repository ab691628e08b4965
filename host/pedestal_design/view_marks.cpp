// Bar marks, bar sections, dimension chains, cut marks and centre lines of pedestal views.
#include "host/pedestal_design/view_marks.h"

#include <cmath>

#include "host/framework/string_tools.h"

namespace VQDraw_DS_GJNA {

using namespace ds_sheet;

namespace {
constexpr double pi = 3.14159265358979323846;
}

void add_mark(sheet& page, point from, point circle_centre, const CString& mark)
{
    const double dx = from.x - circle_centre.x, dy = from.y - circle_centre.y;
    const double d = std::hypot(dx, dy);
    const point touch = d > mark_radius ? point{circle_centre.x + dx / d * mark_radius, circle_centre.y + dy / d * mark_radius}
                                        : circle_centre;
    page.lines.push_back({from, touch, layer::text, 0.18});
    page.circles.push_back({circle_centre, mark_radius, layer::text, 0.25});
    page.texts.push_back(make_text(circle_centre, digit_height, mark, h_align::center, v_align::middle));
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

void add_chain(sheet& page, const placement& place, const chain& c, double across, double at, bool vertical)
{
    for (std::size_t i = 0; i + 1 < c.stations.size(); ++i) {
        const double a = c.stations[i], b = c.stations[i + 1];
        if (b - a <= 1e-6) continue;
        const CString label = (i == 1 && c.stations.size() == 4) ? c.middle : number_text(b - a);
        const point pa = place(vertical ? point{across, a} : point{a, across});
        const point pb = place(vertical ? point{across, b} : point{b, across});
        const point la = vertical ? point{at, pa.y} : point{pa.x, at}, lb = vertical ? point{at, pb.y} : point{pb.x, at};
        page.dimensions.push_back({pa, pb, la, lb, label, digit_height});
    }
}

CString spacing_label(std::size_t gaps, double spread)
{
    if (gaps == 1) return number_text(spread);  // "1×100" says no more than "100"
    return string_tools::num_to_string(static_cast<int>(gaps)) + "×" + number_text(spread / static_cast<double>(gaps));
}

void add_cut_marks(sheet& page, point a, point b, point look, const CString& name)
{
    const double dx = b.x - a.x, dy = b.y - a.y, d = std::hypot(dx, dy);
    if (d <= 0.0) return;
    const point u{dx / d, dy / d};
    for (const auto& [end, out] : {std::pair{a, -1.0}, std::pair{b, 1.0}}) {
        // The cut stroke lies on the section line, outside the object; the look stroke points the way the view looks.
        const point p{end.x + u.x * out * 1.0, end.y + u.y * out * 1.0};
        const point q{p.x + u.x * out * 6.0, p.y + u.y * out * 6.0};
        page.lines.push_back({p, q, layer::outline, 0.7});
        page.lines.push_back({q, {q.x + look.x * 4.0, q.y + look.y * 4.0}, layer::outline, 0.7});
        page.texts.push_back(make_text({q.x + look.x * 6.5, q.y + look.y * 6.5}, hanzi_height, name, h_align::center,
                                     v_align::middle));
    }
}

void add_centre_line(sheet& page, point a, point b)
{
    const double dx = b.x - a.x, dy = b.y - a.y, d = std::hypot(dx, dy);
    if (d <= 0.0) return;
    const point u{dx / d * 3.0, dy / d * 3.0};
    page.lines.push_back({{a.x - u.x, a.y - u.y}, {b.x + u.x, b.y + u.y}, layer::centre, 0.18});
}

}  // namespace VQDraw_DS_GJNA
