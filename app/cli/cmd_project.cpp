// Project commands of ds-host: make a project on the sample bridge, add a
// pedestal drawing with its defaults, list what a project holds.
#include <memory>
#include <stdexcept>

#include "app/cli/bridge_cli.h"
#include "app/cli/commands.h"
#include "app/cli/command_support.h"
#include "app/cli/report_terminal.h"
#include "app/core/drawing/drawing_setup.h"
#include "app/core/project/node_view.h"
#include "app/core/project/shown_text.h"
#include "app/core/project/facts_step.h"

namespace ds_app {

namespace {

struct new_options {
    std::filesystem::path file;
    bool force = false;
    bool empty = false;
    std::filesystem::path bridge;  ///< a structure table; empty for the sample bridge
};

struct facts_options {
    std::filesystem::path file;
    std::vector<std::string> sets;
};

struct add_options {
    std::filesystem::path file;
    std::string name;
    bool parametric = false;
};

void report_nodes(const workspace& project, step_report& report)
{
    for (const auto& node : project.nodes()) report.line("  " + node_heading(*node));
}

void run_new(app_context& context, const new_options& options)
{
    std::error_code ec;
    if (!options.force && std::filesystem::exists(options.file, ec))
        throw project_file_exists(options.file);
    workspace& project = context.project();
    step_report report = terminal_report();
    if (!options.bridge.empty()) {
        const bridge_change_report changes = add_bridge_from_file(project, table_file_by_extension(options.bridge));
        say_bridge_changes(changes, "ds-host bridge refresh " + shown_utf8(options.file.string()), report);
        project.save(options.file);
        report.line("New project " + options.file.string() + " on the bridge of " + shown_utf8(options.bridge.string()) + ":");
    } else if (options.empty) {
        project.save(options.file);
        report.line("New project " + options.file.string() + " without structures (add them with: ds-host bridge import " +
                    options.file.string() + " --xlsx TABLE)");
    } else {
        project.add_sample_bridge();
        project.save(options.file);
        report.line("New project " + options.file.string() + " on the built-in sample bridge:");
    }
    report_nodes(project, report);
}

}  // namespace

void add_project_commands(CLI::App& app, app_context& context)
{
    auto made = std::make_shared<new_options>();
    auto* cmd = app.add_subcommand("new", "make a project file holding the built-in sample bridge");
    add_project_option(*cmd, made->file);
    cmd->add_flag("--force", made->force, "replace an existing file");
    auto* empty = cmd->add_flag("--empty", made->empty, "a project without structures instead of the sample bridge");
    cmd->add_option("--bridge", made->bridge, "the structures of a structure table (.xlsx or .csv) instead of the sample bridge")
        ->check(CLI::ExistingFile)
        ->excludes(empty);
    cmd->callback([&context, made] { run_new(context, *made); });

    auto added = std::make_shared<add_options>();
    cmd = app.add_subcommand("add", "add a pedestal drawing with its defaults");
    add_project_option(*cmd, added->file);
    cmd->add_option("-n,--name", added->name, "name of the new drawing")->required();
    cmd->add_flag("--parametric", added->parametric, "add a parametric (list) drawing instead of a single one");
    cmd->callback([&context, added] {
        on_project_file(context, added->file,
                        [&](workspace& project, step_report& report) {
                            add_pedestal_drawing(project, added->name, added->parametric, report);
                        });
    });

    auto facts = std::make_shared<facts_options>();
    cmd = app.add_subcommand("project", "show the project's facts for the title blocks; set them with --set");
    add_project_option(*cmd, facts->file);
    cmd->add_option("--set", facts->sets,
                    utf8_literal(u8"CAPTION=VALUE (repeat): 项目名称, 桥名, 图号前缀, 设计, 复核, 审核, 日期, 单位; "
                                 u8"an empty value clears the fact"));
    cmd->callback([&context, facts] {
        on_project_file(context, facts->file, [&](workspace& project, step_report& report) {
            if (!facts->sets.empty()) set_project_facts(project, facts->sets, report);
            const auto* node = project.first_of<project_facts_node>();
            report.line("project facts:");
            report_project_facts(node ? node->facts() : project_facts{}, report);
        });
    });

    auto listed = std::make_shared<std::filesystem::path>();
    cmd = app.add_subcommand("list", "list the nodes of a project: class, tag and name");
    add_project_option(*cmd, *listed);
    cmd->callback([&context, listed] {
        on_project_file(context, *listed, [](workspace& project, step_report& report) { report_nodes(project, report); });
    });
}

}  // namespace ds_app
