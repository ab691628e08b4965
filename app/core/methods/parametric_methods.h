// The parametric road through the module's method classes: check and merge
// single drawings into a parametric one, add more with convert, rebuild a
// parametric drawing from referenced structures, and dismantle it again.
// Drawings are passed to the methods by their node tags, as the host does.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/core/project/step_report.h"
#include "app/core/project/workspace.h"
#include "host/framework/drawing_graph_data_base.h"
#include "host/framework/parameters_graph_data_base.h"

namespace ds_app {

/// Runs the merge check on `drawings` and reports its result and messages.
/// With a `target`, the module's convert check into it runs first and is
/// reported too; true only when both pass. The host adds the merge check to the
/// convert check because the module's convert check leads with the tag of the
/// target's shared rebar set, which names no single drawing here, so on its
/// own it never compares the drawings being added. True when the drawings may
/// be merged (converted).
bool run_merge_check(const std::vector<drawing_graph_data_base*>& drawings, step_report& report,
                     const parameters_graph_data_base* target = nullptr);

/// Checks, then merges `drawings` into a new parametric drawing that joins the
/// project (under a free name if its own is taken). Throws std::runtime_error
/// when the check or the merge refuses; the project is unchanged then.
parameters_graph_data_base& run_merge(workspace& project, const std::vector<drawing_graph_data_base*>& drawings,
                                      step_report& report);

/// Checks as run_merge_check with `target`, then adds the rows of `drawings`
/// to `target`. A failed check refuses the conversion (throws step_refused,
/// which override_id::force_convert passes) unless `force` is true: then the
/// rows are added anyway, after the messages.
void run_convert(parameters_graph_data_base& target, const std::vector<drawing_graph_data_base*>& drawings,
                 step_report& report, bool force = false);

/// Rebuilds `target`'s list from the pier and abutment drawings named
/// `structures` (UTF-8) and reports the changes.
void run_reference_list(parameters_graph_data_base& target, const std::vector<std::string>& structures,
                        step_report& report);

/// Splits `source` into single drawings that join the project (named by the
/// module, made unique), and reports them. Throws when the method refuses.
std::vector<drawing_graph_data_base*> run_dismantle(workspace& project, parameters_graph_data_base& source,
                                                   step_report& report);

}  // namespace ds_app
