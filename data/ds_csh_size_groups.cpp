// Grouping of structure drawings by the size of their first pedestal.
#include "data/ds_csh_size_groups.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "host/framework/common_string_tools.h"
#include "host/framework/xbjg_graph_data_base.h"
#include "host/math/vq_math.h"
#include "host/substructure/ds_gz_data.h"

namespace VQDraw_DS_UINA {

namespace {

std::vector<ds_gz_data> pedestals_of(const data_node_base* node)
{
    std::vector<ds_gz_data> pedestals;
    if (const auto* structure = dynamic_cast<const xbjg_graph_data_base*>(node)) structure->Get_DS(pedestals);
    return pedestals;
}

/// The distinct widths (or lengths) in the order the host's reduction leaves them.
std::vector<double> distinct_values(const std::vector<ds_size_candidate>& candidates, double ds_size_candidate::*field)
{
    std::vector<double> values;
    values.reserve(candidates.size());
    for (const ds_size_candidate& c : candidates) values.push_back(c.*field);
    common_double_tools::Get_Uniq_Ele_In_Dbl_Vector(values);
    return values;
}

/// Distinct values sorted by value, each with its position in the reduction's order.
class sorted_distinct {
public:
    explicit sorted_distinct(const std::vector<double>& distinct)
    {
        for (std::size_t i = 0; i < distinct.size(); ++i)
            if (!std::isnan(distinct[i])) m_sorted.emplace_back(distinct[i], i);  // NaN equals nothing
        std::sort(m_sorted.begin(), m_sorted.end());
    }

    /// Positions (reduction order, ascending) of the distinct values equal to `value`.
    /// The distance |u - value| only grows moving away from `value` in sorted
    /// order, so the equal values form one run around where `value` would sit.
    std::vector<std::size_t> positions_equal_to(double value) const
    {
        std::vector<std::size_t> positions;
        if (std::isnan(value)) return positions;
        const auto at = std::lower_bound(m_sorted.begin(), m_sorted.end(), value,
                                         [](const auto& entry, double v) { return entry.first < v; });
        for (auto it = at; it != m_sorted.begin() && VQMATH::IsDoubleEqual(std::prev(it)->first, value); --it)
            positions.push_back(std::prev(it)->second);
        for (auto it = at; it != m_sorted.end() && VQMATH::IsDoubleEqual(it->first, value); ++it)
            positions.push_back(it->second);
        std::sort(positions.begin(), positions.end());
        return positions;
    }

private:
    std::vector<std::pair<double, std::size_t>> m_sorted;
};

}  // namespace

std::vector<ds_size_candidate> ds_collect_size_candidates(const std::vector<data_node_base*>& nodes)
{
    std::vector<ds_size_candidate> candidates;
    for (data_node_base* node : nodes) {
        const std::vector<ds_gz_data> pedestals = pedestals_of(node);
        if (pedestals.empty()) continue;
        candidates.push_back({node, pedestals.front().m_dWidth, pedestals.front().m_dLength});
    }
    return candidates;
}

std::vector<std::vector<data_node_base*>> ds_group_by_first_pedestal_size(const std::vector<ds_size_candidate>& candidates)
{
    const sorted_distinct widths(distinct_values(candidates, &ds_size_candidate::width));
    const sorted_distinct lengths(distinct_values(candidates, &ds_size_candidate::length));

    // Keyed by (width position, length position): the map's order is the
    // order of the width-outer, length-inner scan.
    std::map<std::pair<std::size_t, std::size_t>, std::vector<data_node_base*>> groups;
    for (const ds_size_candidate& c : candidates) {
        const std::vector<std::size_t> length_positions = lengths.positions_equal_to(c.length);
        for (std::size_t w : widths.positions_equal_to(c.width))
            for (std::size_t l : length_positions) groups[{w, l}].push_back(c.node);
    }

    std::vector<std::vector<data_node_base*>> result;
    result.reserve(groups.size());
    for (auto& entry : groups) result.push_back(std::move(entry.second));
    return result;
}

namespace size_group_detail {

std::vector<std::vector<data_node_base*>> group_by_scanning(const std::vector<ds_size_candidate>& candidates)
{
    std::vector<std::vector<data_node_base*>> result;
    const std::vector<double> lengths = distinct_values(candidates, &ds_size_candidate::length);
    for (double width : distinct_values(candidates, &ds_size_candidate::width)) {
        for (double length : lengths) {
            std::vector<data_node_base*> group;
            for (const ds_size_candidate& c : candidates) {
                const std::vector<ds_gz_data> pedestals = pedestals_of(c.node);
                if (pedestals.empty()) continue;
                const ds_gz_data& first = pedestals.front();
                if (VQMATH::IsDoubleEqual(first.m_dWidth, width) && VQMATH::IsDoubleEqual(first.m_dLength, length))
                    group.push_back(c.node);
            }
            if (!group.empty()) result.push_back(std::move(group));
        }
    }
    return result;
}

}  // namespace size_group_detail

}  // namespace VQDraw_DS_UINA
