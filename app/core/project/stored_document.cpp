// Records' members as JSON documents, and documents held flat.
#include "app/core/project/stored_document.h"

#include <cstdint>

#include "host/framework/data_node_base.h"
#include "host/json/json_write_stream.h"

using nlohmann::ordered_json;

namespace ds_app {

ordered_json& document_sink::add(std::string_view key, ordered_json value)
{
    // The writing stream refused a repeated key already: no search before appending.
    auto& members = m_open.back()->get_ref<ordered_json::object_t&>();
    members.emplace_back(std::string(key), std::move(value));
    return members.back().second;
}

void document_sink::object_begin(const ds_json::member_key& key, int)
{
    m_open.push_back(&add(key.utf8, ordered_json::object()));
}

void document_sink::value(const ds_json::member_key& key, const ds_json::member_value& value)
{
    using kind = ds_json::member_value::kind;
    switch (value.type) {
    case kind::integer: add(key.utf8, value.integer); return;
    case kind::real: add(key.utf8, value.real); return;
    case kind::boolean: add(key.utf8, value.boolean); return;
    case kind::text: add(key.utf8, std::string(value.utf8)); return;
    }
}

ordered_json members_document(const data_node_base& record)
{
    document_sink sink;
    ds_json::json_write_stream stream({&sink});
    // Writing leaves the record as it is; the stream interface only takes a non-const node.
    const_cast<data_node_base&>(record).serialize_members(stream);
    stream.finish();
    return std::move(sink.document());
}

namespace {

void add_flat(ds_json::flat_tree& tree, const ordered_json& value)
{
    switch (value.type()) {
    case ordered_json::value_t::boolean: return tree.add_bool(value.get<bool>());
    case ordered_json::value_t::number_integer: return tree.add_integer(value.get<std::int64_t>());
    case ordered_json::value_t::number_unsigned: return tree.add_unsigned(value.get<std::uint64_t>());
    case ordered_json::value_t::number_float: return tree.add_real(value.get<double>());
    case ordered_json::value_t::string: return tree.add_text(value.get_ref<const std::string&>());
    case ordered_json::value_t::object:
    case ordered_json::value_t::array:
        tree.open(value.is_array());
        for (const auto& [key, member] : value.items()) {
            if (value.is_object()) tree.key(key);
            add_flat(tree, member);
        }
        return tree.close();
    default: return tree.add_null();
    }
}

}  // namespace

ds_json::flat_tree flat_tree_of(const ordered_json& document)
{
    ds_json::flat_tree tree;
    add_flat(tree, document);
    return tree;
}

}  // namespace ds_app
