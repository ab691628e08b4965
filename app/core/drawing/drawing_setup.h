// Adding pedestal drawings to a project, as the host does when the user adds
// one: created by runtime class name, then given the drawing's defaults.
#pragma once

#include <string>

#include "app/core/project/step_report.h"
#include "app/core/project/workspace.h"
#include "host/framework/graph_data_base.h"

namespace ds_app {

/// Adds a single (or, with `parametric`, a parametric) pedestal drawing named
/// `name` (UTF-8) with its defaults and says so. Throws std::runtime_error when
/// the name is empty or taken.
graph_data_base& add_pedestal_drawing(workspace& project, const std::string& name, bool parametric,
                                      step_report& report);

}  // namespace ds_app
