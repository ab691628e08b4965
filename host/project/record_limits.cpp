// The loader's limits of stored values, as the field catalogue gives them.
#include "host/project/record_limits.h"

#include "host/framework/data_node_base.h"
#include "host/project/json_write_stream.h"
#include "host/grid/field_catalogue.h"
#include "host/text/encoding.h"

using nlohmann::ordered_json;

namespace record_limits {
namespace {

/// A stored value as the user reads it: texts quoted, control characters escaped.
std::string shown(const ordered_json& value)
{
    if (!value.is_string()) return value.dump();
    return "\"" + field_catalogue::escaped(value.get_ref<const std::string&>()) + "\"";
}

/// The refusal of `value` stored under `key` inside `parent` inside `grandparent`.
std::optional<violation> judge(const std::string& key, std::string_view parent, std::string_view grandparent,
                               const ordered_json& value, const std::string& path)
{
    if (value.is_object() || value.is_boolean() || value.is_null()) return std::nullopt;
    const field_catalogue::field* f = field_catalogue::find_stored(key, parent, grandparent);
    if (!f) return std::nullopt;
    const auto refused = field_catalogue::check_stored(*f, value);
    if (!refused) return std::nullopt;
    return violation{path.empty() ? key : path + "/" + key, shown(value), refused->rule, refused->damage};
}

/// Notes a violation: the first refusal in `found`, damages in `damaged`.
void note(std::optional<violation> seen, std::optional<violation>& found, std::vector<violation>* damaged)
{
    if (!seen) return;
    if (seen->damage) {
        if (damaged) damaged->push_back(std::move(*seen));
    } else if (!found) {
        found = std::move(seen);
    }
}

void search(const ordered_json& object, const std::string& path, std::string_view parent, std::string_view grandparent,
            std::optional<violation>& found, std::vector<violation>* damaged)
{
    for (const auto& [key, value] : object.items()) {
        if (found && !damaged) return;
        if (value.is_object()) {
            search(value, path.empty() ? key : path + "/" + key, key, parent, found, damaged);
            continue;
        }
        note(judge(key, parent, grandparent, value, path), found, damaged);
    }
}

}  // namespace

std::optional<violation> find_violation(const ordered_json& members, std::vector<violation>* damaged)
{
    std::optional<violation> found;
    if (members.is_object()) search(members, {}, {}, {}, found, damaged);
    return found;
}

std::string describe(const violation& found, const std::string& drawing_utf8)
{
    if (found.damage)
        return "drawing \"" + drawing_utf8 + "\": " + found.field + " = " + found.value + " breaks a text rule (" +
               found.limit + ")";
    return "drawing \"" + drawing_utf8 + "\": " + found.field + " = " + found.value + " is beyond the limit (" +
           found.limit + ")";
}

ds_json::value_observer violation_observer(std::optional<violation>& found, std::vector<violation>* damaged)
{
    // The values are looked at as they are written, in the order search()
    // would meet them in the written members, so the node is not copied; the
    // path is made only for a value refused.
    return [&found, damaged](const ds_json::member_context& written, const std::string& key, const ordered_json& value) {
        if (found && !damaged) return;
        const std::string& parent = written.open_key();
        const std::string& grandparent = written.open_key_above(1);
        auto seen = judge(key, parent, grandparent, value, {});
        if (!seen) return;
        const std::string path = written.open_path();
        if (!path.empty()) seen->field = path + "/" + seen->field;
        note(std::move(seen), found, damaged);
    };
}

std::optional<violation> find_violation(const data_node_base& node, std::vector<violation>* damaged)
{
    std::optional<violation> found;
    const auto stream = ds_json::json_write_stream::checking(violation_observer(found, damaged));
    // serialize_members serves both directions and is therefore not const; a writing stream only reads the node.
    const_cast<data_node_base&>(node).serialize_members(*stream);
    stream->finish();  // refuses what is still open, as a save would
    return found;
}

void check_node(const data_node_base& node)
{
    std::vector<violation> damaged;
    auto found = find_violation(node, &damaged);
    if (!found && !damaged.empty()) found = damaged.front();
    if (found) throw limit_error(describe(*found, ds_text::to_utf8_for_display(node.get_node_name())));
}

}  // namespace record_limits
