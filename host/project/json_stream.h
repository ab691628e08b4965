// The file-backed member streams: json_write_stream turns the calls of a
// record's serialize_members into a JSON object, json_read_stream serves them
// back from one.
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
#include <unordered_map>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/project/json_members.h"
#include "host/project/json_text.h"
#include "host/framework/member_rw_interface.h"
#include "host/project/stream_diagnostic.h"
#include "host/project/stream_path.h"

/// Writes into an ordered JSON object, keeping the order of the calls.
///
/// Misuse throws ds_stream_error naming the path: a key written twice into one
/// object (it would silently replace the first value), an end mark whose key or
/// kind differs from the open begin mark, an unknown mark kind, a double that is
/// not finite (JSON has no NaN or infinity), text or a key that is not valid
/// narrow text, and any read. A guard tag popped at another nesting level than
/// it was pushed is reported by document(), since guards pop from destructors.
/// A save therefore fails loudly instead of producing a file that does not read
/// back as written.
class json_write_stream : public member_rw_interface {
public:
    /// Sees each value as it is written: the stream (for open_key and
    /// open_path), the value's key and the value.
    using value_observer =
        std::function<void(const json_write_stream&, const std::string& key, const nlohmann::ordered_json& value)>;

    /// `path_prefix` starts the path in every error, for example "nodes[3]".
    explicit json_write_stream(std::string path_prefix = {});
    /// A stream that refuses what a saving stream refuses and shows every
    /// value to `observer`, but keeps no values: checking what a node would
    /// write costs no copy of it. Its document() holds the keys with null values.
    static std::unique_ptr<json_write_stream> checking(value_observer observer);
    /// A stream that refuses what a saving stream refuses and writes the
    /// object as JSON text to `output` while the members come, laid out as
    /// dump_text lays it out nested `offset` spaces deep, instead of keeping
    /// it. Call finish_text() after the last write; after a refusal the text
    /// written is incomplete.
    static std::unique_ptr<json_write_stream> to_text(ds_json::piece_writer& output, unsigned offset,
                                                      std::string path_prefix = {}, value_observer observer = {});
    json_write_stream(const json_write_stream&) = delete;
    json_write_stream& operator=(const json_write_stream&) = delete;

    bool is_storing() const override { return true; }

    void write(const CString& key, int value) override;
    void write(const CString& key, double value) override;
    void write(const CString& key, bool value) override;
    void write(const CString& key, const CString& value) override;

    void read(const CString& key, int& value) override;
    void read(const CString& key, double& value) override;
    void read(const CString& key, bool& value) override;
    void read(const CString& key, CString& value) override;

    void mark(const CString& key, int kind) override;
    void push_guard_tag(const CString& tag) override;
    void pop_guard_tag() override;

    /// The object written so far. Throws ds_stream_error while a mark or guard tag is still open.
    const nlohmann::ordered_json& document() const;
    /// document(), moved out: the stream is spent afterwards. Spares a copy of
    /// every member when a whole project is assembled.
    nlohmann::ordered_json take_document();
    /// Ends a to_text stream: refuses what document() refuses, then closes the object.
    void finish_text();
    /// document() as UTF-8 JSON text (`indent` as in ds_json::dump_text).
    std::string text(int indent = 2) const;

    /// Key of the innermost open object; empty at the top.
    const std::string& open_key() const { return m_frames.back().key; }
    /// Key of the open object `levels` above the innermost one (0 gives
    /// open_key()); empty above the top.
    const std::string& open_key_above(std::size_t levels) const
    {
        static const std::string none;
        return levels < m_frames.size() ? m_frames[m_frames.size() - 1 - levels].key : none;
    }
    /// Keys of the open objects, outermost first, joined by '/'; empty at the top.
    std::string open_path() const;
    /// How many objects had opened when the innermost open one did: 0 for the
    /// top, then 1, 2, ... in the order a walk of the written object meets them.
    std::size_t open_order() const { return m_frames.back().order; }

private:
    /// An object being written; it goes into its parent under `key` when its end mark comes.
    struct frame {
        ds_json::object_members members;
        std::string key;
        std::size_t order = 0;
    };

