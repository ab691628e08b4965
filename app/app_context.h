// What every ds-host command shares: the module it loads and the project it
// works on. The module is loaded on first use, before any node is created.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "app/module_loader.h"
#include "app/workspace.h"

namespace CLI {
class App;
}

namespace ds_app {

struct app_context {
    std::filesystem::path module_file = default_module_path();
    /// --force: write a project even when its load left entries unread, dropping them.
    bool save_damaged = false;

    /// Loads and attaches the module once.
    loaded_module& module();
    /// The project; destroyed before the module is unloaded.
    workspace& project();

    ~app_context();

private:
    std::unique_ptr<loaded_module> m_module;
    std::unique_ptr<workspace> m_project;
};

/// Each command adds itself to the command line.
void add_classes_command(CLI::App& app, app_context& context);
void add_demo_command(CLI::App& app, app_context& context);
void add_show_command(CLI::App& app, app_context& context);
/// new, add, list.
void add_project_commands(CLI::App& app, app_context& context);
/// reference, grid, draw, export, import, backfill.
void add_single_drawing_commands(CLI::App& app, app_context& context);
/// check, merge, convert, reference-list, csh-grid, csh-draw, dismantle.
void add_parametric_commands(CLI::App& app, app_context& context);
/// road, param-road.
void add_road_commands(CLI::App& app, app_context& context);

}  // namespace ds_app
