// ds-host bridge: the engineer's piers and abutments as the structure table
// (墩台表), and the pedestal drawings on them. Every report of the bridge
// steps is worded here.
#include <memory>
#include <stdexcept>

#include "app/cli/bridge_cli.h"
#include "app/cli/command_support.h"
#include "app/cli/commands.h"
#include "app/core/bridge/bridge_steps.h"
#include "app/cli/report_terminal.h"
#include "app/core/project/shown_text.h"
#include "app/core/project/node_lookup.h"
#include "app/core/project/project_session.h"
#include "host/substructure/structure_columns.h"
#include "host/substructure/structure_table_file.h"

namespace ds_app {

namespace {

namespace st = structure_table;

void say_table(const std::vector<st::structure>& structures, step_report& out)
{
    const ds_spreadsheet::table cells = st::to_cells(structures);
    for (std::size_t r = 1; r < cells.size(); ++r) {
        CString line;
        for (std::size_t c = 0; c < cells[r].size(); ++c) line += (c ? " | " : "") + cells[r][c];
        out.narrow_line(line);
    }
}

/// The command that refreshes the project's stale drawings, as the reports name it.
std::string refresh_command(const std::filesystem::path& project)
{
    return "ds-host bridge refresh " + shown_utf8(project.string());
}

/// Runs a step on the project and saves it, or with `dry_run` says it was not written.
void on_project(app_context& context, const std::filesystem::path& file, bool dry_run,
                const std::function<void(workspace&, step_report&)>& step)
{
    step_report out = terminal_report();
    project_session session(context, file, out);
    step(session.project(), out);
    if (dry_run) out.line("\nDry run: project " + shown_utf8(file.string()) + " not written.");
    else session.finish(out);
}

struct import_options {
    std::filesystem::path project;
    table_file_options table;
    bridge_import_options step;
    bool dry_run = false;
};

void add_import_command(CLI::App& bridge, app_context& context)
{
    auto o = std::make_shared<import_options>();
    auto* cmd = bridge.add_subcommand("import", "bring the project's structures to a structure table: add and change (remove with --prune)");
    add_project_option(*cmd, o->project);
    o->table.add_to(*cmd, true);
    cmd->add_flag("--prune", o->step.prune, "remove the structures the table does not hold");
    cmd->add_flag("--refresh", o->step.refresh, "bring the drawings on changed structures up to date as well");
    cmd->add_flag("--force", o->step.force, "with --prune: remove structures that drawings refer to");
    cmd->add_flag("--dry-run", o->dry_run, "print the differences but do not save the project");
    cmd->callback([&context, o] {
        on_project(context, o->project, o->dry_run, [&](workspace& project, step_report& out) {
            say_bridge_changes(run_bridge_import(project, o->table.file(), o->step), refresh_command(o->project), out);
        });
    });
}

void add_export_command(CLI::App& bridge, app_context& context)
{
    auto o = std::make_shared<import_options>();
    auto* cmd = bridge.add_subcommand("export", "write the project's structures as a structure table");
    add_project_option(*cmd, o->project);
    o->table.add_to(*cmd, false);
    cmd->callback([&context, o] {
        step_report out = terminal_report();
        project_session session(context, o->project, out);
        const std::size_t lines = run_bridge_export(session.project(), o->table.file());
        out.line("exported " + std::to_string(lines) + " lines (pedestal rows) to " + shown_utf8(o->table.file().path.string()));
    });
}

/// One structure from options, as lines of the table under its captions.
struct structure_options {
    std::filesystem::path project;
    std::vector<std::string> values = std::vector<std::string>(st::column_count);
    std::vector<int> rows = {1, 2};
};

void add_add_command(CLI::App& bridge, app_context& context)
{
    auto o = std::make_shared<structure_options>();
    auto* cmd = bridge.add_subcommand("add", "add one structure (its pedestal rows alike but for their row number)");
    add_project_option(*cmd, o->project);
    const struct {
        const char* option;
        std::size_t column;
        bool required;
    } options[] = {{"--part", st::col_part, true},       {"--number", st::col_number, true},
                   {"--type", st::col_type, true},       {"--concrete", st::col_concrete, false},
                   {"--scale", st::col_scale, false},    {"--cover", st::col_cover, false},
                   {"--position", st::col_position, true}, {"--count", st::col_count, true},
                   {"--width", st::col_width, true},     {"--length", st::col_length, true},
                   {"--heights", st::col_heights, true}, {"--angle", st::col_angle, false},
                   {"--note", st::col_note, false}};
    for (const auto& entry : options) {
        const char* default_text = st::column_layout()[entry.column].default_text;
        o->values[entry.column] = default_text ? default_text : "";  // ASCII: the same in either charset
        auto* option = cmd->add_option(entry.option, o->values[entry.column], shown(st::column_caption(entry.column)));
        if (entry.required) option->required();
    }
    cmd->add_option("--rows", o->rows, utf8_literal(u8"垫石排号 of the rows to add: 1 (smaller chainage), 2 (larger)"))
        ->delimiter(',');
    cmd->callback([&context, o] {
        ds_spreadsheet::table lines{st::column_captions()};
        for (int row : o->rows) {
            std::vector<CString> cells;
            for (std::size_t c = 0; c < st::column_count; ++c)
                cells.push_back(c == st::col_row ? CString(std::to_string(row).c_str()) : narrow_argument(o->values[c], "option"));
            lines.push_back(std::move(cells));
        }
        on_project_file(context, o->project, [&](workspace& project, step_report& out) {
            say_bridge_changes(run_bridge_add(project, lines, "the command line (line 2 is the first row added)"),
                               refresh_command(o->project), out);
        });
    });
}

void add_remove_command(CLI::App& bridge, app_context& context)
{
    struct options {
        std::filesystem::path project;
        std::string structure;
        bool force = false;
    };
    auto o = std::make_shared<options>();
    auto* cmd = bridge.add_subcommand("remove", "remove one structure (refused while drawings refer to it, unless --force)");
    add_project_option(*cmd, o->project);
    cmd->add_option("-s,--structure", o->structure, utf8_literal(u8"the structure, e.g. 右幅3号墩"))->required();
    cmd->add_flag("--force", o->force, "remove it although drawings refer to it (they keep what they copied)");
    cmd->callback([&context, o] {
        on_project_file(context, o->project, [&](workspace& project, step_report& out) {
            say_bridge_changes(run_bridge_remove(project, o->structure, o->force), refresh_command(o->project), out);
        });
    });
}

void add_show_refresh_drawings(CLI::App& bridge, app_context& context)
{
    auto shown_file = std::make_shared<std::filesystem::path>();
    auto* cmd = bridge.add_subcommand("show", "print the structure table and the drawings on each structure");
    add_project_option(*cmd, *shown_file);
    cmd->callback([&context, shown_file] {
        on_project_file(context, *shown_file, [](workspace& project, step_report& out) {
            say_table(bridge_structures(project), out);
            out.line("\ndrawings on the structures:");
            say_drawing_states(bridge_drawing_states(project), true, out);
        });
    });

    struct refresh_options {
        std::filesystem::path project;
        bool dry_run = false;
    };
    auto r = std::make_shared<refresh_options>();
    cmd = bridge.add_subcommand("refresh", "bring every stale drawing up to date through the reference facility");
    add_project_option(*cmd, r->project);
    cmd->add_flag("--dry-run", r->dry_run, "print what would change but do not save the project");
    cmd->callback([&context, r] {
        on_project(context, r->project, r->dry_run, [](workspace& project, step_report& out) { say_refreshes(run_bridge_refresh(project), out); });
    });

    struct drawings_options {
        std::filesystem::path project;
        bool single = false;
        bool parametric = false;
    };
    auto d = std::make_shared<drawings_options>();
    cmd = bridge.add_subcommand("drawings", "add pedestal drawings on the structures: a single drawing per pedestal row, or one parametric drawing");
    add_project_option(*cmd, d->project);
    auto* single = cmd->add_flag("--single", d->single, "a single drawing for each structure row that has none");
    auto* parametric = cmd->add_flag("--parametric", d->parametric, "one parametric drawing listing every structure");
    single->excludes(parametric);
    cmd->callback([&context, d] {
        if (!d->single && !d->parametric) throw CLI::ValidationError("drawings", "give --single or --parametric");
        on_project_file(context, d->project, [&](workspace& project, step_report& out) {
            const bridge_drawings_report report =
                d->single ? run_bridge_single_drawings(project) : run_bridge_parametric_drawing(project);
            for (const CString& name : report.added) out.line("added " + shown(name));
            for (const std::string& m : report.messages) out.line("message: " + m);
            out.line(std::to_string(report.added.size()) + " drawing(s) added; " + std::to_string(report.already) +
                     (d->single ? " structure row(s) had one already" : " built from the structures was there already"));
        });
    });
}

void add_example_command(CLI::App& bridge)
{
    auto file = std::make_shared<std::filesystem::path>();
    auto* cmd = bridge.add_subcommand("example", "write the structure table of a small example bridge (.xlsx or .csv) to edit");
    cmd->add_option("table", *file, "the table file to write")->required();
    cmd->callback([file] {
        const sheet_file table = table_file_by_extension(*file);
        st::write_file(table.path, *table.format, example_bridge());
        terminal_report().line("wrote the example bridge (two carriageways, 12 structures) to " + shown_utf8(file->string()));
    });
}

}  // namespace

void add_bridge_commands(CLI::App& app, app_context& context)
{
    auto* bridge = app.add_subcommand("bridge", utf8_literal(u8"the bridge's piers and abutments as a structure table (墩台表), and the drawings on them"));
    bridge->require_subcommand(1);
    add_show_refresh_drawings(*bridge, context);
    add_export_command(*bridge, context);
    add_import_command(*bridge, context);
    add_add_command(*bridge, context);
    add_remove_command(*bridge, context);
    add_example_command(*bridge);
}

}  // namespace ds_app
