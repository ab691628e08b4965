// json_read_stream: a record's serialize_members served from a JSON object,
// as the project file holds it. Never throws for bad data.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/json/json_flat_tree.h"
#include "host/json/member_digest.h"
#include "host/json/member_stream.h"

namespace ds_json {

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
class json_read_stream : public member_rw_interface, public member_context {
public:
    /// Reads `tree`, which it keeps and whose top should be an object.
    /// `path_prefix` starts every diagnostic path.
    explicit json_read_stream(flat_tree&& tree, std::string path_prefix = {});
    /// Reads the value `at` of `tree`, which should be an object; the tree
    /// must outlive the stream and stay as it is.
    json_read_stream(const flat_tree& tree, std::size_t at, std::string path_prefix = {});
    json_read_stream(const json_read_stream&) = delete;
    json_read_stream& operator=(const json_read_stream&) = delete;

    bool is_storing() const override { return false; }
    void write(const CString& key, int) override { refuse_write(key); }
    void write(const CString& key, double) override { refuse_write(key); }
    void write(const CString& key, bool) override { refuse_write(key); }
    void write(const CString& key, const CString&) override { refuse_write(key); }
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

    /// Makes `digest` follow every value the record holds after each read (the
    /// one it kept when an entry is missing), in order, as a save would hand
    /// them over, and shows `observer` each value a record took in, as it takes
    /// it (missing and unusable entries are not shown: the diagnostics tell of them).
    void listen(ds_digest::member_digest* digest, value_observer observer);

    const std::vector<stream_diagnostic>& diagnostics() const { return m_diagnostics; }
    bool has_errors() const { return has_error(m_diagnostics); }

private:
    static constexpr std::size_t none = static_cast<std::size_t>(-1);

    /// An object being read; frames are kept for the next object opened, with their room.
    struct frame {
        std::size_t object = none;  ///< the object's value in the tree; none for an empty one
        std::size_t count = 0;      ///< its members
        std::vector<bool> read;     ///< per member, in member order
        /// Member value and position by key, built for large objects only.
        std::unordered_map<std::string_view, std::pair<std::size_t, std::size_t>> index;
        std::size_t next = none;       ///< the member after the one found last: where a file in read order continues
        std::size_t next_position = 0;  ///< its position among the members
        bool is_list = false;
    };

    void start(std::size_t at);
    frame& top() { return m_frames[m_open - 1]; }
    /// The value of the member `key` of the current object, marked as read;
    /// none (and a diagnostic) when the key is missing or does not convert.
    std::size_t find(const CString& key, std::string& key_text);
    /// The member `key_text` of `f`'s object and its position; none when there is none.
    std::pair<std::size_t, std::size_t> member_of(frame& f, const std::string& key_text) const;
    /// Reads `key` into `value`; true when it was set.
    template <class T>
    bool read_value(const CString& key, T& value);
    /// Tells the listeners of the value `key` holds after a read; `taken` when it came from the file.
    void heard(const CString& key, const std::string& key_text, const member_value& value, bool taken);
    void clamp_count(int& count);
    void open(std::size_t object, bool is_list);
    /// Notes a warning naming the members of `f` that were never read.
    void note_unread(const frame& f);
    /// Closes the innermost nested object (never the top one).
    void close_top();
    void note(diagnostic_severity severity, std::string_view leaf, std::string message);
    [[noreturn]] void refuse_write(const CString& key) const;

    flat_tree m_owned;         ///< the document, for a stream made from one
    const flat_tree* m_tree;
    std::vector<frame> m_frames;
    std::size_t m_open = 0;    ///< frames in use
    std::vector<stream_diagnostic> m_diagnostics;
    bool m_finished = false;
    ds_digest::member_digest* m_digest = nullptr;
    value_observer m_observer;
};

}  // namespace ds_json
