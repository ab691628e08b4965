// Commands of the parametric road: check, merge and convert single drawings,
// rebuild a parametric drawing from structures, show its grid, draw it and
// dismantle it into single drawings.
#include <memory>
#include <stdexcept>

#include "app/cli/commands.h"
#include "app/cli/command_support.h"
#include "app/core/drawing/drawing_output.h"
#include "app/core/grid/grid_session.h"
#include "app/core/project/node_lookup.h"
#include "app/core/methods/parametric_methods.h"

namespace ds_app {

namespace {

struct method_options {
    std::filesystem::path file;
    std::vector<std::string> drawings;
    optional_text target;
    std::vector<std::string> structures;
    edit_options edits;
    bool force = false;
};

/// --drawings NAME,NAME,... (or repeated).
void add_drawings_option(CLI::App& command, std::vector<std::string>& names)
{
    command.add_option("--drawings", names, "names of single drawings, separated by commas")
        ->required()
        ->delimiter(',');
}

void add_check_command(CLI::App& app, app_context& context)
{
    auto o = std::make_shared<method_options>();
    auto* cmd = app.add_subcommand("check", "check whether single drawings can be merged (or converted into --target)");
    add_project_option(*cmd, o->file);
    add_drawings_option(*cmd, o->drawings);
    o->target.option = cmd->add_option("--target", o->target.text, "parametric drawing to convert into");
    cmd->callback([&context, o] {
        on_project_file(context, o->file, [&](workspace& project, step_report& report) {
            const auto drawings = find_single_drawings(project, o->drawings);
            const parameters_graph_data_base* target =
                o->target.get() ? &find_parametric_drawing(project, o->target.get()) : nullptr;
            if (!run_merge_check(drawings, report, target))
                throw std::runtime_error("the check failed (see the check messages)");
        });
    });
}

void add_merge_commands(CLI::App& app, app_context& context)
{
    auto m = std::make_shared<method_options>();
    auto* cmd = app.add_subcommand("merge", "check and merge single drawings into a new parametric drawing");
    add_project_option(*cmd, m->file);
    add_drawings_option(*cmd, m->drawings);
    cmd->callback([&context, m] {
        on_project_file(context, m->file, [&](workspace& project, step_report& report) {
            run_merge(project, find_single_drawings(project, m->drawings), report);
        });
    });

    auto c = std::make_shared<method_options>();
    cmd = app.add_subcommand("convert", "check and add the rows of single drawings to a parametric drawing");
    add_project_option(*cmd, c->file);
    c->target.option = cmd->add_option("--target", c->target.text, "parametric drawing to add to")->required();
    add_drawings_option(*cmd, c->drawings);
    cmd->add_flag("--force", c->force, "convert even when the drawings being added fail the check");
    cmd->callback([&context, c] {
        on_project_file(context, c->file, [&](workspace& project, step_report& report) {
            run_convert(find_parametric_drawing(project, c->target.get()), find_single_drawings(project, c->drawings),
                        report, c->force);
        });
    });
}

void add_reference_list_command(CLI::App& app, app_context& context)
{
    auto o = std::make_shared<method_options>();
    auto* cmd = app.add_subcommand("reference-list", "rebuild a parametric drawing's list from pier and abutment drawings");
    add_project_option(*cmd, o->file);
    add_drawing_option(*cmd, o->target);
    cmd->add_option("--structures", o->structures, "names of pier and abutment drawings, separated by commas")
        ->required()
        ->delimiter(',');
    cmd->callback([&context, o] {
        on_project_file(context, o->file, [&](workspace& project, step_report& report) {
            run_reference_list(find_parametric_drawing(project, o->target.get()), o->structures, report);
        });
    });
}

void add_csh_commands(CLI::App& app, app_context& context)
{
    auto g = std::make_shared<method_options>();
    auto* cmd = app.add_subcommand("csh-grid", "show a parametric drawing in its grid; apply and save edits");
    add_project_option(*cmd, g->file);
    add_drawing_option(*cmd, g->target);
    g->edits.add_to(*cmd);
    auto as_table = std::make_shared<bool>(false);
    cmd->add_flag("--as-table", *as_table,
                  "keep the module's result alone: list rows hold only what the table has columns for");
    cmd->callback([&context, g, as_table] {
        const std::vector<table_edit> edits = g->edits.collect();
        on_project_file(context, g->file, [&](workspace& project, step_report& report) {
            run_grid(find_parametric_drawing(project, g->target.get()), grid_mode::parametric, edits, report, true,
                     context.save_damaged, *as_table);
        });
    });

    auto d = std::make_shared<method_options>();
    cmd = app.add_subcommand("csh-draw", "produce the drawing component of a parametric drawing");
    add_project_option(*cmd, d->file);
    add_drawing_option(*cmd, d->target);
    auto folders = std::make_shared<sheet_folders>();
    add_sheet_options(*cmd, *folders);
    auto titles = std::make_shared<title_options>();
    add_title_options(*cmd, *titles);
    cmd->callback([&context, d, folders, titles] {
        apply_title_options(*titles);
        on_project_file(context, d->file, [&](workspace& project, step_report& report) {
            draw_with_sheets(find_parametric_drawing(project, d->target.get()), *folders, report);
        });
    });

    auto s = std::make_shared<method_options>();
    cmd = app.add_subcommand("dismantle", "split a parametric drawing into single drawings");
    add_project_option(*cmd, s->file);
    add_drawing_option(*cmd, s->target);
    cmd->callback([&context, s] {
        on_project_file(context, s->file, [&](workspace& project, step_report& report) {
            run_dismantle(project, find_parametric_drawing(project, s->target.get()), report);
        });
    });
}

}  // namespace

void add_parametric_commands(CLI::App& app, app_context& context)
{
    add_check_command(app, context);
    add_merge_commands(app, context);
    add_reference_list_command(app, context);
    add_csh_commands(app, context);
}

}  // namespace ds_app
