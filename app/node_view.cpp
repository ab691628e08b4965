#include "app/node_view.h"

#include <stdexcept>

#include "app/console.h"
#include "app/runtime_objects.h"
#include "host/framework/json_stream.h"
#include "host/text/encoding.h"

namespace ds_app {

std::string members_text(data_node_base& node)
{
    json_write_stream stream;
    node.serialize_members(stream);
    return stream.text(2);
}

std::string node_heading(const data_node_base& node)
{
    return std::string(node.GetRuntimeClass()->m_lpszClassName) + "  tag=" +
           ds_text::to_utf8_for_display(node.get_node_tag()) + "  name=" +
           ds_text::to_utf8_for_display(node.get_node_name());
}

std::unique_ptr<graph_data_base> snapshot(graph_data_base& drawing)
{
    auto copy = create_object<graph_data_base>(drawing.GetRuntimeClass()->m_lpszClassName, "drawing");
    json_write_stream out;
    drawing.serialize_members(out);
    json_read_stream in(out.document());
    copy->serialize_members(in);
    in.finish();
    if (in.has_errors()) throw std::runtime_error("a copy of " + node_heading(drawing) + " does not read back");
    return copy;
}

std::size_t say_changes(const graph_data_base& before, const graph_data_base& drawing)
{
    std::vector<CString> lines;
    drawing.compare_graph_data(&before, lines);
    if (lines.empty()) {
        say_utf8("changes: none");
        return 0;
    }
    say(CString("changes (before → after):"));
    say_lines(lines);
    return lines.size();
}

}  // namespace ds_app
