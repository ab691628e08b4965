// The host's reference facility, headless: a single pedestal drawing takes its
// geometry from a pier or abutment drawing under selection conditions, and
// gives its data back to the facility's user grid row.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/core/project/step_report.h"
#include "host/framework/drawing_graph_data_base.h"
#include "host/framework/xbjg_graph_data_base.h"

namespace ds_app {

/// Selection conditions as the user gives them; an absent one is left out of
/// the conditions, so the drawing applies its own default.
struct reference_conditions {
    std::optional<std::string> rows;     ///< "垫石排号": pedestal rows, e.g. "1,2"
    std::optional<std::string> numbers;  ///< "垫石编号": pedestal numbers within a row
};

/// Lets `drawing` refer to the structure named `structure_name` (UTF-8) and
/// reports each step: the types the drawing can refer to, the conditions, the
/// result, the host messages and the changes. On success the facility records
/// the reference (the drawing's external reference tag) and completes the
/// drawing's last merge record (see complete_last_merge_record). Returns the
/// drawing's answer; throws std::runtime_error for an unknown structure.
bool run_reference(drawing_graph_data_base& drawing, const std::string& structure_name,
                   const reference_conditions& conditions, step_report& report);

/// The merge record that a drawing appends when it refers to a structure
/// carries the pedestal rows and numbers only. Like the host's facility, this
/// fills its structure type text, bridge part and structure number from
/// `structure` where they are empty, so that merging the drawing later knows
/// which structure it serves. The drawing is reached through its serialized
/// members only: the record is the host's common drawing settings record, so
/// its layout is the host's own. True when something was filled in.
bool complete_last_merge_record(graph_data_base& drawing, const xbjg_graph_data_base& structure);

/// Reports the user grid row before and after the drawing back-fills it.
/// `entries` are the row's entries beforehand, each "CAPTION=TEXT" (UTF-8).
void run_backfill(const drawing_graph_data_base& drawing, const std::vector<std::string>& entries,
                  step_report& report);

}  // namespace ds_app
