// JSON text in parts: plain text appended in place, values through the
// library's serializer so that they are laid out exactly as it dumps them.
#include "host/json/json_piece_writer.h"

#include <stdexcept>

#include "host/json/json_text.h"

using nlohmann::ordered_json;

namespace ds_json {

/// The serializer's way into the writer's current part.
class piece_writer::output : public nlohmann::detail::output_adapter_protocol<char> {
public:
    explicit output(piece_writer& writer) : m_writer(writer) {}
    void write_character(char c) override { m_writer.raw(std::string_view(&c, 1)); }
    void write_characters(const char* s, std::size_t length) override { m_writer.raw(std::string_view(s, length)); }

private:
    piece_writer& m_writer;
};

class piece_writer::layout : public nlohmann::detail::serializer<ordered_json> {
public:
    explicit layout(piece_writer& writer)
        : serializer(std::make_shared<output>(writer), ' ', ordered_json::error_handler_t::strict)
    {
    }
};

piece_writer::piece_writer(std::function<void(std::string_view)> piece)
    : m_piece(std::move(piece)), m_layout(std::make_unique<layout>(*this))
{
    m_part.reserve(part_size + part_size / 4);
}

piece_writer::~piece_writer() = default;

void piece_writer::value(const ordered_json& value, unsigned offset)
{
    try {
        m_layout->dump(value, true, false, 2, offset);
    } catch (const ordered_json::exception& e) {
        throw std::runtime_error("cannot write JSON text: " + json_error_reason(e.what()));
    }
}

void piece_writer::flush()
{
    if (!m_part.empty()) m_piece(m_part);
    m_part.clear();
}

}  // namespace ds_json
