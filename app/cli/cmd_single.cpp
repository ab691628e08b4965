// Commands of the single-drawing road: refer to a pier or abutment, edit in
// the grids, draw, exchange with a spreadsheet, back-fill the user grid row.
#include <memory>
#include <stdexcept>

#include "app/cli/commands.h"
#include "app/cli/command_support.h"
#include "app/cli/report_terminal.h"
#include "app/core/project/shown_text.h"
#include "app/core/drawing/drawing_output.h"
#include "app/core/project/project_session.h"
#include "app/core/exchange/spreadsheet_exchange.h"
#include "app/core/grid/grid_session.h"
#include "app/core/project/node_lookup.h"
#include "app/core/methods/reference_facility.h"
#include "app/core/project/runtime_objects.h"

namespace ds_app {

namespace {

struct reference_options {
    std::filesystem::path file;
    optional_text drawing;
    std::string structure;
    optional_text rows;
    optional_text numbers;
};

struct grid_options {
    std::filesystem::path file;
    optional_text drawing;
    std::string mode = "advanced";
    edit_options edits;
};

struct drawing_options {
    std::filesystem::path file;
    optional_text drawing;
    std::vector<std::string> entries;
    sheet_folders folders;
    title_options titles;
};

void add_reference_command(CLI::App& app, app_context& context)
{
    auto o = std::make_shared<reference_options>();
    auto* cmd = app.add_subcommand("reference", "let a single drawing take its geometry from a pier or abutment drawing");
    add_project_option(*cmd, o->file);
    add_drawing_option(*cmd, o->drawing);
    cmd->add_option("-s,--structure", o->structure, utf8_literal(u8"name of the pier or abutment drawing, e.g. 主线1号墩"))->required();
    o->rows.option = cmd->add_option("--rows", o->rows.text, utf8_literal(u8"condition 垫石排号: pedestal rows (1 smaller, 2 larger chainage side)"));
    o->numbers.option = cmd->add_option("--numbers", o->numbers.text, utf8_literal(u8"condition 垫石编号: pedestal numbers within a row"));
    cmd->callback([&context, o] {
        on_project_file(context, o->file, [&](workspace& project, step_report& report) {
            drawing_graph_data_base& drawing = find_single_drawing(project, o->drawing.get());
            if (!run_reference(drawing, o->structure, {o->rows.get(), o->numbers.get()}, report))
                throw std::runtime_error("the drawing took nothing from \"" + o->structure +
                                         "\" under these conditions; the project is unchanged");
        });
    });
}

void add_grid_command(CLI::App& app, app_context& context)
{
    auto o = std::make_shared<grid_options>();
    auto* cmd = app.add_subcommand("grid", "show a single drawing in the common or advanced grid; apply and save edits");
    add_project_option(*cmd, o->file);
    add_drawing_option(*cmd, o->drawing);
    cmd->add_option("-m,--mode", o->mode, "grid mode")->check(CLI::IsMember({"common", "advanced"}));
    o->edits.add_to(*cmd);
    cmd->callback([&context, o] {
        const std::vector<table_edit> edits = o->edits.collect();
        on_project_file(context, o->file, [&](workspace& project, step_report& report) {
            drawing_graph_data_base& drawing = find_single_drawing(project, o->drawing.get());
            run_grid(drawing, o->mode == "common" ? grid_mode::common : grid_mode::advanced, edits, report, true,
                     context.save_damaged);
        });
    });
}

void add_draw_command(CLI::App& app, app_context& context)
{
    auto o = std::make_shared<drawing_options>();
    auto* cmd = app.add_subcommand("draw", "produce the drawing component of a pedestal drawing (single or parametric)");
    add_project_option(*cmd, o->file);
    add_drawing_option(*cmd, o->drawing);
    add_sheet_options(*cmd, o->folders);
    add_title_options(*cmd, o->titles);
    cmd->callback([&context, o] {
        apply_title_options(o->titles);
        on_project_file(context, o->file, [&](workspace& project, step_report& report) {
            draw_with_sheets(find_pedestal_drawing(project, o->drawing.get()), o->folders, report);
        });
    });
}

struct exchange_options {
    std::filesystem::path file;
    optional_text drawing;
    /// The file given for each of ds_spreadsheet::spreadsheet_formats(), in their order.
    std::vector<std::filesystem::path> files = std::vector<std::filesystem::path>(ds_spreadsheet::spreadsheet_formats().size());
    std::string encoding;
    std::string sheet_name;
    bool as_table = false;
    bool dry_run = false;
    bool force = false;
    bool all = false;

