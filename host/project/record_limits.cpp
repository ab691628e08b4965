// The loader's limits of stored values, as the field catalogue gives them.
#include "host/project/record_limits.h"

#include "host/fields/field_catalogue.h"
#include "host/framework/data_node_base.h"
#include "host/json/json_write_stream.h"
#include "host/text/encoding.h"

namespace record_limits {
namespace {

/// What the loader refuses of `value` stored under `key` inside `parent` inside `grandparent`.
std::optional<field_catalogue::refusal> refusal_of(const std::string& key, std::string_view parent,
                                                   std::string_view grandparent, const ds_json::member_value& value)
{
    using kind = ds_json::member_value::kind;
    if (value.type == kind::boolean) return std::nullopt;
    const field_catalogue::field* f = field_catalogue::find_stored(key, parent, grandparent);
    if (!f) return std::nullopt;
    if (value.type == kind::text) return field_catalogue::check_stored_text(*f, value.utf8);
    return field_catalogue::check_stored_number(*f, value.type == kind::real ? value.real : value.integer);
}

/// A stored value as the user reads it: texts quoted, control characters escaped.
std::string shown(const ds_json::member_value& value)
{
    if (value.type != ds_json::member_value::kind::text) return value.text();
    return "\"" + field_catalogue::escaped(value.utf8) + "\"";
}

}  // namespace

std::string describe(const violation& found, const std::string& drawing_utf8)
{
    return "drawing \"" + drawing_utf8 + "\": " + found.field + " = " + found.value +
           (found.damage ? " breaks a text rule (" : " is beyond the limit (") + found.limit + ")";
}

ds_json::value_observer violation_observer(std::optional<violation>& found, std::vector<violation>* damaged)
{
    // The values are looked at as they pass, so the node is not copied; the
    // path is made only for a value refused.
    return [&found, damaged](const ds_json::member_context& at, const std::string& key, const ds_json::member_value& value) {
        if (found && !damaged) return;
        const auto refused = refusal_of(key, at.open_key(), at.open_key_above(1), value);
        if (!refused) return;
        const std::string path = at.open_path();
        violation seen{path.empty() ? key : path + "/" + key, shown(value), refused->rule, refused->damage};
        if (seen.damage) {
            if (damaged) damaged->push_back(std::move(seen));
        } else if (!found) {
            found = std::move(seen);
        }
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
