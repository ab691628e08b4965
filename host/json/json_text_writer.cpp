// JSON text in parts: punctuation and plain texts appended in place, other
// values through the library's serializer, so that they are laid out exactly
// as it dumps them.
#include "host/json/json_text_writer.h"

#include <array>
#include <charconv>
#include <stdexcept>

#include <nlohmann/json.hpp>

#include "host/json/json_text.h"

using nlohmann::ordered_json;

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

/// The library's serializer, writing into the current part.
class json_text_writer::serializer : public nlohmann::detail::serializer<ordered_json> {
    struct output : nlohmann::detail::output_adapter_protocol<char> {
        explicit output(json_text_writer& writer) : writer(writer) {}
        void write_character(char c) override { writer.raw(std::string_view(&c, 1)); }
        void write_characters(const char* s, std::size_t length) override { writer.raw(std::string_view(s, length)); }
        json_text_writer& writer;
    };

public:
    explicit serializer(json_text_writer& writer)
        : nlohmann::detail::serializer<ordered_json>(std::make_shared<output>(writer), ' ', ordered_json::error_handler_t::strict)
    {
    }
};

json_text_writer::json_text_writer(std::function<void(std::string_view)> piece)
    : m_piece(std::move(piece)), m_serializer(std::make_unique<serializer>(*this))
{
    m_part.reserve(part_size + part_size / 4);
}

json_text_writer::~json_text_writer() = default;

std::string number_text(double value) { return ordered_json(value).dump(); }

void json_text_writer::flush()
{
    if (!m_part.empty()) m_piece(m_part);
    m_part.clear();
}

void json_text_writer::string(std::string_view utf8)
{
    if (!plain(utf8)) {
        try {
            m_serializer->dump(ordered_json(std::string(utf8)), true, false, 2, 0);
        } catch (const ordered_json::exception& e) {
            const std::string what = e.what();  // "[json.exception.type_error.316] invalid UTF-8 byte ..."
            throw std::runtime_error("cannot write JSON text: " + what.substr(what.find("] ") + 2));
        }
        return;
    }
    m_part.push_back('"');
    m_part.append(utf8);
    raw("\"");
}

void json_text_writer::begin_members(unsigned offset)
{
    m_offset = offset;
    m_counts.assign(1, 0);
}

void json_text_writer::member(std::string_view key_utf8)
{
    // An object's opening brace waits for its first member: an empty one is "{}".
    raw(m_counts.back()++ == 0 ? "{\n" : ",\n");
    m_part.append(m_offset + 2 * m_counts.size(), ' ');
    string(key_utf8);
    raw(": ");
}

void json_text_writer::close()
{
    if (m_counts.back() == 0) {
        raw("{}");
    } else {
        raw("\n");
        m_part.append(m_offset + 2 * (m_counts.size() - 1), ' ');
        raw("}");
    }
    m_counts.pop_back();
}

void json_text_writer::object_begin(const member_key& key, int)
{
    member(key.utf8);
    m_counts.push_back(0);
}

void json_text_writer::value(const member_key& key, const member_value& v)
{
    member(key.utf8);
    switch (v.type) {
    case member_value::kind::integer: {
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, v.integer).ptr;
        return raw(std::string_view(digits, static_cast<std::size_t>(end - digits)));
    }
    case member_value::kind::real: return m_serializer->dump(ordered_json(v.real), true, false, 2, 0);  // "1.0", "1e-07"
    case member_value::kind::boolean: return raw(v.boolean ? "true" : "false");
    case member_value::kind::text: return string(v.utf8);
    }
}

}  // namespace ds_json
