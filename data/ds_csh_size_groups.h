// Grouping of pier and abutment drawings by the size of their first pedestal,
// so that one parametric pedestal drawing can serve each group.
//
// The groups follow the distinct widths (outer) and, within a width, the
// distinct lengths (inner), each in the order the host's reduction to
// distinct values leaves them; a group lists its nodes in the given order.
// Sizes are equal within VQMATH::IsDoubleEqual, so a node whose size lies
// within the tolerance of two distinct values belongs to both groups.
#pragma once

#include <vector>

#include "host/framework/data_node_base.h"

namespace VQDraw_DS_UINA {

/// A structure node with the size of its first pedestal.
struct ds_size_candidate {
    data_node_base* node = nullptr;
    double width = 0.0;   ///< transverse width of the first pedestal
    double length = 0.0;  ///< longitudinal length of the first pedestal
};

/// The nodes that are substructure drawings with at least one pedestal, in order.
std::vector<ds_size_candidate> ds_collect_size_candidates(const std::vector<data_node_base*>& nodes);

/// Groups the candidates by size: each candidate is placed by looking its
/// width and length up among the sorted distinct values, O(n log n) for n
/// candidates when sizes are well apart.
std::vector<std::vector<data_node_base*>> ds_group_by_first_pedestal_size(
    const std::vector<ds_size_candidate>& candidates);

namespace size_group_detail {
/// The same grouping by direct scan: every distinct width with every distinct
/// length, each pair scanning all candidates (first pedestal fetched again).
/// Kept as the reference the indexed grouping is checked against.
std::vector<std::vector<data_node_base*>> group_by_scanning(const std::vector<ds_size_candidate>& candidates);
}  // namespace size_group_detail

}  // namespace VQDraw_DS_UINA
