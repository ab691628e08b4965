// Drawing component of a pedestal drawing, through its strategy.
#include "app/core/drawing/drawing_output.h"

#include <ctime>
#include <memory>
#include <optional>
#include <stdexcept>

#include "app/core/project/node_lookup.h"
#include "app/core/project/node_view.h"
#include "app/core/project/runtime_objects.h"
#include "app/core/project/facts_step.h"
#include "host/pedestal_design/ds_gj_draw_data_text.h"
#include "host/drawing_lib/rx_component_dsgj.h"
#include "host/json/json_read_stream.h"
#include "host/json/json_write_stream.h"
#include "host/text/encoding.h"
#include "host/ui_base/graph_drawing_strategy_base.h"

namespace ds_app {

namespace {

bool report_component(VQDraw_DS_GJNA::CRXComponent_DSGJ& component, const CString& target, sheet_output* sheets,
                      step_report& report)
{
    report.line("input record of the drawing component:");
    report.block(VQDraw_DS_GJNA::describe_draw_data(component.GetDrawData()));
    const bool designed = component.Design();
    report.line(std::string("design: ") + (designed ? "passed" : "failed"));
    report.lines(component.GetDesignMessages());
    if (designed && component.Draw(target))
        report.line("drawn: " + std::to_string(component.GetDrawnItems().size()) + " item(s)");
    std::vector<RXDSGNMOD::CRXPaper*> papers;
    component.CreatPaper(papers);
    std::vector<std::unique_ptr<RXDSGNMOD::CRXPaper>> owned(papers.begin(), papers.end());  // the caller owns the sheets
    report.line("sheets: " + std::to_string(papers.size()));
    if (designed) {
        const auto& drawing = component.GetDrawingMessages();
        report.line(drawing.empty() ? std::string("drawing check: passed")
                                    : "drawing check: " + std::to_string(drawing.size()) + " finding(s)");
        report.lines(drawing);
    }
    for (RXDSGNMOD::CRXPaper* paper : papers) report.narrow_line("  " + paper->title());
    if (sheets) sheets->write(target, papers);
    std::vector<std::map<CString, CString>> materials;
    component.GetMaterialData(materials);
    report.line("materials: " + std::to_string(materials.size()) + " row(s)");
    for (const auto& row : materials) {
        CString line;
        for (const auto& [column, text] : row) line += (line.IsEmpty() ? "" : ", ") + column + "=" + text;
        report.narrow_line("  " + line);
    }
    return designed;
}

}  // namespace

void add_title_options(CLI::App& command, title_options& titles)
{
    command.add_option("--project-name", titles.project, "project name for the title blocks");
    command.add_option("--date", titles.date, "date for the title blocks (default: today, UTC)");
    command.add_option("--designer", titles.designer, "name in the title blocks' design field");
    command.add_option("--checker", titles.checker, "name in the title blocks' check field");
    command.add_option("--approver", titles.approver, "name in the title blocks' approval field");
}

namespace {
std::string today()
{
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &utc);
    return text;
}
}  // namespace

namespace {
/// The title options of this run; they override the project's facts.
title_options& run_titles()
{
    static title_options titles;
    return titles;
}

/// `option` (UTF-8) when given, else `fact`.
CString either(const std::string& option, const CString& fact, const char* what)
{
    return option.empty() ? fact : narrow_argument(option, what);
}
}  // namespace

void apply_title_options(const title_options& titles)
{
    run_titles() = titles;
    apply_project_titles();
}

void apply_project_titles()
{
    const title_options& o = run_titles();
    const project_facts facts = current_project_facts();
    RXDSGNMOD::sheet_signatures fields{either(o.project, title_project_text(facts), "project name"),
                                       either(o.date, facts.date, "date"),
                                       either(o.designer, facts.designer, "designer"),
                                       either(o.checker, facts.checker, "checker"),
                                       either(o.approver, facts.approver, "approver"),
                                       facts.number_prefix};
    if (fields.date.IsEmpty()) fields.date = CString(today().c_str());
    RXDSGNMOD::set_sheet_signatures(fields);
}

namespace {

/// The first value written under `key` when the drawing is walked the way a
/// save walks it: the host reads its own drawing settings so, the drawing's
/// own members coming before any list row's.
template <class Take>
void first_member(const graph_data_base& drawing, const std::string& wanted, Take take)
{
    bool found = false;
    const auto stream = ds_json::json_write_stream::checking(
        [&](const ds_json::member_context&, const std::string& key, const ds_json::member_value& value) {
            if (found || key != wanted) return;
            found = take(value);
        });
    const_cast<graph_data_base&>(drawing).serialize_members(*stream);
}

/// The position of a single drawing's pedestals ("小桩号侧"), empty when none is given.
CString single_position(const graph_data_base& drawing)
{
    CString position;
    first_member(drawing, "strPos", [&position](const ds_json::member_value& value) {
        if (value.type != ds_json::member_value::kind::text) return false;
        position = CString(std::string(value.narrow).c_str());
        return true;
    });
    return position;
}

}  // namespace

double drawing_cover(const graph_data_base& drawing)
{
    std::optional<double> cover;
    first_member(drawing, "m_dCover", [&cover](const ds_json::member_value& value) {
        using kind = ds_json::member_value::kind;
        if (value.type == kind::real) cover = value.real;
        if (value.type == kind::integer) cover = value.integer;
        return cover.has_value();
    });
    return cover.value_or(0.0);
}

std::unique_ptr<graph_drawing_strategy_base> strategy_for(graph_data_base& drawing)
{
    const char* name = is_of_class(drawing, module_class::parametric_drawing) ? module_class::parametric_strategy
                                                                              : module_class::single_strategy;
    auto strategy = create_object<graph_drawing_strategy_base>(name, "drawing strategy");
    strategy->set_graph_data(&drawing);
    return strategy;
}

drawing_component component_for(graph_data_base& drawing)
{
    drawing_component made;
    made.cover = drawing_cover(drawing);
    RXDSGNMOD::set_rebar_cover(made.cover);
    made.owner = strategy_for(drawing)->GetComponent();
    made.pedestal = dynamic_cast<VQDraw_DS_GJNA::CRXComponent_DSGJ*>(made.owner.get());
    if (made.pedestal && is_of_class(drawing, module_class::single_drawing))
        made.pedestal->FillPositions(single_position(drawing));
    return made;
}

bool run_draw(graph_data_base& drawing, step_report& report, sheet_output* sheets)
{
    apply_project_titles();
    const drawing_component made = component_for(drawing);
    if (!made.owner) throw std::runtime_error("the strategy made no drawing component of " + node_heading(drawing));
    if (!made.pedestal) {
        report.narrow_line("drawing component: " + made.owner->GetName() + " (not a pedestal rebar component)");
        return true;
    }
    return report_component(*made.pedestal, drawing.get_node_name(), sheets, report);
}

void draw_with_sheets(graph_data_base& drawing, const sheet_folders& folders, step_report& report)
{
    sheet_output sheets(folders, report);
    const bool designed = run_draw(drawing, report, &sheets);
    sheets.finish(drawing.get_node_name() + "垫石钢筋构造图");
    // The findings sheet stands where the drawing would: written, but no drawing to sign, so a script must hear it.
    if (!designed)
        throw step_refused("the design check failed for " + ds_text::to_utf8_for_display(drawing.get_node_name()) +
                               "; its findings sheet stands in place of the drawing",
                           ds_text::to_utf8_for_display(drawing.get_node_name()));
}

}  // namespace ds_app
