// The shared check of the merge and convert methods.
#include "methods/ds_merge_check.h"

#include <unordered_map>

#include "data/ds_ui_data.h"
#include "host/framework/common_string_tools.h"
#include "host/framework/data_center.h"
#include "host/math/vq_math.h"

namespace VQDraw_DS_UINA {

namespace {

const DS_ui_data* single_graph(const CString& tag)
{
    return dynamic_cast<const DS_ui_data*>(get_graph_data_manager()->get_graph_data_by_tag(tag));
}

const CString& pedestal_number(const DS_draw_data& data) { return data.m_drawSet.m_DS_number; }

/// One line per size value of `other` that differs from `first`'s.
void add_geometry_lines(const DS_GZ_Gen& first, const DS_GZ_Gen& other, std::vector<CString>& messages)
{
    const auto add = [&](const char* caption, double mine, double theirs) {
        if (!VQMATH::IsDoubleEqual(mine, theirs))
            messages.push_back(caption + DoubleToPierString(mine) + " " + DoubleToPierString(theirs));
    };
    add("横桥向宽度", first.m_dWidth, other.m_dWidth);
    add("顺桥向长度", first.m_dLenth, other.m_dLenth);
    add("角度", first.m_dSlope, other.m_dSlope);
}

bool same_geometry(const DS_GZ_Gen& a, const DS_GZ_Gen& b)
{
    return VQMATH::IsDoubleEqual(a.m_dWidth, b.m_dWidth) && VQMATH::IsDoubleEqual(a.m_dLenth, b.m_dLenth) &&
           VQMATH::IsDoubleEqual(a.m_dSlope, b.m_dSlope);
}

void check_geometry(const std::vector<const DS_draw_data*>& group, std::vector<CString>& messages)
{
    const DS_draw_data& first = *group.front();
    bool headed = false;
    for (std::size_t i = 1; i < group.size(); ++i) {
        if (same_geometry(first.m_gz, group[i]->m_gz)) continue;
        if (!headed) messages.push_back(pedestal_number(first) + "垫石");
        headed = true;
        add_geometry_lines(first.m_gz, group[i]->m_gz, messages);
    }
}

void check_rebar(const std::vector<const DS_draw_data*>& group, std::vector<CString>& messages)
{
    const DS_draw_data& first = *group.front();
    std::vector<CString> scratch;
    for (std::size_t i = 1; i < group.size(); ++i) first.m_Steel_P0.compare(group[i]->m_Steel_P0, scratch);
    if (!scratch.empty()) messages.push_back(pedestal_number(first) + "垫石" + "中存在不同的钢筋数据，请检查!");
}

}  // namespace

std::vector<int> ds_count_pedestal_numbers(const std::vector<CString>& numbers)
{
    std::vector<int> counts(numbers.size(), 0);
    std::unordered_map<CString, std::size_t> first_position;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const auto [it, inserted] = first_position.emplace(numbers[i], i);
        ++counts[it->second];
    }
    return counts;
}

std::vector<std::vector<std::size_t>> ds_group_repeated_pedestal_numbers(const std::vector<CString>& numbers)
{
    const std::vector<int> counts = ds_count_pedestal_numbers(numbers);
    std::unordered_map<CString, std::size_t> group_of;
    std::vector<std::vector<std::size_t>> groups;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (counts[i] < 2) continue;  // first positions come in order of first occurrence
        group_of.emplace(numbers[i], groups.size());
        groups.emplace_back();
    }
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const auto it = group_of.find(numbers[i]);
        if (it != group_of.end()) groups[it->second].push_back(i);
    }
    return groups;
}

namespace merge_check_detail {

std::vector<int> count_pedestal_numbers_pairwise(const std::vector<CString>& numbers)
{
    std::vector<int> counts(numbers.size(), 1);
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (counts[i] == 0) continue;
        for (std::size_t j = 0; j < numbers.size(); ++j) {
            if (j == i || numbers[i] != numbers[j]) continue;
            ++counts[i];
            counts[j] = 0;
        }
    }
    return counts;
}

std::vector<std::vector<std::size_t>> collect_groups_by_scanning(const std::vector<CString>& numbers,
                                                                 const std::vector<int>& counts)
{
    std::vector<std::vector<std::size_t>> groups;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (counts[i] < 2) continue;
        std::vector<std::size_t> group;
        for (std::size_t j = 0; j < numbers.size(); ++j)
            if (numbers[j] == numbers[i]) group.push_back(j);
        groups.push_back(std::move(group));
    }
    return groups;
}

}  // namespace merge_check_detail

bool ds_check_single_graphs_can_merge(const std::vector<CString>& graphs, std::vector<CString>& messages)
{
    messages.clear();
    if (graphs.empty() || !single_graph(graphs.front())) return true;

    std::vector<const DS_draw_data*> drawings;
    std::vector<CString> numbers;
    for (const CString& graph : graphs) {
        const DS_ui_data* single = single_graph(graph);
        if (!single) continue;
        drawings.push_back(&single->m_draw_data);
        numbers.push_back(pedestal_number(single->m_draw_data));
    }

    std::vector<std::vector<const DS_draw_data*>> groups;
    for (const std::vector<std::size_t>& positions : ds_group_repeated_pedestal_numbers(numbers)) {
        std::vector<const DS_draw_data*>& group = groups.emplace_back();
        for (std::size_t position : positions) group.push_back(drawings[position]);
    }
    for (const auto& group : groups) check_geometry(group, messages);
    for (const auto& group : groups) check_rebar(group, messages);
    return messages.empty();
}

}  // namespace VQDraw_DS_UINA
