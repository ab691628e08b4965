// Laying out members as JSON text, byte for byte as the JSON library dumps them.
#include "host/json/json_text_layout.h"

#include <array>
#include <charconv>

namespace ds_json {
namespace {

/// True when the library would write `text` between quotes as it stands:
/// printable ASCII without quote or backslash. Anything else (controls,
/// escapes, multi-byte characters, which it also checks) goes through it.
bool plain(std::string_view text)
{
    static constexpr auto as_is = [] {
        std::array<bool, 256> table{};
        for (int c = 0x20; c < 0x80; ++c) table[c] = c != '"' && c != '\\';
        return table;
    }();
    for (const char c : text)
        if (!as_is[static_cast<unsigned char>(c)]) return false;
    return true;
}

}  // namespace

void json_text_layout::string(std::string_view utf8)
{
    if (!plain(utf8)) {
        m_out.value(nlohmann::ordered_json(std::string(utf8)));
        return;
    }
    m_out.quoted(utf8);
}

void json_text_layout::member(std::string_view key_utf8)
{
    // An object's opening brace waits for its first member: an empty one is "{}".
    m_out.raw(m_counts.back()++ == 0 ? "{\n" : ",\n");
    m_out.spaces(m_offset + 2 * m_counts.size());
    string(key_utf8);
    m_out.raw(": ");
}

void json_text_layout::close()
{
    if (m_counts.back() == 0) {
        m_out.raw("{}");
    } else {
        m_out.raw("\n");
        m_out.spaces(m_offset + 2 * (m_counts.size() - 1));
        m_out.raw("}");
    }
    m_counts.pop_back();
}

void json_text_layout::object_begin(const member_key& key, int)
{
    member(key.utf8);
    m_counts.push_back(0);
}

void json_text_layout::object_end() { close(); }

void json_text_layout::value(const member_key& key, const member_value& v)
{
    member(key.utf8);
    switch (v.type) {
    case member_value::kind::integer: {
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, v.integer).ptr;
        m_out.raw(std::string_view(digits, static_cast<std::size_t>(end - digits)));
        break;
    }
    case member_value::kind::real:
        m_out.value(nlohmann::ordered_json(v.real));  // the library's shortest form, "1.0", "1e-07"
        break;
    case member_value::kind::boolean:
        m_out.raw(v.boolean ? "true" : "false");
        break;
    case member_value::kind::text:
        string(v.utf8);
        break;
    }
}

}  // namespace ds_json
