// The drawing check: sheet model and cage geometry checked as a checker reads a sheet.
#include "host/pedestal_design/drawing_check.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>

#include "host/pedestal_design/cage_layout.h"
#include "host/pedestal_design/rebar_cage.h"
#include "host/rebar/rx_component_steel_p0.h"
#include "host/framework/string_tools.h"
#include "host/sheet_model/plan_vectors.h"
#include "host/sheet_model/sheet_primitives.h"
#include "host/sheet_model/text_metrics.h"

namespace VQDraw_DS_GJNA {

namespace {

using namespace ds_sheet;
using string_tools::num_to_string;

point unit(point a)
{
    const double l = std::hypot(a.x, a.y);
    return l > 0.0 ? point{a.x / l, a.y / l} : point{1.0, 0.0};
}
box shrunk(box b, double by) { return {b.left + by, b.bottom + by, b.right - by, b.top - by}; }
point centre_of(const box& b) { return {(b.left + b.right) / 2, (b.bottom + b.top) / 2}; }
bool inside(const box& b, point p) { return p.x >= b.left && p.x <= b.right && p.y >= b.bottom && p.y <= b.top; }
CString quoted(const CString& s) { return "「" + s + "」"; }

/// True when segment a-b passes through box `b` (Liang-Barsky clipping).
bool crosses(point a, point c, const box& b)
{
    double t0 = 0.0, t1 = 1.0;
    const double dx = c.x - a.x, dy = c.y - a.y;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {a.x - b.left, b.right - a.x, a.y - b.bottom, b.top - a.y};
    for (int i = 0; i < 4; ++i) {
        if (std::fabs(p[i]) < 1e-12) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    return true;
}

/// The millimetres a dimension value states: "460", "4×100"; NaN for "a", "h" and other words.
double stated(const CString& value)
{
    const std::string& s = value.str();
    const std::string times = CString("×").str();
    char* end = nullptr;
    const double first = std::strtod(s.c_str(), &end);
    if (end == s.c_str()) return NAN;
    std::string rest(end);
    if (rest.empty()) return first;
    if (rest.rfind(times, 0) != 0) return NAN;
    const char* tail = rest.c_str() + times.size();
    const double second = std::strtod(tail, &end);
    return end != tail && *end == '\0' ? first * second : NAN;
}

bool whole(const CString& value)
{
    return value.str().find('.') == std::string::npos;
}

/// True when the text holds a Chinese character (a GBK lead byte of the character area).
bool has_hanzi(const CString& value)
{
    const std::string& s = value.str();
    for (std::size_t pos = 0; pos < s.size(); pos += std::max<std::size_t>(1, afx_text::char_length(s, pos)))
        if (static_cast<unsigned char>(s[pos]) >= 0xB0) return true;
    return false;
}

const view_frame* view_at(const sheet& page, point p)
{
    for (const view_frame& v : page.views)
        if (inside({v.lower_left.x, v.lower_left.y, v.upper_right.x, v.upper_right.y}, p)) return &v;
    return nullptr;
}

/// A dimension as the check sees it: its line's direction, its span along it and its value as printed.
struct placed_dimension {
    const dimension* dim;
    text value;
    point along;
    double offset;      ///< the line's distance from the paper origin, square to it
    double start, end;  ///< the span along the line
};

std::vector<placed_dimension> placed_dimensions(const sheet& page)
{
    const flat_sheet flat = flatten_for_writers(page);
    std::vector<placed_dimension> out;
    for (std::size_t i = 0; i < page.dimensions.size(); ++i) {
        const dimension& d = page.dimensions[i];
        point along = unit(minus(d.line_to, d.line_from));
        if (along.x < -1e-9 || (std::fabs(along.x) <= 1e-9 && along.y < 0)) along = {-along.x, -along.y};
        const double a = dot(d.line_from, along), b = dot(d.line_to, along);
        text value = flat.dimensions[i].texts.empty() ? text{} : flat.dimensions[i].texts.back();
        out.push_back({&d, value, along, cross(along, d.line_from), std::min(a, b), std::max(a, b)});
    }
    return out;
}

bool collinear(const placed_dimension& a, const placed_dimension& b)
{
    return std::fabs(cross(a.along, b.along)) < 1e-6 && std::fabs(a.offset - b.offset) < 0.05;
}

class sheet_checker {
public:
    sheet_checker(const sheet& page, const CString& name) : m_page(page), m_name(name), m_dims(placed_dimensions(page)) {}

    std::vector<CString> run()
    {
        spans();
        values_apart();
        dimension_values();
        chains();
        texts_apart();
        printed_sizes();
        return std::move(m_found);
    }

    std::vector<CString> legibility()
    {
        spans();
        values_apart();
        printed_sizes();
        return std::move(m_found);
    }

private:
    const sheet& m_page;
    CString m_name;
    std::vector<placed_dimension> m_dims;
    std::vector<CString> m_found;

    void found(const CString& what) { m_found.push_back(m_name + what); }

    CString where(point p) const
    {
        const view_frame* v = view_at(m_page, p);
        return v ? "视图" + quoted(v->name) + "：" : CString();
    }

    /// Beyond its own span a value may only stand beyond the whole chain, reaching into no other segment.
    void spans()
    {
        for (const placed_dimension& d : m_dims) {
            const box b = text_box(d.value);
            const double at = dot(centre_of(b), d.along);
            if (at >= d.start - 1e-6 && at <= d.end + 1e-6) continue;
            const double one = dot({b.left, b.bottom}, d.along), other = dot({b.right, b.top}, d.along);
            const double lo = std::min(one, other), hi = std::max(one, other);
            for (const placed_dimension& o : m_dims)
                if (&o != &d && collinear(o, d) && hi > o.start + 0.05 && lo < o.end - 0.05) {
                    found(where(d.dim->line_from) + "尺寸" + quoted(d.dim->value) + "不在其尺寸线范围内，落在尺寸" +
                          quoted(o.dim->value) + "之内");
                    break;
                }
        }
    }

    void values_apart()
    {
        for (std::size_t i = 0; i < m_dims.size(); ++i)
            for (std::size_t j = i + 1; j < m_dims.size(); ++j)
                if (shrunk(text_box(m_dims[i].value), overlap_tolerance_mm).overlaps(shrunk(text_box(m_dims[j].value), overlap_tolerance_mm)))
                    found(where(m_dims[i].value.at) + "尺寸" + quoted(m_dims[i].dim->value) + "与" + quoted(m_dims[j].dim->value) + "重叠");
    }

    void dimension_values()
    {
        for (const placed_dimension& d : m_dims) {
            const CString here = where(d.dim->line_from);
            const view_frame* v = view_at(m_page, d.dim->line_from);
            const double value = stated(d.dim->value);
            if (v && std::isfinite(value)) {
                const double measured = std::fabs(dot(minus(d.dim->to, d.dim->from), d.along)) * v->scale;
                if (std::fabs(measured - value) > 0.5)
                    found(here + "尺寸" + quoted(d.dim->value) + "与所注距离" + number_text(measured) + "不符");
                if (!whole(d.dim->value)) found(here + "尺寸" + quoted(d.dim->value) + "非整毫米");
            }
        }
    }

    /// Collinear dimensions that follow each other end to end add up to a parallel dimension of the same reach.
    void chains()
    {
        std::vector<bool> seen(m_dims.size(), false);
        for (std::size_t i = 0; i < m_dims.size(); ++i) {
            if (seen[i]) continue;
            std::vector<const placed_dimension*> chain;
            for (std::size_t j = i; j < m_dims.size(); ++j)
                if (!seen[j] && collinear(m_dims[i], m_dims[j])) {
                    seen[j] = true;
                    chain.push_back(&m_dims[j]);
                }
            if (chain.size() < 2) continue;
            std::sort(chain.begin(), chain.end(), [](auto* a, auto* b) { return a->start < b->start; });
            double sum = 0.0;
            CString parts;
            bool numeric = true;
            for (std::size_t k = 0; k < chain.size(); ++k) {
                if (k && std::fabs(chain[k]->start - chain[k - 1]->end) > 0.05) numeric = false;
                sum += stated(chain[k]->dim->value);
                parts += (k ? "+" : "") + chain[k]->dim->value;
            }
            if (!numeric || !std::isfinite(sum)) continue;
            for (const placed_dimension& o : m_dims) {
                if (collinear(o, *chain.front()) || std::fabs(cross(o.along, chain.front()->along)) > 1e-6) continue;
                const double a = dot(o.dim->from, o.along), b = dot(o.dim->to, o.along);
                const double total = stated(o.dim->value);
                if (std::fabs(std::min(a, b) - chain.front()->start) < 0.05 && std::fabs(std::max(a, b) - chain.back()->end) < 0.05 &&
                    std::isfinite(total) && std::fabs(total - sum) > 0.05)
                    found(where(o.dim->line_from) + "尺寸链" + parts + "=" + number_text(sum, 2) + "，与总尺寸" + o.dim->value + "不符");
            }
        }
    }

    void texts_apart()
    {
        std::vector<text> all = m_page.texts;
        const std::size_t own = all.size();  // texts from here on are dimension values, kept apart by values_apart
        for (const placed_dimension& d : m_dims) all.push_back(d.value);
        std::vector<box> boxes;
        for (const text& t : all) boxes.push_back(shrunk(text_box(t), overlap_tolerance_mm));
        for (std::size_t i = 0; i < all.size(); ++i)
            for (std::size_t j = std::max(i + 1, i < own ? std::size_t{0} : all.size()); j < all.size(); ++j)
                if (boxes[i].overlaps(boxes[j]))
                    found(where(all[i].at) + "文字" + quoted(all[i].value) + "与" + quoted(all[j].value) + "重叠");
        for (std::size_t i = 0; i < all.size(); ++i) {
            const box& b = boxes[i];
            bool on_bar = false, on_cut = false;
            for (const line& l : m_page.lines) {
                if (l.on == layer::rebar && crosses(l.a, l.b, b)) on_bar = true;
                if (l.on == layer::outline && l.weight >= 0.7 - 1e-9 && crosses(l.a, l.b, b)) on_cut = true;
            }
            for (const polyline& p : m_page.polylines)
                for (std::size_t k = 0; p.on == layer::rebar && k < p.points.size(); ++k)
                    if (crosses(p.points[k], p.points[(k + 1) % p.points.size()], b)) on_bar = true;
            for (const hatch& h : m_page.hatches)
                if (h.on == layer::rebar && std::any_of(h.loop.begin(), h.loop.end(), [&](point p) { return inside(b, p); }))
                    on_bar = true;
            if (on_bar) found(where(all[i].at) + "文字" + quoted(all[i].value) + "压在钢筋上");
            if (on_cut) found(where(all[i].at) + "文字" + quoted(all[i].value) + "压在剖切符号上");
        }
    }

    void printed_sizes()
    {
        for (const view_frame& v : m_page.views) {
            const box area{v.lower_left.x, v.lower_left.y, v.upper_right.x, v.upper_right.y};
            for (const polyline& p : m_page.polylines) {
                if (p.on != layer::outline || !p.closed || p.points.empty() || !inside(area, p.points.front())) continue;
                box b{1e300, 1e300, -1e300, -1e300};
                for (point q : p.points) b = {std::min(b.left, q.x), std::min(b.bottom, q.y), std::max(b.right, q.x), std::max(b.top, q.y)};
                const double least = std::min(b.right - b.left, b.top - b.bottom);
                if (least < least_view_print_mm)
                    found("视图" + quoted(v.name) + "按1:" + num_to_string(v.scale) + "仅" + number_text(least) + "mm，小于" +
                          number_text(least_view_print_mm) + "mm，无法辨认");
                break;
            }
        }
        std::vector<text> all = m_page.texts;
        for (const placed_dimension& d : m_dims) all.push_back(d.value);
        for (const text& t : all) {
            const double least = has_hanzi(t.value) ? least_hanzi_mm : least_digit_mm;
            if (t.height < least - 1e-9)
                found(where(t.at) + "文字" + quoted(t.value) + "高" + number_text(t.height) + "mm，小于" + number_text(least) + "mm");
        }
    }
};

CString pair_text(const steel_bar_row& a, const steel_bar_row& b, double gap, double need, std::size_t times)
{
    return "钢筋" + a.m_mark + "与" + b.m_mark + "轴线相距" + number_text(gap) + "mm，小于两者半径之和" + number_text(need) +
           "mm(" + num_to_string(static_cast<int>(times)) + "处)";
}

}  // namespace

std::vector<CString> check_sheet(const sheet& page, const CString& name)
{
    return sheet_checker(page, name).run();
}

std::vector<CString> check_legibility(const sheet& page)
{
    return sheet_checker(page, {}).legibility();
}

/// The least gap found between two kinds of bar and how often it falls short of `need`.
struct shortfall {
    double need = 0.0;
    double least = 1e300;
    std::size_t times = 0;

