// Drawing output of a pedestal drawing through its drawing strategy: the
// drawing component with the input record it was built from.
#pragma once

#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "app/core/drawing/sheet_output.h"
#include "host/drawing_lib/rx_component_dsgj.h"
#include "host/framework/graph_data_base.h"
#include "host/ui_base/graph_drawing_strategy_base.h"

namespace ds_app {

/// The strategy the host makes for the drawing's class (single or
/// parametric), attached to the drawing.
std::unique_ptr<graph_drawing_strategy_base> strategy_for(graph_data_base& drawing);

/// What the title blocks say beyond the drawing itself (UTF-8 options).
struct title_options {
    std::string project, date, designer, checker, approver;
};
/// --project-name, --date, --designer, --checker, --approver on `command`.
void add_title_options(CLI::App& command, title_options& titles);
/// Keeps the title options of this run and applies them (apply_project_titles).
void apply_title_options(const title_options& titles);
/// Hands the title block fields to the drawing library: the project's facts
/// (current_project_facts), each overridden by the run's option when given;
/// a date neither gives is today's (UTC).
void apply_project_titles();

/// The cover of the drawing's settings ("保护层厚度(mm)"), mm; 0 when it holds none.
double drawing_cover(const graph_data_base& drawing);

/// A drawing's component as the host draws it: made by the drawing's
/// strategy with the drawing's cover handed to the drawing library on this
/// thread (0 means not given, and the library's default applies), and a
/// single drawing's pedestals given the position the drawing keeps beside
/// the strategy's record. `pedestal` is null when the component is not a
/// pedestal rebar component, `owner` when the strategy made none. A thread
/// that designs the component later hands `cover` over again.
struct drawing_component {
    std::shared_ptr<RXDSGNMOD::CRXComponent> owner;
    VQDraw_DS_GJNA::CRXComponent_DSGJ* pedestal = nullptr;
    double cover = 0.0;
};
drawing_component component_for(graph_data_base& drawing);

/// Has component_for make the drawing's component, reports the input record
/// the component received, then lets the component design itself, make its
/// sheets and list its materials, and reports what came of each; the sheets go
/// to `sheets` when given. Throws std::runtime_error when the strategy gives no
/// component. Returns false when the component's design check failed.
bool run_draw(graph_data_base& drawing, step_report& report, sheet_output* sheets = nullptr);

/// run_draw with the sheets written into `folders` (and the HTML page, titled
/// after the drawing, when asked for); a failed design check is then refused
/// (step_refused), its findings sheet written.
void draw_with_sheets(graph_data_base& drawing, const sheet_folders& folders, step_report& report);

}  // namespace ds_app
