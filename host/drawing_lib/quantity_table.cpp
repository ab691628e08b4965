// Bar lines, totals per diameter and concrete volume of a parameter group.
#include "host/drawing_lib/quantity_table.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "host/drawing_lib/rebar_geometry.h"
#include "host/drawing_lib/rx_component_steel_p0.h"
#include "host/framework/input_limits.h"

namespace VQDraw_DS_GJNA {

namespace {

/// Mesh layers of all pedestals of a row, bounded by the host's limits.
std::int64_t row_layers(const DS_steel_pram_parameter& param)
{
    if (!input_limits::count_in_range(param.m_iCount)) return 0;
    std::int64_t layers = 0;
    const std::size_t pedestals = std::min(param.m_vecHeights.size(), static_cast<std::size_t>(param.m_iCount));
    for (std::size_t i = 0; i < pedestals; ++i) layers += mesh_layers(param.m_vecHeights[i]);
    return layers;
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

using line_key = std::tuple<std::string, double, std::int64_t>;  // mark, diameter, length in 0.1 mm

}  // namespace

group_quantities compute_quantities(const std::vector<DS_steel_pram_parameter>& group)
{
    group_quantities result;
    std::map<line_key, std::size_t> index;
    for (const DS_steel_pram_parameter& param : group) {
        result.concrete_volume += row_volume(param);
        if (!param.m_pSteelGroup) continue;
        const std::int64_t layers = row_layers(param);
        const pedestal_plan plan{param.m_dWidth, param.m_dLength, param.m_dAngle};
        const auto& lines = param.m_pSteelGroup->GetBars();
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const steel_bar_row& bar = lines[i];
            const layer_bars bars = bars_in_layer(bar, i, plan);
            // A nearly flat skew can stretch a bar past any real length; such a row has no quantities.
            if (bars.count == 0 || layers == 0 || !input_limits::size_in_range(bar.m_diameter) ||
                !(bars.bar_length < 1e12))
                continue;
            const line_key key{bar.m_mark.str(), bar.m_diameter, std::llround(bars.bar_length * 10.0)};
            auto [it, fresh] = index.try_emplace(key, result.bars.size());
            if (fresh) result.bars.push_back({bar.m_mark, bar.m_grade, bar.m_diameter, bars.bar_length, bars.straight, 0, 0.0, 0.0});
            bar_quantity& q = result.bars[it->second];
            const std::int64_t count = bars.count * layers;
            q.count += count;
            q.total_length += static_cast<double>(count) * bars.bar_length / 1000.0;
            result.bar_count += count;
        }
    }
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
