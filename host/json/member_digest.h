// The digest of a project's values as its records hold them: keys, nesting,
// typed numbers and GBK texts, not the text of the file. A load makes it from
// what each record reads and a save from what each record writes, so telling
// whether a command changed a project costs a load no writing and a save no
// second pass.
#pragma once

#include <string>
#include <string_view>

#include "host/json/member_stream.h"
#include "host/json/text_digest.h"

namespace ds_digest {

/// SHA-256 over the SHA-256 of each node's members, in order. Two projects
/// whose records hold the same values under the same keys in the same order
/// have the same digest, however their files were laid out; each node's own
/// digest tells which of them changed.
class member_digest : public ds_json::member_sink {
public:
    member_digest() { m_buffer.reserve(buffer_size); }

    /// Starts a node: its class, tag and name (GBK). Ends the one before, if still open.
    void node(std::string_view class_name, std::string_view tag, std::string_view name);
    /// Ends the node started last and gives its digest.
    digest end_node();
    /// Forgets what came since node(), so that the node can be given again.
    void drop_node();
    void object_begin(const ds_json::member_key& key, int kind) override;
    void object_end() override;
    void value(const ds_json::member_key& key, const ds_json::member_value& value) override;

    /// The digest of everything seen; the object is spent afterwards.
    digest finish();

private:
    static constexpr std::size_t buffer_size = 64 * 1024;

    void byte(char c) { m_buffer.push_back(c); }
    void bytes(const void* data, std::size_t size);
    /// Length first, so that no two sequences of texts give the same bytes.
    void text(std::string_view t);
    void flush_if_full();

    std::string m_buffer;  ///< small entries gathered, so the hash sees large pieces
    text_digest m_node;    ///< the open node's members
    text_digest m_project; ///< the digests of the nodes ended
    bool m_open = false;   ///< entries came since the last end_node()
};

}  // namespace ds_digest
