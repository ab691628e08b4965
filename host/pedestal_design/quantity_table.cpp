// Bar lines, totals per diameter, per-row totals and concrete volume of a parameter group.
#include "host/pedestal_design/quantity_table.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "host/pedestal_design/cage_layout.h"
#include "host/pedestal_design/rebar_cage.h"
#include "host/fields/input_limits.h"
#include "host/rebar/rx_component_steel_p0.h"

namespace VQDraw_DS_GJNA {

namespace {

/// The pedestals of a row the quantities count: as many heights as the row has pedestals.
std::vector<double> counted_heights(const DS_steel_pram_parameter& param)
{
    if (!input_limits::count_in_range(param.m_iCount)) return {};
    const std::size_t n = std::min(param.m_vecHeights.size(), static_cast<std::size_t>(param.m_iCount));
    return {param.m_vecHeights.begin(), param.m_vecHeights.begin() + static_cast<std::ptrdiff_t>(n)};
}

double row_volume(const DS_steel_pram_parameter& param)
{
    if (!input_limits::count_in_range(param.m_iCount) || !input_limits::size_in_range(param.m_dWidth) ||
        !input_limits::size_in_range(param.m_dLength))
        return 0.0;
    double cubic_mm = 0.0;
    for (double height : param.m_vecHeights)
        if (input_limits::size_in_range(height)) cubic_mm += param.m_dWidth * param.m_dLength * height;
    return cubic_mm / 1e9;
}

using line_key = std::tuple<std::string, double, std::int64_t>;  // mark, diameter, length in mm

/// Adds bars of one line and one shape to the group, merging lines of one mark, diameter and length.
class bar_book {
public:
    explicit bar_book(group_quantities& q) : m_q(q) {}

