// What the JSON member streams share: the values they pass, the sink a
// writing stream hands them to, where a stream is while a value passes (keys,
// marks and guard tags), the diagnostics a reading stream notes and the error
// a stream used against its protocol throws.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "host/framework/member_rw_interface.h"

enum class diagnostic_severity {
    warning,  ///< an entry was missing or left unread; the target kept its value
    error,    ///< an entry was present but unusable (wrong type, out of range, bad text)
};

/// One problem found while reading; texts are UTF-8.
struct stream_diagnostic {
    diagnostic_severity severity = diagnostic_severity::warning;
    /// Keys and guard tags leading to the entry, for example
    /// "nodes[0] DS_ui_data/m_draw_data(DS_draw_data)/m_gz(DS_steel_Gen)/m_iCount".
    std::string path;
    std::string message;
    /// An entry of the file that the load did not take in: saving the node
    /// again drops it, so writing commands refuse unless the user insists.
    bool unread = false;
};

/// "warning: path: message" (or "error: ...").
std::string to_string(const stream_diagnostic& diagnostic);
/// True when any diagnostic in the list is an error.
bool has_error(const std::vector<stream_diagnostic>& diagnostics);
/// The diagnostics that name entries left unread.
std::vector<stream_diagnostic> unread_entries(const std::vector<stream_diagnostic>& diagnostics);

namespace ds_json {

/// Thrown by a stream used against its protocol: writing a key twice into one
/// object, an end mark that does not match its begin, text that does not
/// convert to UTF-8, a number JSON cannot hold, or a write on a reading stream.
class stream_error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// One stored value as a member stream sees it: its kind and value, and for
/// text both forms, GBK as the record holds it and UTF-8 as the file stores it.
struct member_value {
    enum class kind { integer, real, boolean, text };
    kind type = kind::integer;
    int integer = 0;
    double real = 0;
    bool boolean = false;
    std::string_view narrow;  ///< text only
    std::string_view utf8;    ///< text only

    static member_value of(int v) { return {kind::integer, v, 0, false, {}, {}}; }
    static member_value of(double v) { return {kind::real, 0, v, false, {}, {}}; }
    static member_value of(bool v) { return {kind::boolean, 0, 0, v, {}, {}}; }
    static member_value of_text(std::string_view narrow, std::string_view utf8) { return {kind::text, 0, 0, false, narrow, utf8}; }

    /// A number or boolean as the project file writes it, a text as it stands.
    std::string text() const;
};

/// A member's key in both forms, as member_value holds text.
struct member_key {
    std::string_view narrow;
    std::string_view utf8;
};

/// Receives the members of one object tree in order (the file's text, a
/// digest). A writing stream has refused misuse (repeated keys, unmatched
/// marks, values JSON cannot hold) before a sink sees anything.
class member_sink {
public:
    virtual ~member_sink() = default;
    /// A nested object under `key`, opened by a mark of `kind`.
    virtual void object_begin(const member_key& key, int kind) = 0;
    /// The end of the innermost nested object.
    virtual void object_end() = 0;
    virtual void value(const member_key& key, const member_value& value) = 0;
};

/// Where a member stream is while a value passes: the keys of the objects open
/// around it. The loader's limits tell fields that share a key apart by them.
class member_context {
public:
    /// Key of the innermost open object; empty at the top.
    const std::string& open_key() const { return open_key_above(0); }
    /// Key of the open object `levels` above the innermost one; empty above the top.
    const std::string& open_key_above(std::size_t levels) const;
    /// Keys of the open objects, outermost first, joined by '/'; empty at the top.
    std::string open_path() const;

protected:
    /// `prefix` starts every rendered path, for example "nodes[3]".
    explicit member_context(std::string prefix) : m_prefix(std::move(prefix)) {}
    ~member_context() = default;

    /// Opens a nested level under `key` (UTF-8) with the mark kind that opened it.
    void enter(std::string key, int kind);
    /// Closes the innermost level, dropping the tags still pushed on it
    /// (normally none); the first of them, if any.
    std::optional<std::string> leave();
    /// Open nested levels (0 at the top object).
    std::size_t depth() const { return m_levels.size(); }
    const std::string& top_key() const { return m_levels.back().key; }
    int top_kind() const { return m_levels.back().kind; }

    void push_tag(std::string tag);
    /// Pops the last tag pushed. False when it was not pushed on the innermost
    /// level (it is popped all the same) or when no tag is pushed at all.
    bool pop_tag();
    std::size_t tag_count() const { return m_tags.size(); }

    /// "prefix tag/key(tag)/key(tag)/leaf": each level's key followed by the
    /// guard tags pushed on it so far (popped ones included, so that a path
    /// rendered at an end mark still names the record the object held).
    std::string render(std::string_view leaf = {}) const;
    /// What is wrong with an end mark of `kind` under `key`; empty when it closes the open begin mark.
    std::string end_mark_fault(const std::string& key, int kind) const;

private:
    struct level {
        std::string key;
        int kind;
    };
    struct tag {
        std::size_t depth;
        std::string text;
    };

    std::string m_prefix;
    std::vector<level> m_levels;
    std::vector<tag> m_tags;                          ///< open tags
    std::vector<std::vector<std::string>> m_seen{1};  ///< per depth, every tag pushed there
};

/// Sees each value as a stream passes it: where the stream is, the value's key
/// (UTF-8) and the value.
using value_observer = std::function<void(const member_context&, const std::string& key, const member_value& value)>;

/// The begin and end marks, as both directions read them.
namespace stream_marks {
inline bool is_begin(int kind) { return kind == x_mark_object_begin || kind == x_mark_list_begin; }
inline bool is_end(int kind) { return kind == x_mark_object_end || kind == x_mark_list_end; }
/// "object" or "list".
inline const char* name(int kind) { return kind == x_mark_object_begin || kind == x_mark_object_end ? "object" : "list"; }
}  // namespace stream_marks

}  // namespace ds_json
