// Nodes as the host sees them: stored members and differences.
#include "app/node_view.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "app/console.h"
#include "app/list_rows.h"
#include "app/runtime_objects.h"
#include "host/framework/json_stream.h"
#include "host/framework/json_text.h"
#include "host/framework/text_digest.h"
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
    // Names come from files: shown on one line, control characters escaped.
    return std::string(node.GetRuntimeClass()->m_lpszClassName) + "  tag=" + shown(node.get_node_tag()) +
           "  name=" + shown(node.get_node_name());
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

/// What say_changes needs of a drawing's stored form, without keeping it: the
/// digest of its text, and its lists' lengths (the "count" members) by key
/// path, in the order a walk of the stored form meets their objects.
struct stored_summary {
    ds_digest::digest digest{};
    std::vector<std::tuple<std::size_t, std::string, std::int64_t>> counts;  ///< object order, path, count
};

stored_summary summarise(const graph_data_base& drawing)
{
    stored_summary summary;
    ds_digest::text_digest digest;
    ds_json::piece_writer text([&](std::string_view piece) { digest.add(piece); });
    const auto stream = json_write_stream::to_text(
        text, 0, {}, [&](const json_write_stream& written, const std::string& key, const ordered_json& value) {
            if (key == "count" && value.is_number_integer())
                summary.counts.emplace_back(written.open_order(), written.open_path(), value.get<std::int64_t>());
        });
    // Writing leaves the drawing as it is; the stream interface only takes a non-const node.
    const_cast<graph_data_base&>(drawing).serialize_members(*stream);
    stream->finish_text();
    text.flush();
    summary.digest = digest.finish();
    std::sort(summary.counts.begin(), summary.counts.end());
    return summary;
}

/// Lines "list PATH: N -> M items" for the lists whose length differs between
/// the two. A drawing's own comparison may pass over list lengths, so the host
/// shows them from the stored form.
std::vector<std::string> list_length_changes(const stored_summary& before, const stored_summary& after)
{
    std::unordered_map<std::string_view, std::int64_t> before_counts;
    for (const auto& [order, path, count] : before.counts) before_counts.emplace(path, count);
    std::vector<std::string> lines;
    for (const auto& [order, path, count] : after.counts) {
        const auto it = before_counts.find(path);
        if (it != before_counts.end() && it->second != count)
            lines.push_back("list " + path + ": " + std::to_string(it->second) + " -> " + std::to_string(count) + " items");
    }
    return lines;
}

/// The drawing's own difference lines, except that a parametric drawing's list
/// rows are compared by the host (list_row_changes: rows named by bridge part
/// and number, matched by them, a reordering one line), since the drawing
/// compares its rows by position only and names none. The drawing still words
/// everything else: it compares `before` with a copy of `drawing` holding
/// `before`'s list.
std::vector<CString> difference_lines(const graph_data_base& before, const graph_data_base& drawing,
                                      std::vector<std::string>& row_lines)
{
    std::vector<CString> lines;
    if (!is_of_class(drawing, module_class::parametric_drawing)) {
        drawing.compare_graph_data(&before, lines);
        return lines;
    }
    const ordered_json old_form = stored_form(before), new_form = stored_form(drawing);
    row_lines = list_row_changes(old_form, new_form);
    ordered_json mixed = new_form;
    const std::string& list_key = parametric_list_layout().list_key;
    if (old_form.contains(list_key)) mixed[list_key] = old_form[list_key];
    auto copy = create_object<graph_data_base>(drawing.GetRuntimeClass()->m_lpszClassName, "drawing");
    read_stored_form(*copy, mixed);
    copy->compare_graph_data(&before, lines);
    return lines;
}

}  // namespace

std::size_t say_changes(const graph_data_base& before, const graph_data_base& drawing)
{
    std::vector<std::string> row_lines;
    const std::vector<CString> lines = difference_lines(before, drawing, row_lines);
    const stored_summary stored_before = summarise(before), stored_after = summarise(drawing);
    std::vector<std::string> lengths = list_length_changes(stored_before, stored_after);
    lengths.insert(lengths.begin(), row_lines.begin(), row_lines.end());
    if (lines.empty() && lengths.empty()) {
        say_utf8(stored_before.digest == stored_after.digest ? "changes: none"
                                                             : "changes: none that the drawing's comparison lists");
        return 0;
    }
    say(CString("changes (before → after):"));
    say_lines(lines);
    for (const std::string& line : lengths) say_utf8("  " + line);
    return lines.size() + lengths.size();
}

}  // namespace ds_app
