// The wording of the bridge steps' reports, one for every door.
#pragma once

#include <string>
#include <vector>

#include "app/core/bridge/bridge_steps.h"
#include "app/core/project/step_report.h"

namespace ds_app {

/// Prints what an import, add, remove or new did: the file read, the
/// structures added, changed (field by field, old value first) and removed,
/// those kept, the drawings on the changed structures and whether each is
/// stale (with `refresh_hint`: how to bring them up to date), and what a
/// refresh changed.
void say_bridge_changes(const bridge_change_report& report, const std::string& refresh_hint, step_report& out);

/// Prints each refreshed drawing with the facility's difference lines.
void say_refreshes(const std::vector<drawing_refresh>& refreshes, step_report& out);

/// Prints, per structure, the drawings on it and their state.
void say_drawing_states(const std::vector<structure_drawings>& states, bool with_empty, step_report& out);

}  // namespace ds_app
