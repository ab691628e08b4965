// Splitting a structure's pedestals into the two rows by position, and picking
// the pedestals the chosen rows and numbers name.
#include "reference/ds_reference_conditions.h"

namespace VQDraw_DS_UINA {

ds_pedestal_rows ds_split_pedestal_rows(const std::vector<ds_gz_data>& pedestals, const std::vector<int>& rows)
{
    ds_pedestal_rows split;
    for (const ds_gz_data& p : pedestals) (p.m_dPos <= 0.0 ? split.row1 : split.row2).push_back(p);
    const bool only_row_one = rows.size() == 1 && rows.front() == 1;
    if (only_row_one && split.row1.empty() && !split.row2.empty()) split.row1.swap(split.row2);
    return split;
}

std::vector<ds_gz_data> ds_select_pedestals(const ds_pedestal_rows& split, const std::vector<int>& rows,
                                            const std::vector<int>& numbers)
{
    std::vector<ds_gz_data> selected;
    for (int row : rows) {
        const std::vector<ds_gz_data>* list = row == 1 ? &split.row1 : row == 2 ? &split.row2 : nullptr;
        if (!list) continue;
        for (int k : numbers)
            if (k >= 1 && static_cast<std::size_t>(k) <= list->size()) selected.push_back((*list)[k - 1]);
    }
    return selected;
}

}  // namespace VQDraw_DS_UINA
