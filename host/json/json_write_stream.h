// json_write_stream: the calls of a record's serialize_members as members of a
// JSON object, handed to a sink (the project file's text, a document, a
// digest) while they come.
//
// The mapping is one to one. write(key, value) is the member "key": value of
// the current object. An object-begin/end mark pair under a key is a nested
// object under that key; a list-begin/end mark pair is a nested object too,
// holding "count" and the entries "item_N" (records) or "item_N_key" /
// "item_N_value" (text pairs). Narrow text is GBK in memory and UTF-8 in JSON.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/framework/member_rw_interface.h"
#include "host/json/json_document_builder.h"
#include "host/json/json_members.h"
#include "host/json/member_context.h"
#include "host/json/member_sink.h"
#include "host/json/one_way_stream.h"
#include "host/json/stream_diagnostic.h"
#include "host/json/stream_path.h"

namespace ds_json {

/// Misuse throws stream_error naming the path: a key written twice into one
/// object (it would silently replace the first value), an end mark whose key or
/// kind differs from the open begin mark, an unknown mark kind, a double that is
/// not finite (JSON has no NaN or infinity), text or a key that is not valid
/// narrow text, and any read. A guard tag popped at another nesting level than
/// it was pushed is reported by finish() and document(), since guards pop from
/// destructors. A save therefore fails loudly instead of producing a file that
/// does not read back as written; a sink sees a member only once it passed.
class json_write_stream : public writing_member_stream, public member_context {
public:
    /// Sees each value as it is written: where the stream is, the value's key and the value.
    using value_observer = ds_json::value_observer;

    /// A stream that builds the members into a document (see document()).
    /// `path_prefix` starts the path in every error, for example "nodes[3]".
    explicit json_write_stream(std::string path_prefix = {});
    /// A stream that hands the members to `sink`, and every value to `observer` when given.
    json_write_stream(member_sink& sink, std::string path_prefix, value_observer observer = {});
    /// A stream that refuses what a saving stream refuses and shows every
    /// value to `observer`, but keeps nothing: checking what a node would
    /// write costs no copy of it.
    static std::unique_ptr<json_write_stream> checking(value_observer observer);
    json_write_stream(const json_write_stream&) = delete;
    json_write_stream& operator=(const json_write_stream&) = delete;

    void write(const CString& key, int value) override;
    void write(const CString& key, double value) override;
    void write(const CString& key, bool value) override;
    void write(const CString& key, const CString& value) override;

    void mark(const CString& key, int kind) override;
    void push_guard_tag(const CString& tag) override;
    void pop_guard_tag() override;

    /// Ends the writing: throws stream_error while a mark or guard tag is
    /// still open or a guard tag fault was noted.
    void finish() const;
    /// The object built so far (streams made without a sink). Throws as finish() does.
    const nlohmann::ordered_json& document() const;
    /// document(), moved out: the stream is spent afterwards.
    nlohmann::ordered_json take_document();
    /// document() as UTF-8 JSON text (`indent` as in ds_json::dump_text).
    std::string text(int indent = 2) const;

    const std::string& open_key_above(std::size_t levels) const override
    {
        static const std::string none;
        return levels < m_depth ? m_frames[m_depth - 1 - levels].key : none;
    }
    std::string open_path() const override;
    /// How many objects had opened when the innermost open one did: 0 for the
    /// top, then 1, 2, ... in the order a walk of the written object meets them.
    std::size_t open_order() const { return m_frames[m_depth - 1].order; }

private:
    /// An object being written: its key, and the keys written into it so far.
    struct frame {
        object_members keys;
        std::string key;
        std::size_t order = 0;
    };

    /// Hands `value` under `key` to the sink; refuses a key written twice.
    void add(const CString& key, const member_value& value);
    /// `key` in UTF-8, refused when it is already in the current object.
    /// (The text stays valid until the next key is added to that object.)
    const std::string& new_key(const CString& key);
    std::string utf8_key(const CString& key) const;
    [[noreturn]] void fail(std::string_view leaf, const std::string& message) const;
    [[noreturn]] void refuse_read(const CString& key) const override;

    std::unique_ptr<json_document_builder> m_builder;  ///< streams made without a sink
    member_sink* m_sink;                                ///< null for checking streams
    mutable nlohmann::ordered_json m_document;          ///< the top object as document() last completed it
    std::vector<frame> m_frames;  ///< kept with their room for the next object opened
    std::size_t m_depth = 1;      ///< frames in use: the top object and the open ones
    stream_path m_path;
    std::string m_deferred_error;  ///< a fault found where throwing is not allowed
    value_observer m_observer;
    std::size_t m_objects_opened = 0;
};

}  // namespace ds_json
