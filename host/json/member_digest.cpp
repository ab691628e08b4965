// Digesting a project's values entry by entry.
#include "host/json/member_digest.h"

#include <cstdint>
#include <cstring>

namespace ds_digest {

void member_digest::bytes(const void* data, std::size_t size)
{
    m_buffer.append(static_cast<const char*>(data), size);
}

void member_digest::text(std::string_view t)
{
    // One byte tells the length of a short text (keys, most values); a long
    // one has 255 and then its length in full.
    if (t.size() < 255) {
        byte(static_cast<char>(t.size()));
    } else {
        byte(static_cast<char>(255));
        const std::uint64_t size = t.size();
        bytes(&size, sizeof size);
    }
    bytes(t.data(), t.size());
}

void member_digest::flush_if_full()
{
    m_open = true;
    if (m_buffer.size() < buffer_size) return;
    m_node.add(m_buffer);
    m_buffer.clear();
}

digest member_digest::end_node()
{
    m_node.add(m_buffer);
    m_buffer.clear();
    m_open = false;
    const digest node = m_node.finish_and_restart();
    m_project.add(std::string_view(reinterpret_cast<const char*>(node.data()), node.size()));
    return node;
}

void member_digest::drop_node()
{
    m_buffer.clear();
    m_open = false;
    m_node.finish_and_restart();
}

void member_digest::node(std::string_view class_name, std::string_view tag, std::string_view name)
{
    if (m_open) end_node();
    byte('N');
    text(class_name);
    text(tag);
    text(name);
    flush_if_full();
}

void member_digest::object_begin(const ds_json::member_key& key, int kind)
{
    byte('{');
    text(key.narrow);
    bytes(&kind, sizeof kind);
    flush_if_full();
}

void member_digest::object_end()
{
    byte('}');
    flush_if_full();
}

void member_digest::value(const ds_json::member_key& key, const ds_json::member_value& v)
{
    using kind = ds_json::member_value::kind;
    text(key.narrow);
    switch (v.type) {
    case kind::integer:
        byte('i');
        bytes(&v.integer, sizeof v.integer);
        break;
    case kind::real: {
        byte('d');
        std::uint64_t bits;  // the value exactly, -0 and 0 apart, as a save would write them apart
        std::memcpy(&bits, &v.real, sizeof bits);
        bytes(&bits, sizeof bits);
        break;
    }
    case kind::boolean:
        byte(v.boolean ? 't' : 'f');
        break;
    case kind::text:
        byte('s');
        text(v.narrow);
        break;
    }
    flush_if_full();
}

digest member_digest::finish()
{
    if (m_open) end_node();
    return m_project.finish();
}

}  // namespace ds_digest
