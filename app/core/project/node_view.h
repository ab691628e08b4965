// Shows a node the way the host sees it: through its serialized members, and
// what a step changed in it, in the module's own difference lines.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/core/project/step_report.h"
#include "host/framework/graph_data_base.h"

namespace ds_app {

/// The node's members as indented UTF-8 JSON, written by its own serialize_members.
std::string members_text(data_node_base& node);
/// "DS_ui_data  tag=…  name=…" (UTF-8).
std::string node_heading(const data_node_base& node);

/// What the drawing writes to a project file (its serialize_members).
nlohmann::ordered_json stored_form(const graph_data_base& drawing);
/// Makes the drawing read `stored` as from a project file. Throws
/// std::runtime_error when the reading reports an error.
void read_stored_form(graph_data_base& drawing, const nlohmann::ordered_json& stored);

/// The first member named `key` anywhere inside `object`, depth first; null when there is none.
nlohmann::ordered_json* find_member(nlohmann::ordered_json& object, const std::string& key);

/// The difference lines say_changes prints (UTF-8, without its heading), for a
/// step that reports them instead of printing; empty when it lists none.
std::vector<std::string> change_lines(const graph_data_base& before, const nlohmann::ordered_json& before_form,
                                      const graph_data_base& drawing, const nlohmann::ordered_json& drawing_form);

/// A detached copy of a drawing, made as the host makes one: a new object of
/// the same class by name, filled by reading what the drawing writes. It is not
/// registered in the data centre.
std::unique_ptr<graph_data_base> snapshot(graph_data_base& drawing);

/// A stored form's lists' lengths (its "count" members) as a writing stream
/// meets them: for each, how many objects had opened when the object holding
/// it did (0 for the top; ds_json::json_write_stream::open_order), that object's key
/// path (open_path) and the count. Sorted.
using list_lengths = std::vector<std::tuple<std::size_t, std::string, std::int64_t>>;
list_lengths stored_list_lengths(const nlohmann::ordered_json& stored);

/// Reports how `drawing` differs from `before` (its snapshot), one line per
/// difference as the drawing's compare_graph_data words it, then a line per
/// list whose length changed. Without any, it says "changes: none" when the
/// two would be stored as the same text (told by its SHA-256, so neither
/// stored form is kept), else that the drawing's comparison lists none.
/// Returns the number of lines.
std::size_t report_changes(const graph_data_base& before, const graph_data_base& drawing, step_report& report);
/// report_changes with the stored forms of both at hand (`before_form` is
/// stored_form(before), `drawing_form` stored_form(drawing)), so a caller that
/// has them spares writing a large drawing again.
std::size_t report_changes(const graph_data_base& before, const nlohmann::ordered_json& before_form,
                           const graph_data_base& drawing, const nlohmann::ordered_json& drawing_form,
                           step_report& report);

}  // namespace ds_app
