// The commands of ds-host's command line. Each adds itself, with its options
// and its action, to the program's CLI11 application; main() calls them in
// the order help lists them.
#pragma once

namespace CLI {
class App;
}

namespace ds_app {

struct app_context;

void add_classes_command(CLI::App& app, app_context& context);
void add_demo_command(CLI::App& app, app_context& context);
void add_show_command(CLI::App& app, app_context& context);
/// new, add, project, list.
void add_project_commands(CLI::App& app, app_context& context);
/// reference, grid, draw, export, import, backfill.
void add_single_drawing_commands(CLI::App& app, app_context& context);
/// check, merge, convert, reference-list, csh-grid, csh-draw, dismantle.
void add_parametric_commands(CLI::App& app, app_context& context);
/// sheets: the project's numbered set of sheets.
void add_sheets_command(CLI::App& app, app_context& context);
/// road, param-road.
void add_road_commands(CLI::App& app, app_context& context);
/// bridge show, export, import, add, remove, refresh, drawings, example.
void add_bridge_commands(CLI::App& app, app_context& context);
/// serve: the local page where a project's drawings are edited beside their sheets.
void add_serve_command(CLI::App& app, app_context& context);

}  // namespace ds_app