    /// Adds `value` under `key` to the current object; refuses a key written twice.
    void add(const CString& key, nlohmann::ordered_json value);
    /// Throws ds_stream_error while a mark or guard tag is open or a guard tag fault was noted.
    void check_complete() const;
    /// For to_text streams: the separator, indent and key of a new member of the current object.
    void text_member(const std::string& key);
    /// For to_text streams: the end of the innermost object.
    void text_close();
    /// `key` in UTF-8, refused when it is already in the current object.
    std::string new_key(const CString& key) const;
    std::string utf8_key(const CString& key) const;
    [[noreturn]] void fail(std::string_view leaf, const std::string& message) const;

    // The top object is completed when it is asked for: its members written
    // since then are moved into m_document, which may already hold some.
    mutable nlohmann::ordered_json m_document;
    mutable std::vector<frame> m_frames;
    stream_path m_path;
    std::string m_deferred_error;  ///< a fault found where throwing is not allowed
    value_observer m_observer;
    bool m_keep_values = true;
    std::size_t m_objects_opened = 0;
    ds_json::piece_writer* m_text = nullptr;  ///< set for to_text streams
    unsigned m_text_offset = 0;
};

/// Reads from a JSON object; never throws for bad data.
///
/// A missing key leaves the target unchanged and notes a warning; a value that
/// is present but unusable (another JSON type, a number out of the target's
/// range, a fraction read as int, text the narrow charset cannot hold) leaves it
/// unchanged and notes an error. A begin mark whose key is missing or not an
/// object opens an empty object, so every read inside fails softly. "count" read
/// inside a list is clamped to [0, number of items present], so a hostile file
/// cannot make a reader allocate beyond what the file holds. Entries that were
/// never read are noted as warnings when their object is closed (and by finish()
/// for the top object), so a partial load is visible. Writes throw ds_stream_error.
class json_read_stream : public member_rw_interface {
public:
    /// Reads `document`, which should be an object. `path_prefix` starts every diagnostic path.
    explicit json_read_stream(nlohmann::ordered_json document, std::string path_prefix = {});
    /// Parses UTF-8 JSON text strictly (ds_json::parse_text); throws ds_json::json_text_error.
    static std::unique_ptr<json_read_stream> from_text(std::string_view utf8, std::string path_prefix = {});
    json_read_stream(const json_read_stream&) = delete;
    json_read_stream& operator=(const json_read_stream&) = delete;

    bool is_storing() const override { return false; }

    void write(const CString& key, int value) override;
    void write(const CString& key, double value) override;
    void write(const CString& key, bool value) override;
    void write(const CString& key, const CString& value) override;

    void read(const CString& key, int& value) override;
    void read(const CString& key, double& value) override;
    void read(const CString& key, bool& value) override;
    void read(const CString& key, CString& value) override;

    void mark(const CString& key, int kind) override;
    void push_guard_tag(const CString& tag) override;
    void pop_guard_tag() override;

    /// Ends the read: notes an error for marks or guard tags still open and a
    /// warning for unread entries of the top object. Call once, after the last read.
    void finish();

    const std::vector<stream_diagnostic>& diagnostics() const { return m_diagnostics; }
    bool has_errors() const { return has_error(m_diagnostics); }

private:
    struct frame {
        const nlohmann::ordered_json* object;
        std::vector<bool> read;                                    ///< per member, in member order
        std::unordered_map<std::string_view, std::size_t> index;  ///< built for large objects only
        std::size_t next = 0;  ///< the member after the one found last: where a file in read order continues
        bool is_list = false;
    };

    /// The member under `key` in the current object, marked as read; null (and a
    /// diagnostic) when the key is missing or does not convert.
    const nlohmann::ordered_json* find(const CString& key, std::string& key_text);
    /// Position of the member `key_text` in `f`'s object; its size when there is none.
    static std::size_t position_of(frame& f, const std::string& key_text);
    /// Reads `key` through `convert`; true when `value` was set.
    template <class T, class Convert>
    bool read_value(const CString& key, T& value, Convert convert);
    void clamp_count(int& count);
    void open(const nlohmann::ordered_json* object, bool is_list);
    /// Notes a warning naming the members of `f` that were never read.
    void note_unread(const frame& f);
    /// Closes the innermost nested object (never the top one).
    void close_top();
    void note(diagnostic_severity severity, std::string_view leaf, std::string message);
    [[noreturn]] void refuse_write() const;

    nlohmann::ordered_json m_document;
    std::vector<frame> m_frames;
    stream_path m_path;
    std::vector<stream_diagnostic> m_diagnostics;
    bool m_finished = false;
};
