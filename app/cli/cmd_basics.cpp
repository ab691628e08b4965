// The first commands of ds-host: list the module's classes, round-trip a
// default pedestal drawing through a project file, show a project file.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstring>

#include "app/cli/commands.h"
#include "app/core/project/app_context.h"
#include "app/cli/report_terminal.h"
#include "app/core/project/node_view.h"
#include "host/afx/extension_module.h"
#include "host/framework/graph_data_base.h"
#include "host/project/project_file.h"

namespace ds_app {

namespace {

void list_classes(app_context& context, step_report& report)
{
    report.line("Module " + context.module().file().string() + " attached.");
    auto classes = afx_attached_module_classes();
    std::sort(classes.begin(), classes.end(),
              [](auto* a, auto* b) { return std::strcmp(a->m_lpszClassName, b->m_lpszClassName) < 0; });
    report.line("Registered classes (" + std::to_string(classes.size()) + "):");
    for (const CRuntimeClass* c : classes) {
        const CRuntimeClass* base = c->m_pfnGetBaseClass ? c->m_pfnGetBaseClass() : nullptr;
        report.line(std::string("  ") + c->m_lpszClassName + "  (base " + (base ? base->m_lpszClassName : "-") +
                    ", schema " + std::to_string(c->m_wSchema) + ")");
    }
}

void print_warnings(const std::vector<stream_diagnostic>& warnings, step_report& report)
{
    for (const auto& w : warnings) report.line("  " + to_string(w));
}

void run_demo(app_context& context, const std::filesystem::path& file)
{
    step_report report = terminal_report();
    list_classes(context, report);
    workspace& project = context.project();
    auto& created = dynamic_cast<graph_data_base&>(project.create("DS_ui_data", "垫石"));
    created.set_default_value();
    report.line("\nCreated " + node_heading(created) + " by its runtime class name and applied its defaults:");
    report.line(members_text(created));

    project.save(file);
    report.line("\nSaved the project to " + file.string() + ".");

    ds_project::loaded_project loaded = ds_project::load_project(file);
    auto* fresh = loaded.nodes.empty() ? nullptr : dynamic_cast<graph_data_base*>(loaded.nodes.front().get());
    if (!fresh) throw std::runtime_error("the saved project holds no drawing");
    report.line("Loaded it into a fresh " + node_heading(*fresh) + ".");
    print_warnings(loaded.warnings, report);

    std::vector<CString> differences;
    if (created.compare_graph_data(fresh, differences)) {
        report.line("The saved and the loaded drawing compare equal.");
        return;
    }
    report.line("The saved and the loaded drawing differ:");
    report.lines(differences);
    throw std::runtime_error("round trip through " + file.string() + " changed the drawing");
}

void run_show(app_context& context, const std::filesystem::path& file)
{
    step_report report = terminal_report();
    workspace& project = context.project();
    const auto warnings = project.load(file);
    report.line(file.string() + ": " + std::to_string(project.nodes().size()) + " node(s)");
    print_warnings(warnings, report);
    if (const auto unread = unread_entries(warnings); !unread.empty())
        report.line("damaged: " + std::to_string(unread.size()) +
                    " place(s) of the file hold entries this program did not read (a save would drop them) or "
                    "texts breaking their rules, so commands that write the project refuse unless given --accept-damaged");
    for (const auto& node : project.nodes()) {
        report.line("\n" + node_heading(*node));
        report.line(members_text(*node));
    }
}

}  // namespace

void add_classes_command(CLI::App& app, app_context& context)
{
    auto* cmd = app.add_subcommand("classes", "load the module and list the classes it registers");
    cmd->callback([&context] {
        step_report report = terminal_report();
        list_classes(context, report);
    });
}

void add_demo_command(CLI::App& app, app_context& context)
{
    auto* cmd = app.add_subcommand("demo", "create a default pedestal drawing, save it, load it back and compare");
    static std::filesystem::path file = "ds-demo-project.json";
    cmd->add_option("--project", file, "project file to write");
    cmd->callback([&context] { run_demo(context, file); });
}

void add_show_command(CLI::App& app, app_context& context)
{
    auto* cmd = app.add_subcommand("show", "load a project file and show its nodes");
    static std::filesystem::path file;
    cmd->add_option("project", file, "project file")->required();
    cmd->callback([&context] { run_show(context, file); });
}

}  // namespace ds_app
