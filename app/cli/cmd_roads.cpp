// The two guided runs of ds-host on the built-in sample bridge: "road" takes
// one single pedestal drawing from creation to drawing, spreadsheet and back,
// "param-road" merges single drawings into a parametric one and splits it
// again. Each step is one of the commands' own steps, printed as it runs.
#include <stdlib.h>

#include <memory>
#include <stdexcept>

#include "app/cli/commands.h"
#include "app/cli/command_support.h"
#include "app/cli/report_terminal.h"
#include "app/core/drawing/drawing_output.h"
#include "app/core/drawing/drawing_setup.h"
#include "app/core/grid/grid_session.h"
#include "app/core/project/node_lookup.h"
#include "app/core/project/node_view.h"
#include "app/core/methods/parametric_methods.h"
#include "app/core/methods/reference_facility.h"
#include "app/core/project/shown_text.h"
#include "app/core/exchange/spreadsheet_exchange.h"
#include "host/project/project_file.h"
#include "host/spreadsheet/csv_table.h"

namespace ds_app {

namespace {

struct road_options {
    std::filesystem::path file;
    CLI::Option* file_option = nullptr;
    bool force = false;
};

/// Numbered step headings.
class steps {
public:
    explicit steps(step_report& report) : m_report(report) {}
    void next(const std::string& title) { m_report.heading("step " + std::to_string(++m_number) + ": " + title); }

private:
    step_report& m_report;
    int m_number = 0;
};

/// The project file of a road: the given one, or one in a new temporary folder.
std::filesystem::path road_project_file(const road_options& options, const char* stem)
{
    if (options.file_option && options.file_option->count()) {
        std::error_code ec;
        if (!options.force && std::filesystem::exists(options.file, ec)) throw project_file_exists(options.file);
        return options.file;
    }
    std::string folder = (std::filesystem::temp_directory_path() / "ds-road-XXXXXX").string();
    if (!mkdtemp(folder.data())) throw std::runtime_error("cannot make a temporary folder under " + folder);
    return std::filesystem::path(folder) / (std::string(stem) + ".json");
}

/// A file beside the project: "<project stem>-<suffix>".
std::filesystem::path beside(const std::filesystem::path& project, const std::string& suffix)
{
    return project.parent_path() / (project.stem().string() + "-" + suffix);
}

/// The sheets of a road go beside its project, in "sheets", in every format,
/// a file of the whole set named "sheets" when its format wants a name (the
/// PDF of them all); the sheets of an earlier road there are replaced only
/// when the project is (--force).
sheet_folders road_sheet_folders(const std::filesystem::path& project, bool replace)
{
    const std::filesystem::path folder = project.parent_path() / "sheets";
    sheet_folders folders;
    for (std::size_t i = 0; i < ds_sheet::sheet_formats().size(); ++i) {
        const ds_sheet::sheet_format& format = ds_sheet::sheet_formats()[i];
        folders.targets[i] = format.takes_folder() ? folder : folder / ("sheets" + std::string(format.extension));
    }
    folders.overwrite = replace;
    return folders;
}

std::vector<table_edit> edits_of(const std::vector<std::string>& lines)
{
    std::vector<table_edit> edits;
    for (const std::string& line : lines) edits.push_back(parse_table_edit(line, "road"));
    return edits;
}

/// Changes the value cells of the rows captioned `caption` (first match) of a
/// CSV file, as a user editing the spreadsheet would; `cell` 1 is the value.
void edit_csv(const std::filesystem::path& csv, const char* caption, std::size_t cell, const CString& value,
              step_report& report)
{
    ds_spreadsheet::table table = ds_spreadsheet::read_csv_file(csv).rows;
    for (auto& row : table)
        if (row.size() > cell && row[0] == caption) {
            report.narrow_line("  " + row[0] + ": " + row[cell] + " -> " + value);
            row[cell] = value;
            ds_spreadsheet::write_csv_file(csv, table);
            return;
        }
    throw std::runtime_error("the exported table has no row " + shown(caption));
}

/// Saves the project, loads the file into fresh nodes and compares each
/// drawing with the one in memory. Throws when anything differs.
void save_and_reload(const workspace& project, const std::filesystem::path& file, step_report& report)
{
    project.save(file);
    const ds_project::loaded_project loaded = ds_project::load_project(file);
    report.line("saved " + file.string() + " and loaded it again: " + std::to_string(loaded.nodes.size()) + " node(s)");
    for (const auto& warning : loaded.warnings) report.line("  load " + to_string(warning));
    if (loaded.nodes.size() != project.nodes().size()) throw std::runtime_error("the reloaded project has another node count");
    std::size_t differing = 0;
    for (std::size_t i = 0; i < loaded.nodes.size(); ++i) {
        const auto* mine = dynamic_cast<const graph_data_base*>(project.nodes()[i].get());
        const auto* read = dynamic_cast<const graph_data_base*>(loaded.nodes[i].get());
        std::vector<CString> lines;
        const bool equal = mine && read && mine->get_node_name() == read->get_node_name() &&
                           mine->compare_graph_data(read, lines);
        report.line(std::string("  ") + (equal ? "equal    " : "DIFFERS  ") + node_heading(*loaded.nodes[i]));
        report.lines(lines, "      ");
        differing += equal ? 0 : 1;
    }
    if (differing) throw std::runtime_error(std::to_string(differing) + " node(s) changed on the way through " + file.string());
}

void single_road(workspace& project, const std::filesystem::path& file, bool replace, step_report& report)
{
    steps step(report);
    step.next("a new project on the built-in sample bridge");
    project.add_sample_bridge();
    project.save(file);
    report.line("project " + file.string());
    for (const auto& node : project.nodes()) report.line("  " + node_heading(*node));

    step.next("add a single pedestal drawing");
    auto& drawing = dynamic_cast<drawing_graph_data_base&>(add_pedestal_drawing(project, utf8_literal(u8"垫石"), false, report));

    step.next("refer to a pier through the reference facility");
    if (!run_reference(drawing, utf8_literal(u8"主线1号墩"), {"1", "1,2"}, report))
        throw std::runtime_error("the reference took nothing");

    step.next("the common grid");
    run_grid(drawing, grid_mode::common, {}, report);

    step.next("the advanced grid, with two edits saved back through the observer");
    run_grid(drawing, grid_mode::advanced,
             edits_of({utf8_literal(u8"垫石-绘图设置.m_DS_number=1"), utf8_literal(u8"垫石-构造属性.m_dHeight=200,210")}),
             report);

    step.next("the drawing component");
    run_draw(drawing, report);

    const std::filesystem::path csv = beside(file, "pedestal.csv");
    step.next("export the spreadsheet table");
    run_export(drawing, sheet_file_of(csv, "csv"), report);

    step.next("edit the spreadsheet as a user would, and import it");
    edit_csv(csv, "高度(mm)", 1, "220,230", report);
    run_import(drawing, sheet_file_of(csv, "csv"), report);

    step.next("the drawing component after the import, its sheets as SVG, DXF and an HTML page");
    sheet_output sheets(road_sheet_folders(file, replace), report);
    run_draw(drawing, report, &sheets);
    sheets.finish("垫石钢筋构造图");

    step.next("back-fill the reference facility's user grid row");
    run_backfill(drawing, {}, report);

    step.next("save and reload the project");
    save_and_reload(project, file, report);
}

void parametric_road(workspace& project, const std::filesystem::path& file, bool replace, step_report& report)
{
    steps step(report);
    step.next("a new project on the built-in sample bridge");
    project.add_sample_bridge();
    for (const auto& node : project.nodes()) report.line("  " + node_heading(*node));

    step.next("single drawings referring to piers 1 to 3 and abutments 0 and 4");
    struct single { const char8_t* name; const char8_t* structure; const char* rows; };
    const single singles[] = {{u8"垫石-主线1号墩", u8"主线1号墩", "1,2"}, {u8"垫石-主线2号墩", u8"主线2号墩", "1,2"},
                              {u8"垫石-主线3号墩", u8"主线3号墩", "1,2"}, {u8"垫石-主线0号台", u8"主线0号台", "1"},
                              {u8"垫石-主线4号台", u8"主线4号台", "1"},   {u8"垫石-试算", u8"主线3号墩", "1,2"}};
    std::vector<drawing_graph_data_base*> drawings;
    for (const single& s : singles) {
        report.line("");
        auto& d = dynamic_cast<drawing_graph_data_base&>(add_pedestal_drawing(project, utf8_literal(s.name), false, report));
        if (!run_reference(d, utf8_literal(s.structure), {s.rows, "1,2"}, report)) throw std::runtime_error("the reference took nothing");
        drawings.push_back(&d);
    }
    const std::vector<drawing_graph_data_base*> piers(drawings.begin(), drawings.begin() + 3);
    const std::vector<drawing_graph_data_base*> abutments(drawings.begin() + 3, drawings.begin() + 5);

    step.next("widen the trial drawing in the advanced grid");
    run_grid(*drawings[5], grid_mode::advanced, edits_of({utf8_literal(u8"垫石-构造属性.m_dWidth=600")}), report, false);

    step.next("check the pier drawings together with the trial drawing");
    std::vector<drawing_graph_data_base*> with_trial = piers;
    with_trial.push_back(drawings[5]);
    run_merge_check(with_trial, report);

    step.next("check and merge the three pier drawings");
    parameters_graph_data_base& merged = run_merge(project, piers, report);

    step.next("add the abutment drawings with convert");
    run_convert(merged, abutments, report);

    step.next("rebuild a parametric drawing from the referenced piers and abutments");
    auto& rebuilt = dynamic_cast<parameters_graph_data_base&>(add_pedestal_drawing(project, utf8_literal(u8"垫石-参数化引用"), true, report));
    run_reference_list(rebuilt, {utf8_literal(u8"主线0号台"), utf8_literal(u8"主线1号墩"), utf8_literal(u8"主线2号墩"),
                                 utf8_literal(u8"主线3号墩"), utf8_literal(u8"主线4号台")},
                       report);

    step.next("the merged drawing in the parametric grid");
    run_grid(merged, grid_mode::parametric, {}, report);

    step.next("the merged drawing's component: parameter groups, height labels, notes, sheets");
    sheet_output sheets(road_sheet_folders(file, replace), report);
    run_draw(merged, report, &sheets);

    step.next("the rebuilt drawing's component and its sheets");
    run_draw(rebuilt, report, &sheets);
    sheets.finish("垫石钢筋构造图");

    step.next("dismantle the merged drawing into single drawings");
    run_dismantle(project, merged, report);

    const std::filesystem::path csv = beside(file, "parametric.csv");
    step.next("export the merged drawing's spreadsheet, edit the height name, import it");
    run_export(merged, sheet_file_of(csv, "csv"), report);
    edit_csv(csv, "高度名称", 1, "H", report);
    run_import(merged, sheet_file_of(csv, "csv"), report);

    step.next("save and reload the project holding both kinds");
    save_and_reload(project, file, report);
}

void add_road_command(CLI::App& app, app_context& context, const char* name, const char* description,
                      const char* stem, void (*road)(workspace&, const std::filesystem::path&, bool, step_report&))
{
    auto o = std::make_shared<road_options>();
    auto* cmd = app.add_subcommand(name, description);
    o->file_option = add_project_file(*cmd, o->file, "project file to write (default: in a new temporary folder)", false);
    cmd->add_flag("--force", o->force, "replace an existing project file and the sheets beside it");
    cmd->callback([&context, o, stem, road] {
        const std::filesystem::path file = road_project_file(*o, stem);
        step_report report = terminal_report();
        road(context.project(), file, o->force, report);
        report.line("\nThe road is done; the project is " + file.string());
        report.line("The sheets are in " + (file.parent_path() / "sheets").string() + "; open index.html there in a browser");
    });
}

}  // namespace

void add_road_commands(CLI::App& app, app_context& context)
{
    add_road_command(app, context, "road",
                     "the single-drawing road on the sample bridge: add, refer, grids, draw, spreadsheet, back-fill, save",
                     "road-project", single_road);
    add_road_command(app, context, "param-road",
                     "the parametric road on the sample bridge: check, merge, convert, refer, grid, draw, spreadsheet, dismantle",
                     "param-road-project", parametric_road);
}

}  // namespace ds_app
