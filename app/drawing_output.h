// Drawing output of a pedestal drawing through its drawing strategy: the
// drawing component with the input record it was built from.
#pragma once

#include <memory>

#include "app/sheet_output.h"
#include "host/framework/graph_data_base.h"
#include "host/ui_base/graph_drawing_strategy_base.h"

namespace ds_app {

/// The strategy the host makes for the drawing's class (single or
/// parametric), attached to the drawing.
std::unique_ptr<graph_drawing_strategy_base> strategy_for(graph_data_base& drawing);

/// Has the drawing's strategy produce its component, prints the input record
/// the component received, then lets the component design itself, make its
/// sheets and list its materials, and prints what came of each; the sheets go
/// to `sheets` when given. Throws std::runtime_error when the strategy gives no
/// component.
void run_draw(graph_data_base& drawing, sheet_output* sheets = nullptr);

/// run_draw with the sheets written into `folders` (and the HTML page, titled
/// after the drawing, when asked for).
void draw_with_sheets(graph_data_base& drawing, const sheet_folders& folders);

}  // namespace ds_app
