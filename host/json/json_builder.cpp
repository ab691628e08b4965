// The document built from a parser's events.
#include "host/json/json_builder.h"

namespace ds_json {

using nlohmann::ordered_json;

void document_builder::element_value_done()
{
    if (m_element.depth() > 0) return;
    ++m_handed_out;
    m_streamed->take(m_element);
    m_element.clear();
}

void document_builder::add(ordered_json&& value)
{
    if (!in_element()) return place(std::move(value), std::move(m_key));
    m_element.add_scalar(value);
    element_value_done();
}

template <class T>
void document_builder::add_value(T value, void (flat_tree::*flat)(T))
{
    if (!in_element()) return place(ordered_json(value), std::move(m_key));
    (m_element.*flat)(value);
    element_value_done();
}

void document_builder::add_integer(std::int64_t value) { add_value(value, &flat_tree::add_integer); }
void document_builder::add_unsigned(std::uint64_t value) { add_value(value, &flat_tree::add_unsigned); }
void document_builder::add_real(double value) { add_value(value, &flat_tree::add_real); }
void document_builder::add_bool(bool value) { add_value(value, &flat_tree::add_bool); }

void document_builder::add_text(std::string_view text)
{
    if (!in_element()) return place(ordered_json(std::string(text)), std::move(m_key));
    m_element.add_text(text);
    element_value_done();
}

void document_builder::add_null()
{
    if (!in_element()) return place(ordered_json(nullptr), std::move(m_key));
    m_element.add_null();
    element_value_done();
}

bool document_builder::key(std::string&& key)
{
    if (m_element.depth() > 0) return m_element.key(key);
    if (m_open.back().members.contains(key)) return false;
    m_key = std::move(key);
    return true;
}

bool document_builder::open(bool is_array)
{
    if (m_open.size() + m_element.depth() >= static_cast<std::size_t>(max_depth)) return false;
    if (in_element()) {
        m_element.open(is_array);
        return true;
    }
    const bool streamed = is_array && m_streamed && m_open.size() == 1 && !m_open.front().is_array &&
                          m_key == m_streamed->key;
    m_open.push_back({is_array, is_array ? ordered_json::array() : ordered_json(), spare_members(), std::move(m_key), streamed});
    return true;
}

void document_builder::close()
{
    if (m_element.depth() > 0) {
        m_element.close();
        return element_value_done();
    }
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
