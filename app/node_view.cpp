// Nodes as the host sees them: stored members and differences.
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

nlohmann::ordered_json stored_form(const graph_data_base& drawing)
{
    json_write_stream stream;
    // Writing leaves the drawing as it is; the stream interface only takes a non-const node.
    const_cast<graph_data_base&>(drawing).serialize_members(stream);
    return stream.document();
}

void read_stored_form(graph_data_base& drawing, const nlohmann::ordered_json& stored)
{
    json_read_stream in(stored);
    drawing.serialize_members(in);
    in.finish();
    if (in.has_errors()) throw std::runtime_error(node_heading(drawing) + " does not read back what it wrote");
}

std::unique_ptr<graph_data_base> snapshot(graph_data_base& drawing)
{
    auto copy = create_object<graph_data_base>(drawing.GetRuntimeClass()->m_lpszClassName, "drawing");
    read_stored_form(*copy, stored_form(drawing));
    return copy;
}

namespace {

using nlohmann::ordered_json;

/// Lines "list PATH: N -> M items" for the lists (objects holding "count")
/// whose length differs between the two documents. A drawing's own comparison
/// may pass over list lengths, so the host shows them from the stored form.
void list_length_changes(const ordered_json& before, const ordered_json& after, const std::string& path,
                         std::vector<std::string>& lines)
{
    if (!before.is_object() || !after.is_object()) return;
    const auto b = before.find("count"), a = after.find("count");
    if (b != before.end() && a != after.end() && b->is_number_integer() && a->is_number_integer() && *b != *a)
        lines.push_back("list " + path + ": " + b->dump() + " -> " + a->dump() + " items");
    for (const auto& [key, value] : after.items())
        if (const auto it = before.find(key); it != before.end())
            list_length_changes(*it, value, path.empty() ? key : path + "/" + key, lines);
}

}  // namespace

std::size_t say_changes(const graph_data_base& before, const graph_data_base& drawing)
{
    std::vector<CString> lines;
    drawing.compare_graph_data(&before, lines);
    const ordered_json stored_before = stored_form(before), stored_after = stored_form(drawing);
    std::vector<std::string> lengths;
    list_length_changes(stored_before, stored_after, "", lengths);
    if (lines.empty() && lengths.empty()) {
        say_utf8(stored_before == stored_after ? "changes: none" : "changes: none that the drawing's comparison lists");
        return 0;
    }
    say(CString("changes (before → after):"));
    say_lines(lines);
    for (const std::string& line : lengths) say_utf8("  " + line);
    return lines.size() + lengths.size();
}

}  // namespace ds_app