    void add(const steel_bar_row& bar, bar_quantity shape, std::int64_t count, row_total& row)
    {
        if (count <= 0 || !input_limits::size_in_range(bar.m_diameter) || !(shape.one_length < 1e12)) return;
        // Vertical bars share a line per mark and foot; others one per length.
        const std::int64_t length_key = shape.kind == bar_kind::vertical ? -1 - std::llround(shape.leg) : std::llround(shape.one_length);
        const line_key key{bar.m_mark.str(), bar.m_diameter, length_key};
        auto [it, fresh] = m_index.try_emplace(key, m_q.bars.size());
        if (fresh) {
            shape.mark = bar.m_mark;
            shape.grade = bar.m_grade;
            shape.diameter = bar.m_diameter;
            shape.longest = shape.one_length;
            shape.straight_longest = shape.straight;
            m_q.bars.push_back(shape);
        }
        bar_quantity& q = m_q.bars[it->second];
        q.one_length = std::min(q.one_length, shape.one_length);
        q.straight = std::min(q.straight, shape.straight);
        q.longest = std::max(q.longest, shape.one_length);
        q.straight_longest = std::max(q.straight_longest, shape.straight);
        const double metres = static_cast<double>(count) * shape.one_length / 1000.0;
        q.count += count;
        q.total_length += metres;
        row.steel_weight += bar_weight(bar.m_diameter, metres);
        m_q.bar_count += count;
    }

private:
    group_quantities& m_q;
    std::map<line_key, std::size_t> m_index;
};

bar_quantity mesh_shape(const layer_bars& laid)
{
    bar_quantity q;
    q.kind = bar_kind::mesh;
    q.straight = rounded_length(laid.straight);
    q.leg = rounded_length((laid.bar_length - laid.straight) / 2);
    q.one_length = q.straight + 2 * q.leg;
    return q;
}

bar_quantity vertical_shape(const vertical_bars& v)
{
    bar_quantity q;
    q.kind = bar_kind::vertical;
    q.straight = rounded_length(v.top + v.anchor);
    q.leg = rounded_length(v.foot);
    q.one_length = q.straight + q.leg;
    return q;
}

bar_quantity tie_shape(const tie_bars& t, double angle_deg)
{
    bar_quantity q;
    q.kind = bar_kind::tie;
    q.straight = rounded_length(t.side_across);
    q.leg = rounded_length(t.side_along);
    q.hook = rounded_length(t.hook);
    q.angle_deg = angle_deg;
    q.one_length = 2 * (q.straight + q.leg) + 2 * q.hook;
    return q;
}

void add_row(group_quantities& result, bar_book& book, const DS_steel_pram_parameter& param)
{
    row_total row;
    row.concrete_volume = row_volume(param);
    const std::vector<double> heights = counted_heights(param);
    const auto* bars = param.m_pSteelGroup ? &param.m_pSteelGroup->GetBars() : nullptr;
    const double mesh_d = bars ? thickest_mesh_bar(*bars) : 0.0;
    for (double h : heights) row.layers.push_back(bars ? mesh_layers(h, mesh_d) : 0);
    if (bars) {
        const pedestal_plan plan{param.m_dWidth, param.m_dLength, param.m_dAngle};
        const double tie_d = tie_diameter(*bars);
        const double inset = cage_of(*bars).mesh_inset();
        std::size_t mesh_line = 0;
        for (const steel_bar_row& bar : *bars) {
            switch (kind_of(bar)) {
            case bar_kind::mesh: {
                const layer_bars laid = bars_in_layer(bar, mesh_line++, plan, inset);
                std::int64_t layers = 0;
                for (std::int64_t n : row.layers) layers += n;
                book.add(bar, mesh_shape(laid), laid.count * layers, row);
                break;
            }
            case bar_kind::vertical:
                for (double h : heights) {
                    const vertical_bars v = verticals_of(bar, plan, h, tie_d);
                    book.add(bar, vertical_shape(v), static_cast<std::int64_t>(v.positions.size()), row);
                }
                break;
            case bar_kind::tie:
                for (double h : heights) {
                    const tie_bars t = ties_of(bar, plan, h, mesh_d > 0.0);
                    book.add(bar, tie_shape(t, plan.angle_deg), t.count, row);
                }
                break;
            case bar_kind::unknown: {
                const CString named = bar.m_mark + " (" + bar.m_shape + ", " + bar.m_part + ")";
                if (std::find(result.undrawable.begin(), result.undrawable.end(), named) == result.undrawable.end())
                    result.undrawable.push_back(named);
                break;
            }
            }
        }
    }
    result.concrete_volume += row.concrete_volume;
    result.rows.push_back(std::move(row));
}

}  // namespace

double thickest_mesh_bar(const std::vector<steel_bar_row>& bars)
{
    double most = 0.0;
    for (const steel_bar_row& bar : bars)
        if (kind_of(bar) == bar_kind::mesh && bar.m_diameter > most && bar.m_diameter <= input_limits::max_bar_diameter_mm)
            most = bar.m_diameter;
    return most;
}

double tie_diameter(const std::vector<steel_bar_row>& bars)
{
    for (const steel_bar_row& bar : bars)
        if (kind_of(bar) == bar_kind::tie && bar.m_diameter > 0.0 && bar.m_diameter <= input_limits::max_bar_diameter_mm)
            return bar.m_diameter;
    return 0.0;
}

double unit_weight(double diameter) { return bar_weight(diameter, 1.0); }

group_quantities compute_quantities(const std::vector<DS_steel_pram_parameter>& group)
{
    group_quantities result;
    bar_book book(result);
    result.rows.reserve(group.size());
    for (const DS_steel_pram_parameter& param : group) add_row(result, book, param);
    std::map<double, double> per_diameter;
    for (bar_quantity& q : result.bars) {
        q.weight = bar_weight(q.diameter, q.total_length);
        per_diameter[q.diameter] += q.weight;
        result.steel_weight += q.weight;
    }
    for (const auto& [diameter, weight] : per_diameter) result.totals.push_back({diameter, weight});
    return result;
}

}  // namespace VQDraw_DS_GJNA
