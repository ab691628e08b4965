// A member sink that lays the members out as JSON text while they come, as
// dump_text lays out an object nested some levels deep.
#pragma once

#include <cstddef>
#include <vector>

#include "host/json/json_piece_writer.h"
#include "host/json/json_text.h"
#include "host/json/member_sink.h"

namespace ds_json {

class json_text_layout : public member_sink {
public:
    /// Writes to `output`, the object's members indented `offset` + 2 spaces.
    json_text_layout(piece_writer& output, unsigned offset) : m_out(output), m_offset(offset), m_counts{0} {}

    void object_begin(const member_key& key, int kind) override;
    void object_end() override;
    void value(const member_key& key, const member_value& value) override;
    /// Closes the top object: call once, after its last member.
    void finish() { close(); }

private:
    /// The separator, indent and key of a new member of the current object.
    void member(std::string_view key_utf8);
    void close();
    /// A JSON string; texts that need no escaping skip the library's serializer.
    void string(std::string_view utf8);

    piece_writer& m_out;
    unsigned m_offset;
    std::vector<std::size_t> m_counts;  ///< members written so far, per open object
};

}  // namespace ds_json
