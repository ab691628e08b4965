// The loader's limits of stored values, as the field catalogue gives them.
#include "host/project/record_limits.h"


#include "host/fields/field_catalogue.h"
#include "host/framework/data_node_base.h"
#include "host/json/json_write_stream.h"
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

/// A stored JSON value as a member stream passes it; nothing for what is not judged.
std::optional<ds_json::member_value> as_member(const ordered_json& value)
{
    if (value.is_string()) return ds_json::member_value::of_text({}, value.get_ref<const std::string&>());
    if (value.is_number()) return ds_json::member_value::of(value.get<double>());  // judged by its value only
    return std::nullopt;
}

violation make_violation(const std::string& key, const std::string& path, std::string value,
                         const field_catalogue::refusal& refused)
{
    return violation{path.empty() ? key : path + "/" + key, std::move(value), refused.rule, refused.damage};
}

/// Notes a violation: the first refusal in `found`, damages in `damaged`.
void note(violation seen, std::optional<violation>& found, std::vector<violation>* damaged)
{
    if (seen.damage) {
        if (damaged) damaged->push_back(std::move(seen));
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
        const auto member = as_member(value);
        if (!member) continue;
        if (const auto refused = refusal_of(key, parent, grandparent, *member))
            note(make_violation(key, path, shown(value), *refused), found, damaged);
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
    return [&found, damaged](const ds_json::member_context& written, const std::string& key, const ds_json::member_value& value) {
        if (found && !damaged) return;
        const auto refused = refusal_of(key, written.open_key(), written.open_key_above(1), value);
        if (!refused) return;
        auto seen = make_violation(key, written.open_path(), shown(value.json()), *refused);
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
