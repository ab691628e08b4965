// The check that single pedestal drawings may share one parametric drawing:
// drawings with the same pedestal number must have the same width, length,
// angle and rebar, since the list shows them as one pedestal type.
#pragma once

#include <vector>

#include "host/afx/cstring.h"

namespace VQDraw_DS_UINA {

/// Clears `messages`, then checks the single drawings named by `graphs`
/// (resolved through the graph data manager). True, with no message, when
/// the list is empty or its first identifier names no single pedestal
/// drawing. Identifiers after the first that name no single pedestal
/// drawing are skipped: they take no part in the counting and are never
/// compared. Among the drawings sharing a pedestal number the first is
/// compared with each other one: a heading ("<number>垫石") and one line per
/// differing width, length or angle ("横桥向宽度560 600"), and one line per
/// group whose rebar differs ("<number>垫石中存在不同的钢筋数据，请检查!").
/// True when no message was written.
bool ds_check_single_graphs_can_merge(const std::vector<CString>& graphs, std::vector<CString>& messages);

/// For each position, how many entries carry its pedestal number when it is
/// the number's first position, else 0. Linear, by remembering the first
/// position of every number.
std::vector<int> ds_count_pedestal_numbers(const std::vector<CString>& numbers);

/// The positions of each pedestal number carried at least twice, one list
/// per number in order of first occurrence, positions ascending.
std::vector<std::vector<std::size_t>> ds_group_repeated_pedestal_numbers(const std::vector<CString>& numbers);

namespace merge_check_detail {
/// The counting done pairwise: each position still counting takes over every
/// other position with its number. Quadratic; the reference that
/// ds_count_pedestal_numbers is checked against.
std::vector<int> count_pedestal_numbers_pairwise(const std::vector<CString>& numbers);
/// The groups collected by scanning every position once per counted number,
/// from counts as count_pedestal_numbers_pairwise gives them.
std::vector<std::vector<std::size_t>> collect_groups_by_scanning(const std::vector<CString>& numbers,
                                                                 const std::vector<int>& counts);
}  // namespace merge_check_detail

}  // namespace VQDraw_DS_UINA
