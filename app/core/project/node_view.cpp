// Nodes as the host sees them: stored members and differences.
#include "app/core/project/node_view.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "app/core/project/shown_text.h"
#include "app/core/grid/list_rows.h"
#include "app/core/project/runtime_objects.h"
#include "app/core/project/stored_document.h"
#include "host/json/json_read_stream.h"
#include "host/json/json_write_stream.h"
#include "host/json/json_text_writer.h"
#include "host/json/member_digest.h"
#include "host/text/encoding.h"

namespace ds_app {

std::string members_text(data_node_base& node)
{
    std::string text;
    ds_json::json_text_writer writer([&](std::string_view piece) { text += piece; });
    writer.begin_members(0);
    ds_json::json_write_stream stream({&writer});
    node.serialize_members(stream);
    stream.finish();
    writer.end_members();
    writer.flush();
    return text;
}

std::string node_heading(const data_node_base& node)
{
    // Names come from files: shown on one line, control characters escaped.
    return std::string(node.GetRuntimeClass()->m_lpszClassName) + "  tag=" + shown(node.get_node_tag()) +
           "  name=" + shown(node.get_node_name());
}

nlohmann::ordered_json stored_form(const graph_data_base& drawing) { return members_document(drawing); }

void read_stored_form(graph_data_base& drawing, const nlohmann::ordered_json& stored)
{
    ds_json::json_read_stream in(flat_tree_of(stored));
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

void collect_counts(const ordered_json& object, const std::string& path, std::size_t order, std::size_t& opened,
                    list_lengths& counts)
{
    for (const auto& [key, value] : object.items()) {
        if (value.is_object()) {
            const std::size_t inner = ++opened;
            collect_counts(value, path.empty() ? key : path + "/" + key, inner, opened, counts);
        } else if (key == "count" && value.is_number_integer()) {
            counts.emplace_back(order, path, value.get<std::int64_t>());
        }
    }
}

/// The digest of the values the drawing would be stored with, made as they
/// come rather than kept.
ds_digest::digest stored_digest(const graph_data_base& drawing)
{
    ds_digest::member_digest digest;
    ds_json::json_write_stream stream({&digest}, {});
    // Writing leaves the drawing as it is; the stream interface only takes a non-const node.
    const_cast<graph_data_base&>(drawing).serialize_members(stream);
    stream.finish();
    return digest.finish();
}

}  // namespace

list_lengths stored_list_lengths(const ordered_json& stored)
{
    list_lengths counts;
    std::size_t opened = 0;
    if (stored.is_object()) collect_counts(stored, {}, 0, opened, counts);
    std::sort(counts.begin(), counts.end());
    return counts;
}

namespace {

/// Lines "list PATH: N -> M items" for the lists whose length differs between
/// the two. A drawing's own comparison may pass over list lengths, so the host
/// shows them from the stored form.
std::vector<std::string> list_length_changes(const list_lengths& before, const list_lengths& after)
{
    std::unordered_map<std::string_view, std::int64_t> before_counts;
    for (const auto& [order, path, count] : before) before_counts.emplace(path, count);
    std::vector<std::string> lines;
    for (const auto& [order, path, count] : after) {
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
std::vector<CString> difference_lines(const graph_data_base& before, const ordered_json& old_form,
                                      const graph_data_base& drawing, const ordered_json& new_form,
                                      std::vector<std::string>& row_lines)
{
    std::vector<CString> lines;
    if (!is_of_class(drawing, module_class::parametric_drawing)) {
        drawing.compare_graph_data(&before, lines);
        return lines;
    }
    row_lines = list_row_changes(old_form, new_form);
    // The new form with the old list, member by member: copying the new list
    // only to replace it would double the work on a long list.
    const std::string& list_key = parametric_list_layout().list_key;
    const auto old_list = old_form.find(list_key);
    ordered_json mixed = ordered_json::object();
    for (const auto& [key, value] : new_form.items())
        mixed[key] = key == list_key && old_list != old_form.end() ? *old_list : value;
    if (old_list != old_form.end() && !mixed.contains(list_key)) mixed[list_key] = *old_list;
    auto copy = create_object<graph_data_base>(drawing.GetRuntimeClass()->m_lpszClassName, "drawing");
    read_stored_form(*copy, std::move(mixed));
    copy->compare_graph_data(&before, lines);
    return lines;
}

}  // namespace

ordered_json* find_member(ordered_json& object, const std::string& key)
{
    if (!object.is_object()) return nullptr;
    if (auto it = object.find(key); it != object.end()) return &*it;
    for (auto& [name, value] : object.items())
        if (ordered_json* found = find_member(value, key)) return found;
    return nullptr;
}

std::vector<std::string> change_lines(const graph_data_base& before, const ordered_json& before_form,
                                      const graph_data_base& drawing, const ordered_json& drawing_form)
{
    std::vector<std::string> rows;
    std::vector<std::string> out;
    for (const CString& line : difference_lines(before, before_form, drawing, drawing_form, rows)) out.push_back(shown(line));
    out.insert(out.end(), rows.begin(), rows.end());
    for (std::string& line : list_length_changes(stored_list_lengths(before_form), stored_list_lengths(drawing_form)))
        out.push_back(std::move(line));
    return out;
}

std::size_t report_changes(const graph_data_base& before, const graph_data_base& drawing, step_report& report)
{
    return report_changes(before, stored_form(before), drawing, stored_form(drawing), report);
}

std::size_t report_changes(const graph_data_base& before, const ordered_json& before_form,
                           const graph_data_base& drawing, const ordered_json& drawing_form, step_report& report)
{
    std::vector<std::string> row_lines;
    const std::vector<CString> lines = difference_lines(before, before_form, drawing, drawing_form, row_lines);
    std::vector<std::string> lengths = list_length_changes(stored_list_lengths(before_form), stored_list_lengths(drawing_form));
    lengths.insert(lengths.begin(), row_lines.begin(), row_lines.end());
    if (lines.empty() && lengths.empty()) {
        // Told by the digests of the texts, as a file would store them, so neither text is kept.
        report.line(stored_digest(before) == stored_digest(drawing) ? "changes: none"
                                                                    : "changes: none that the drawing's comparison lists");
        return 0;
    }
    report.narrow_line(CString("changes (before → after):"));
    report.lines(lines);
    for (const std::string& line : lengths) report.line("  " + line);
    return lines.size() + lengths.size();
}

}  // namespace ds_app
