// Selection of pedestals on a referenced pier or abutment: split the
// structure's pedestals into the two rows and pick the requested ones.
#pragma once

#include <vector>

#include "host/substructure/ds_gz_data.h"

namespace VQDraw_DS_UINA {

/// The pedestals of a structure, by row: row 1 on the smaller-chainage side
/// (position 0 or less), row 2 on the larger-chainage side; drawing order kept.
struct ds_pedestal_rows {
    std::vector<ds_gz_data> row1;
    std::vector<ds_gz_data> row2;
};

/// Splits the pedestals into rows. On a one-sided support (row 1 empty, row 2
/// not) a request for row 1 alone means the only row there is.
ds_pedestal_rows ds_split_pedestal_rows(const std::vector<ds_gz_data>& pedestals, const std::vector<int>& rows);

/// For each requested row in order, each requested 1-based number in order:
/// the pedestal, when it exists. Repeats select again.
std::vector<ds_gz_data> ds_select_pedestals(const ds_pedestal_rows& split, const std::vector<int>& rows,
                                            const std::vector<int>& numbers);

}  // namespace VQDraw_DS_UINA
