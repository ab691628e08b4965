// Rows of a parametric pedestal drawing built from single pedestal drawings:
// the one road by which both the merge and the convert method fill a list.
#pragma once

#include <vector>

#include "data/ds_ui_csh_data.h"
#include "data/ds_ui_data.h"
#include "host/substructure/common_gj_data_drawset.h"

namespace VQDraw_DS_UINA {

/// Appends to `target` the rows that one merge-information record of
/// `source` stands for: one row per pier or abutment number, each counting
/// (pedestal numbers) x (pedestal rows) pedestals. A record without bridge
/// part and without numbers gives one row numbered 0 with one pedestal.
/// The source's scale, concrete type and custom note go to the target's
/// shared settings, and the target is marked as merged.
void ds_append_rows_from_merge_info(DS_ui_CSH_data& target, const DS_ui_data& source,
                                    const single_part_gj_merge_info& info);

/// Appends the rows of every merge-information record of every identifier
/// that the data centre resolves to a single pedestal drawing, in order.
/// Other identifiers are skipped without a message.
void ds_append_rows_from_single_graphs(DS_ui_CSH_data& target, const std::vector<CString>& graphs);

}  // namespace VQDraw_DS_UINA
