// Size groups of a parametric pedestal list: which rows share one parameter
// group (one sheet) of the drawing.
//
// The rule, in list order: a row whose working count is positive starts a new
// group and takes every later row whose width, length and angle are each
// VQMATH::IsDoubleEqual to its own, whatever that later row's count. A taken
// row enters the group with its working count at that moment, and its working
// count then drops to 0, so it starts no group of its own. A row of count 0
// or less therefore only stands inside the group of an earlier row of its
// size, and nowhere if there is none.
//
// IsDoubleEqual is not transitive, and the rule always compares with the row
// that started the group. So a row can lie within the tolerance of two
// starters that are not within it of each other: it then joins both groups,
// the second time with the count 0 that the first one left it.
//
// ds_group_rows_by_size gives exactly the groups of that walk in O(n log n)
// instead of the walk's O(n^2): see its comment. The literal walk is kept in
// ds_csh_group_detail as the reference the fast one is checked against.
#pragma once

#include <cstddef>
#include <vector>

#include "data/ds_csh_records.h"

namespace VQDraw_DS_UINA {

/// One row of a size group: its position in the list and the count it entered with.
struct ds_csh_group_member {
    std::size_t row = 0;  ///< index into the list
    int count = 0;        ///< the row's working count when the group took it

    bool operator==(const ds_csh_group_member&) const = default;
};

/// The groups in the order of the rows that start them; each group lists its
/// members in list order, its starter first.
using ds_csh_groups = std::vector<std::vector<ds_csh_group_member>>;

/// The size groups of `rows`. Each row's size is placed in a cell of a grid
/// whose cells are twice the comparison tolerance wide, and the cells are
/// sorted; a starter then only looks at the rows of its own and the 26
/// neighbouring cells that come after it in the list, which are the only rows
/// that can be within the tolerance. Starters are pairwise not within the
/// tolerance of each other, so few of them share a cell, and every row is
/// looked at by a bounded number of starters: O(n log n) overall. A size that
/// is not a finite number equals nothing (IsDoubleEqual is false for it), so
/// such a row only ever holds itself.
ds_csh_groups ds_group_rows_by_size(const std::vector<DS_CSH_LB_Data>& rows);

namespace ds_csh_group_detail {
/// The walk taken literally: every starter compares itself with every later
/// row. Quadratic; the reference for ds_group_rows_by_size.
ds_csh_groups group_rows_by_scanning(const std::vector<DS_CSH_LB_Data>& rows);
}  // namespace ds_csh_group_detail

}  // namespace VQDraw_DS_UINA