    void add(double gap)
    {
        if (gap >= need - 0.05) return;
        least = std::min(least, gap);
        ++times;
    }
};

std::vector<CString> check_cage(const cage_layout& cage, const CString& size)
{
    std::vector<CString> found;
    const cage_parts& parts = cage.parts;
    const bool layered = !cage.layer_levels.empty();
    for (std::size_t m = 0; m < parts.mesh.size() && m < cage.mesh.size(); ++m) {
        const steel_bar_row& mesh = *parts.mesh[m].first;
        if (!layered || !(mesh.m_diameter > 0.0)) continue;
        for (std::size_t j = 0; j < parts.verticals.size() && j < cage.verticals.size(); ++j) {
            shortfall s{(mesh.m_diameter + parts.verticals[j]->m_diameter) / 2};
            for (const point& p : cage.verticals[j].positions)
                for (const auto& [a, b] : cage.mesh[m]) s.add(distance_to_segment(p, a, b));
            if (s.times) found.push_back(size + pair_text(mesh, *parts.verticals[j], s.least, s.need, s.times));
        }
    }
    for (std::size_t a = 0; a < cage.verticals.size(); ++a)
        for (std::size_t b = a; b < cage.verticals.size(); ++b) {
            shortfall s{(parts.verticals[a]->m_diameter + parts.verticals[b]->m_diameter) / 2};
            const auto& pa = cage.verticals[a].positions;
            const auto& pb = cage.verticals[b].positions;
            for (std::size_t i = 0; i < pa.size(); ++i)
                for (std::size_t j = a == b ? i + 1 : 0; j < pb.size(); ++j) s.add(std::hypot(pa[i].x - pb[j].x, pa[i].y - pb[j].y));
            if (s.times) found.push_back(size + pair_text(*parts.verticals[a], *parts.verticals[b], s.least, s.need, s.times));
        }
    if (parts.tie && layered)
        for (const auto& [mesh, i] : parts.mesh) {
            shortfall s{(parts.tie_d + mesh->m_diameter) / 2};
            for (double z : cage.ties.levels)
                for (double level : cage.layer_levels) s.add(std::fabs(z - level));
            if (s.times) found.push_back(size + pair_text(*parts.tie, *mesh, s.least, s.need, s.times));
        }
    return found;
}

std::vector<CString> check_cage(const view_subject& s)
{
    if (!s.bars) return {};
    const CString size = number_text(s.plan.width) + "×" + number_text(s.plan.length) + "×" + number_text(s.height) + "垫石：";
    return check_cage(lay_out_cage(*s.bars, s.plan, s.height), size);
}

std::vector<CString> marks_held(const std::vector<steel_bar_row>& bars, const pedestal_plan& plan, double height)
{
    const cage_parts parts = cage_of(bars);
    std::vector<CString> marks;
    for (const auto& [bar, i] : parts.mesh)
        if (mesh_layers(height, parts.mesh_d) > 0 && bars_in_layer(*bar, i, plan, parts.mesh_inset()).count > 0)
            marks.push_back(bar->m_mark);
    if (parts.tie && ties_of(*parts.tie, plan, height, parts.mesh_d > 0.0).count > 0) marks.push_back(parts.tie->m_mark);
    for (const steel_bar_row* bar : parts.verticals)
        if (!verticals_of(*bar, plan, height, parts.tie_d).positions.empty()) marks.push_back(bar->m_mark);
    std::sort(marks.begin(), marks.end(), [](const CString& a, const CString& b) { return a.str() < b.str(); });
    return marks;
}

std::vector<CString> check_drawing(const DS_draw_data& data, const std::vector<group_quantities>& quantities,
                                   const std::vector<sheet>& sheets)
{
    std::vector<CString> found;
    std::vector<const sheet*> view_sheets;
    std::vector<CString> names;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const CString name = "第" + num_to_string(static_cast<int>(i + 1)) + "张：";
        names.push_back(name);
        for (CString& f : check_sheet(sheets[i], name)) found.push_back(std::move(f));
        if (!sheets[i].views.empty()) view_sheets.push_back(&sheets[i]);
    }
    std::size_t shown = 0;
    for (std::size_t g = 0; g < data.m_vecParamGroups.size() && g < quantities.size(); ++g) {
        const auto& group = data.m_vecParamGroups[g];
        if (group.empty()) continue;
        const CString name = "第" + num_to_string(static_cast<int>(g + 1)) + "组：";
        std::set<std::vector<CString>> builds;
        for (const DS_steel_pram_parameter& row : group) {
            if (!row.m_pSteelGroup) continue;
            const pedestal_plan plan{row.m_dWidth, row.m_dLength, row.m_dAngle};
            std::set<double> heights(row.m_vecHeights.begin(), row.m_vecHeights.end());
            for (double h : heights) {
                builds.insert(marks_held(row.m_pSteelGroup->GetBars(), plan, h));
                view_subject s;
                s.plan = plan;
                s.height = h;
                s.bars = &row.m_pSteelGroup->GetBars();
                for (CString& f : check_cage(s)) found.push_back(name + f);
            }
        }
        if (shown >= view_sheets.size()) continue;
        const sheet& page = *view_sheets[shown++];
        for (const bar_quantity& bar : quantities[g].bars) {
            const bool marked = std::any_of(page.texts.begin(), page.texts.end(),
                                            [&](const text& t) { return t.value == bar.mark && view_at(page, t.at); });
            if (!marked) found.push_back(name + "钢筋" + bar.mark + "列于数量表，但未在任何视图中示出");
        }
        const bool alike_said = std::any_of(page.texts.begin(), page.texts.end(), [](const text& t) { return t.value.Find("构造相同") >= 0; });
        if (alike_said && builds.size() > 1) found.push_back(name + "附注称各垫石构造相同，但各垫石所含钢筋不同");
    }
    return found;
}

}  // namespace VQDraw_DS_GJNA
