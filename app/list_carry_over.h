// Keeping what a parametric drawing's list rows hold beyond their table cells
// when the list comes back from a spreadsheet.
#pragma once

#include <cstddef>
#include <vector>

#include "host/framework/graph_data_base.h"

namespace ds_app {

/// A list row that found no row of the list before the import.
struct unmatched_list_row {
    std::size_t index;  ///< 0-based position in the imported list
    CString bridge_part;
    int number;
};

/// The table has four cells per list row (bridge part, pier or abutment
/// number, pedestal count, heights), and the module builds each imported row
/// from a default row, so type, kind, sizes, angle, position, notes and rebar
/// would fall back to the row defaults. For each row of `drawing`'s list whose
/// bridge part and number match a row of `before`'s list (the first one not
/// matched yet, in list order), every stored member the table has no cell for
/// is taken from that row. Works on the stored form (the project file's
/// members), the only view of the rows the host has. Gives back the rows that
/// matched nothing and keep the defaults. A drawing without a list is left alone.
std::vector<unmatched_list_row> carry_over_list_rows(graph_data_base& drawing, const graph_data_base& before);

}  // namespace ds_app
