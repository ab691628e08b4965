// JSON text laid out byte for byte as nlohmann/json dumps it with an indent
// of 2, handed to a receiver in parts of a bounded size, so that a long text
// never stands in memory whole. Members come as a member sink while a record
// writes them.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/json/member_stream.h"

namespace ds_json {

class json_text_writer : public member_sink {
public:
    explicit json_text_writer(std::function<void(std::string_view)> piece);
    ~json_text_writer() override;
    json_text_writer(const json_text_writer&) = delete;
    json_text_writer& operator=(const json_text_writer&) = delete;

    /// Text as it stands (punctuation, line breaks).
    void raw(std::string_view text)
    {
        m_part.append(text);
        if (m_part.size() >= part_size) flush();
    }
    /// A JSON string. Throws std::runtime_error when `utf8` is not valid UTF-8.
    void string(std::string_view utf8);
    /// Hands over what is still held. Call after the last write.
    void flush();

    /// Starts an object whose members are the sink's, laid out `offset` + 2
    /// spaces deep; end_members() closes it after its last member.
    void begin_members(unsigned offset);
    void end_members() { close(); }
    void object_begin(const member_key& key, int kind) override;
    void object_end() override { close(); }
    void value(const member_key& key, const member_value& value) override;

private:
    static constexpr std::size_t part_size = 256 * 1024;
    class serializer;

    /// The separator, indent and key of a new member of the current object.
    void member(std::string_view key_utf8);
    void close();

    std::function<void(std::string_view)> m_piece;
    std::string m_part;
    std::unique_ptr<serializer> m_serializer;  ///< made once: making one asks for the locale
    unsigned m_offset = 0;
    std::vector<std::size_t> m_counts;  ///< members written so far, per open object
};

}  // namespace ds_json