    /// The one file given (the options require exactly one).
    sheet_file sheet() const { return chosen_sheet_file(files, encoding, sheet_name); }
};

/// Every pedestal drawing of the project, in project order.
std::vector<graph_data_base*> pedestal_drawings(const workspace& project)
{
    std::vector<graph_data_base*> drawings;
    for (const auto& node : project.nodes())
        if (is_of_class(*node, module_class::single_drawing) || is_of_class(*node, module_class::parametric_drawing))
            drawings.push_back(&dynamic_cast<graph_data_base&>(*node));
    return drawings;
}

/// --csv FILE or --xlsx FILE (an option for each spreadsheet format), exactly one.
void add_sheet_options(CLI::App& command, exchange_options& o, bool reading)
{
    const auto& formats = ds_spreadsheet::spreadsheet_formats();
    std::string choice = "exactly one of";
    for (std::size_t i = 0; i < formats.size(); ++i)
        choice += std::string(i == 0 ? " --" : i + 1 == formats.size() ? " and --" : ", --") + std::string(formats[i].name);
    CLI::Option_group* sheet = command.add_option_group("spreadsheet file", choice);
    for (std::size_t i = 0; i < formats.size(); ++i) {
        CLI::Option* file = sheet->add_option("--" + std::string(formats[i].name), o.files[i],
                                              std::string(reading ? formats[i].read_help : formats[i].write_help));
        if (reading) file->check(CLI::ExistingFile);
    }
    sheet->require_option(1);
}

void add_exchange_commands(CLI::App& app, app_context& context)
{
    auto o = std::make_shared<exchange_options>();
    auto* cmd = app.add_subcommand("export", "export a pedestal drawing's spreadsheet table to a CSV or XLSX file");
    add_project_option(*cmd, o->file);
    add_drawing_option(*cmd, o->drawing);
    add_sheet_options(*cmd, *o, false);
    cmd->add_flag("--all", o->all, "every pedestal drawing into one XLSX workbook, a sheet each (named after the drawing)")
        ->excludes(o->drawing.option);
    cmd->callback([&context, o] {
        if (o->all && !o->sheet().format->workbook)
            throw CLI::ValidationError("--all", "writes one XLSX workbook; give --xlsx FILE");
        on_project_file(context, o->file, [&](workspace& project, step_report& report) {
            if (o->all) run_export_all(pedestal_drawings(project), o->sheet().path, report);
            else run_export(find_pedestal_drawing(project, o->drawing.get()), o->sheet(), report);
        });
    });

    auto i = std::make_shared<exchange_options>();
    cmd = app.add_subcommand("import", "import a pedestal drawing's spreadsheet table from a CSV or XLSX file");
    add_project_option(*cmd, i->file);
    add_drawing_option(*cmd, i->drawing);
    add_sheet_options(*cmd, *i, true);
    cmd->add_option("--encoding", i->encoding, "charset of the CSV file (default: UTF-8, or GBK when it is not UTF-8)")
        ->check(CLI::IsMember({"utf-8", "gbk"}));
    cmd->add_flag("--as-table", i->as_table,
                  "keep only what the table holds: list rows lose the fields the table has no cells for");
    cmd->add_option("--sheet", i->sheet_name, "XLSX: the sheet to read (default: the one named after the drawing)");
    cmd->add_flag("--dry-run", i->dry_run, "print the changes but do not save the project");
    cmd->add_flag("--force", i->force, "import a file exported from another drawing");
    cmd->callback([&context, i] {
        const sheet_file given = i->sheet();
        if (!given.format->takes_charset && !i->encoding.empty())
            throw CLI::ValidationError("--encoding", "applies to a CSV file; a workbook's text is always UTF-8");
        if (!given.format->workbook && !i->sheet_name.empty()) throw CLI::ValidationError("--sheet", "applies to an XLSX workbook");
        step_report report = terminal_report();
        project_session session(context, i->file, report);
        run_import(find_pedestal_drawing(session.project(), i->drawing.get()), i->sheet(), report,
                   {i->as_table, i->force});
        if (i->dry_run) report.line("\nDry run: project " + i->file.string() + " not written.");
        else session.finish(report);
    });
}

void add_backfill_command(CLI::App& app, app_context& context)
{
    auto o = std::make_shared<drawing_options>();
    auto* cmd = app.add_subcommand("backfill", "let a single drawing fill the reference facility's user grid row");
    add_project_option(*cmd, o->file);
    add_drawing_option(*cmd, o->drawing);
    cmd->add_option("--row", o->entries, "an entry the row holds beforehand, CAPTION=TEXT (repeatable)");
    cmd->callback([&context, o] {
        on_project_file(context, o->file, [&](workspace& project, step_report& report) {
            run_backfill(find_single_drawing(project, o->drawing.get()), o->entries, report);
        });
    });
}

}  // namespace

void add_single_drawing_commands(CLI::App& app, app_context& context)
{
    add_reference_command(app, context);
    add_grid_command(app, context);
    add_draw_command(app, context);
    add_exchange_commands(app, context);
    add_backfill_command(app, context);
}

}  // namespace ds_app
