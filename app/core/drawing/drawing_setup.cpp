// Adding pedestal drawings to a project.
#include "app/core/drawing/drawing_setup.h"

#include <stdexcept>

#include "app/core/project/shown_text.h"
#include "app/core/project/node_lookup.h"
#include "app/core/project/node_view.h"
#include "app/core/project/runtime_objects.h"
#include "host/fields/field_catalogue.h"

namespace ds_app {

graph_data_base& add_pedestal_drawing(workspace& project, const std::string& name, bool parametric,
                                      step_report& report)
{
    const CString narrow = narrow_argument(name, "drawing name");
    if (narrow.IsEmpty()) throw std::runtime_error("a drawing needs a name");
    // Names become sheet titles and file names: they follow the catalogue's text rules for names.
    if (const auto refused = field_catalogue::check_text(narrow, field_catalogue::max_name_chars, false))
        throw std::runtime_error("the drawing name \"" + shown(narrow) + "\" " + refused->rule);
    if (project.find_by_name(narrow))
        throw std::runtime_error("the project holds a node named \"" + name + "\" already");
    const char* cls = parametric ? module_class::parametric_drawing : module_class::single_drawing;
    auto& drawing = dynamic_cast<graph_data_base&>(project.create(cls, narrow));
    drawing.set_default_value();
    report.line("added " + node_heading(drawing) + " with its defaults");
    return drawing;
}

}  // namespace ds_app
