// json_write_stream: the calls of a record's serialize_members as members of a
// JSON object, handed to sinks (the project file's text, a digest, the page's
// document of a drawing) while they come.
//
// The mapping is one to one. write(key, value) is the member "key": value of
// the current object. An object-begin/end mark pair under a key is a nested
// object under that key; a list-begin/end mark pair is a nested object too,
// holding "count" and the entries "item_N" (records) or "item_N_key" /
// "item_N_value" (text pairs). Narrow text is GBK in memory and UTF-8 in JSON.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/json/json_flat_tree.h"
#include "host/json/member_stream.h"

namespace ds_json {

/// Misuse throws stream_error naming the path: a key written twice into one
/// object (it would silently replace the first value), an end mark whose key or
/// kind differs from the open begin mark, an unknown mark kind, a double that is
/// not finite (JSON has no NaN or infinity), text or a key that is not valid
/// narrow text, and any read. A guard tag popped at another nesting level than
/// it was pushed is reported by finish(), since guards pop from destructors.
/// A save therefore fails loudly instead of producing a file that does not
/// read back as written; a sink sees a member only once it passed.
class json_write_stream : public member_rw_interface, public member_context {
public:
    /// A stream that hands the members to each of `sinks` in turn and every
    /// value to `observer` when given. It keeps no more than the keys of the
    /// objects still open: writing a long node costs no copy of it.
    /// `path_prefix` starts the path in every error, for example "nodes[3]".
    explicit json_write_stream(std::vector<member_sink*> sinks, std::string path_prefix = {}, value_observer observer = {});
    /// A stream that refuses what a saving stream refuses and shows every
    /// value to `observer`, but hands nothing on.
    static std::unique_ptr<json_write_stream> checking(value_observer observer);
    json_write_stream(const json_write_stream&) = delete;
    json_write_stream& operator=(const json_write_stream&) = delete;

    bool is_storing() const override { return true; }
    void write(const CString& key, int value) override;
    void write(const CString& key, double value) override;
    void write(const CString& key, bool value) override;
    void write(const CString& key, const CString& value) override;
    void read(const CString& key, int&) override { refuse_read(key); }
    void read(const CString& key, double&) override { refuse_read(key); }
    void read(const CString& key, bool&) override { refuse_read(key); }
    void read(const CString& key, CString&) override { refuse_read(key); }

    void mark(const CString& key, int kind) override;
    void push_guard_tag(const CString& tag) override;
    void pop_guard_tag() override;

    /// Ends the writing: throws stream_error while a mark or guard tag is
    /// still open or a guard tag fault was noted.
    void finish() const;

    /// How many objects had opened when the innermost open one did: 0 for the
    /// top, then 1, 2, ... in the order a walk of the written object meets them.
    std::size_t open_order() const { return m_order.back(); }

private:
    /// Hands `value` under `key` to the observer and the sinks; refuses a key written twice.
    void add(const CString& key, const member_value& value);
    /// `key` in UTF-8, refused when it is already in the current object.
    std::string new_key(const CString& key);
    std::string utf8_key(const CString& key) const;
    [[noreturn]] void fail(std::string_view leaf, const std::string& message) const;
    [[noreturn]] void refuse_read(const CString& key) const;

    flat_tree m_tree;  ///< the keys of the open objects
    std::vector<member_sink*> m_sinks;
    value_observer m_observer;
    std::vector<std::size_t> m_order{0};       ///< open_order of each open object
    std::size_t m_objects_opened = 0;
    std::string m_deferred_error;  ///< a fault found where throwing is not allowed
};

}  // namespace ds_json
