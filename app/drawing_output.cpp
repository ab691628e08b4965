// Drawing component of a pedestal drawing, through its strategy.
#include "app/drawing_output.h"

#include <memory>
#include <stdexcept>

#include "app/console.h"
#include "app/node_view.h"
#include "app/runtime_objects.h"
#include "host/drawing_lib/ds_gj_draw_data_text.h"
#include "host/drawing_lib/rx_component_dsgj.h"
#include "host/ui_base/graph_drawing_strategy_base.h"

namespace ds_app {

namespace {

void say_component(VQDraw_DS_GJNA::CRXComponent_DSGJ& component, const CString& target, sheet_output* sheets)
{
    say_utf8("input record of the drawing component:");
    say_block(VQDraw_DS_GJNA::describe_draw_data(component.GetDrawData()));
    const bool designed = component.Design();
    say_utf8(std::string("design: ") + (designed ? "passed" : "failed"));
    say_lines(component.GetDesignMessages());
    if (designed && component.Draw(target))
        say_utf8("drawn: " + std::to_string(component.GetDrawnItems().size()) + " item(s)");
    std::vector<RXDSGNMOD::CRXPaper*> papers;
    component.CreatPaper(papers);
    std::vector<std::unique_ptr<RXDSGNMOD::CRXPaper>> owned(papers.begin(), papers.end());  // the caller owns the sheets
    say_utf8("sheets: " + std::to_string(papers.size()));
    for (RXDSGNMOD::CRXPaper* paper : papers) say("  " + paper->title());
    if (sheets) sheets->write(target, papers);
    std::vector<std::map<CString, CString>> materials;
    component.GetMaterialData(materials);
    say_utf8("materials: " + std::to_string(materials.size()) + " row(s)");
    for (const auto& row : materials) {
        CString line;
        for (const auto& [column, text] : row) line += (line.IsEmpty() ? "" : ", ") + column + "=" + text;
        say("  " + line);
    }
}

}  // namespace

std::unique_ptr<graph_drawing_strategy_base> strategy_for(graph_data_base& drawing)
{
    const char* name = is_of_class(drawing, module_class::parametric_drawing) ? module_class::parametric_strategy
                                                                              : module_class::single_strategy;
    auto strategy = create_object<graph_drawing_strategy_base>(name, "drawing strategy");
    strategy->set_graph_data(&drawing);
    return strategy;
}

void run_draw(graph_data_base& drawing, sheet_output* sheets)
{
    const std::shared_ptr<RXDSGNMOD::CRXComponent> component = strategy_for(drawing)->GetComponent();
    if (!component) throw std::runtime_error("the strategy made no drawing component of " + node_heading(drawing));
    auto* pedestal = dynamic_cast<VQDraw_DS_GJNA::CRXComponent_DSGJ*>(component.get());
    if (!pedestal) {
        say("drawing component: " + component->GetName() + " (not a pedestal rebar component)");
        return;
    }
    say_component(*pedestal, drawing.get_node_name(), sheets);
}

void draw_with_sheets(graph_data_base& drawing, const sheet_folders& folders)
{
    sheet_output sheets(folders);
    run_draw(drawing, &sheets);
    sheets.finish(drawing.get_node_name() + "垫石钢筋构造图");
}

}  // namespace ds_app
