// The document built from a parser's events.
#include "host/project/json_builder.h"

namespace ds_json {

using nlohmann::ordered_json;

bool document_builder::key(std::string&& key)
{
    if (m_open.back().members.contains(key)) return false;
    m_key = std::move(key);
    return true;
}

bool document_builder::open(bool is_array)
{
    if (m_open.size() >= static_cast<std::size_t>(max_depth)) return false;
    const bool streamed = is_array && m_streamed && m_open.size() == 1 && !m_open.front().is_array &&
                          m_key == m_streamed->key;
    m_open.push_back({is_array, is_array ? ordered_json::array() : ordered_json(), spare_members(), std::move(m_key), streamed});
    return true;
}

void document_builder::close()
{
    open_value done = std::move(m_open.back());
    m_open.pop_back();
    place(done.is_array ? std::move(done.items) : done.members.take_object(), std::move(done.key));
    m_spare.push_back(std::move(done.members));
}

void document_builder::place(ordered_json&& value, std::string&& key)
{
    if (m_open.empty()) {
        m_root = std::move(value);
        return;
    }
    open_value& top = m_open.back();
    if (!top.is_array) {
        top.members.append(std::move(key), std::move(value));
    } else if (top.streamed) {
        ++m_handed_out;
        m_streamed->take(std::move(value));
    } else {
        top.items.get_ref<ordered_json::array_t&>().push_back(std::move(value));
    }
}

object_members document_builder::spare_members()
{
    if (m_spare.empty()) return {};
    object_members members = std::move(m_spare.back());
    m_spare.pop_back();
    return members;
}

}  // namespace ds_json
