// Building members into a JSON object.
#include "host/json/json_document_builder.h"

namespace ds_json {

nlohmann::ordered_json member_value::json() const
{
    switch (type) {
    case kind::integer: return integer;
    case kind::real: return real;
    case kind::boolean: return boolean;
    case kind::text: return std::string(utf8);
    }
    return nullptr;
}

void json_document_builder::object_begin(const member_key& key, int)
{
    m_frames.push_back({{}, std::string(key.utf8)});
}

void json_document_builder::object_end()
{
    frame done = std::move(m_frames.back());
    m_frames.pop_back();
    m_frames.back().members.append(std::move(done.key), done.members.take_object());
}

void json_document_builder::value(const member_key& key, const member_value& v)
{
    m_frames.back().members.append(std::string(key.utf8), v.json());
}

nlohmann::ordered_json json_document_builder::take() { return m_frames.front().members.take_object(); }

}  // namespace ds_json
