// JSON-backed member streams: the project file's view of serialize_members.
#include "host/project/json_stream.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <unordered_set>
#include <utility>

#include "host/project/json_text.h"
#include "host/text/encoding.h"

using nlohmann::ordered_json;

namespace {

bool is_begin(int kind) { return kind == x_mark_object_begin || kind == x_mark_list_begin; }
bool is_end(int kind) { return kind == x_mark_object_end || kind == x_mark_list_end; }
/// The begin kind that an end kind closes.
int begin_of(int end_kind) { return end_kind - 1; }
const char* mark_name(int kind) { return kind == x_mark_object_begin || kind == x_mark_object_end ? "object" : "list"; }

/// "a string", "the number 3.7", "an object": what a reader found instead.
std::string describe(const ordered_json& value)
{
    if (value.is_number() || value.is_boolean()) return "the " + std::string(value.type_name()) + " " + value.dump();
    if (value.is_object() || value.is_array()) return "an " + std::string(value.type_name());
    return "a " + std::string(value.type_name());
}

bool to_int(const ordered_json& value, int& out, std::string& problem)
{
    if (value.is_number_unsigned()) {
        const auto u = value.get<std::uint64_t>();
        if (u > static_cast<std::uint64_t>(INT_MAX)) {
            problem = "the number " + value.dump() + " is out of range for an int";
            return false;
        }
        out = static_cast<int>(u);
        return true;
    }
    if (value.is_number_integer()) {
        const auto i = value.get<std::int64_t>();
        if (i < INT_MIN || i > INT_MAX) {
            problem = "the number " + value.dump() + " is out of range for an int";
            return false;
        }
        out = static_cast<int>(i);
        return true;
    }
    if (value.is_number_float()) {
        // get<int>() would truncate 3.7 to 3 and is undefined past the int range.
        const double d = value.get<double>();
        if (std::trunc(d) != d) {
            problem = "expected an integer, found " + describe(value);
            return false;
        }
        if (d < static_cast<double>(INT_MIN) || d > static_cast<double>(INT_MAX)) {
            problem = "the number " + value.dump() + " is out of range for an int";
            return false;
        }
        out = static_cast<int>(d);
        return true;
    }
    problem = "expected an integer, found " + describe(value);
    return false;
}

bool to_double(const ordered_json& value, double& out, std::string& problem)
{
    if (!value.is_number()) {
        problem = "expected a number, found " + describe(value);
        return false;
    }
    out = value.get<double>();
    return true;
}

bool to_bool(const ordered_json& value, bool& out, std::string& problem)
{
    if (!value.is_boolean()) {
        problem = "expected true or false, found " + describe(value);
        return false;
    }
    out = value.get<bool>();
    return true;
}

bool to_narrow_text(const ordered_json& value, CString& out, std::string& problem)
{
    if (!value.is_string()) {
        problem = "expected a string, found " + describe(value);
        return false;
    }
    try {
        out = ds_text::from_utf8(value.get_ref<const std::string&>());
        return true;
    } catch (const ds_text::conversion_error& e) {
        problem = std::string("text does not convert: ") + e.what();
        return false;
    }
}

/// Number of distinct item indices among the members: "item_3" and
/// "item_3_key" / "item_3_value" each count as item 3.
std::size_t items_present(const ordered_json::object_t& members)
{
    std::unordered_set<unsigned long> seen;
    for (const auto& member : members) {
        const std::string& key = member.first;
        if (key.rfind("item_", 0) != 0) continue;
        std::size_t end = 5;
        while (end < key.size() && end < 5 + 9 && key[end] >= '0' && key[end] <= '9') ++end;
        if (end == 5 || (end < key.size() && key[end] != '_')) continue;
        seen.insert(std::stoul(key.substr(5, end - 5)));
    }
    return seen.size();
}

const ordered_json& empty_object()
{
    static const ordered_json empty = ordered_json::object();
    return empty;
}

}  // namespace

// ---------------------------------------------------------------- writing

json_write_stream::json_write_stream(std::string path_prefix)
    : m_document(ordered_json::object()), m_path(std::move(path_prefix))
{
    m_frames.emplace_back();
}

std::unique_ptr<json_write_stream> json_write_stream::checking(value_observer observer)
{
    auto stream = std::make_unique<json_write_stream>();
    stream->m_observer = std::move(observer);
    stream->m_keep_values = false;
    return stream;
}

std::unique_ptr<json_write_stream> json_write_stream::to_text(ds_json::piece_writer& output, unsigned offset,
                                                              std::string path_prefix, value_observer observer)
{
    auto stream = std::make_unique<json_write_stream>(std::move(path_prefix));
    stream->m_observer = std::move(observer);
    stream->m_keep_values = false;
    stream->m_text = &output;
    stream->m_text_offset = offset;
    return stream;
}

void json_write_stream::text_member(const std::string& key)
{
    // An object's opening brace waits for its first member: an empty one is "{}".
    m_text->raw(m_frames.back().members.size() == 0 ? "{\n" : ",\n");
    m_text->spaces(m_text_offset + 2 * m_frames.size());
    m_text->value(key);
    m_text->raw(": ");
}

void json_write_stream::text_close()
{
    if (m_frames.back().members.size() == 0) {
        m_text->raw("{}");
        return;
    }
    m_text->raw("\n");
    m_text->spaces(m_text_offset + 2 * (m_frames.size() - 1));
    m_text->raw("}");
}

void json_write_stream::finish_text()
{
    check_complete();
    text_close();
}

std::string json_write_stream::open_path() const
{
    std::string path;
    for (std::size_t i = 1; i < m_frames.size(); ++i) path += (i > 1 ? "/" : "") + m_frames[i].key;
    return path;
}

void json_write_stream::fail(std::string_view leaf, const std::string& message) const
{
    throw ds_stream_error(m_path.render(leaf) + ": " + message);
}

std::string json_write_stream::utf8_key(const CString& key) const
{
    try {
        return ds_text::to_utf8(key);
    } catch (const ds_text::conversion_error& e) {
        fail(ds_text::to_utf8_for_display(key), std::string("key does not convert: ") + e.what());
    }
}

std::string json_write_stream::new_key(const CString& key) const
{
    std::string text = utf8_key(key);
    // The top object may hold members already completed by document().
    const bool repeated = m_frames.back().members.contains(text) ||
                          (m_frames.size() == 1 && m_document.contains(text));
    if (repeated) fail(text, "key written twice into one object");
    return text;
}

void json_write_stream::add(const CString& key, ordered_json value)
{
    std::string text = new_key(key);
    if (m_observer) m_observer(*this, text, value);
    if (m_text) {
        text_member(text);
        m_text->value(value);
    }
    m_frames.back().members.append(std::move(text), m_keep_values ? std::move(value) : ordered_json());
}

void json_write_stream::write(const CString& key, int value) { add(key, value); }

void json_write_stream::write(const CString& key, double value)
{
    if (!std::isfinite(value)) fail(ds_text::to_utf8_for_display(key), "value is not a finite number");
    add(key, value);
}

void json_write_stream::write(const CString& key, bool value) { add(key, value); }

void json_write_stream::write(const CString& key, const CString& value)
{
    std::string text;
    try {
        text = ds_text::to_utf8(value);
    } catch (const ds_text::conversion_error& e) {
        fail(ds_text::to_utf8_for_display(key), std::string("text does not convert: ") + e.what());
    }
    add(key, std::move(text));
}

void json_write_stream::read(const CString& key, int&) { fail(ds_text::to_utf8_for_display(key), "read on a writing stream"); }
void json_write_stream::read(const CString& key, double&) { fail(ds_text::to_utf8_for_display(key), "read on a writing stream"); }
void json_write_stream::read(const CString& key, bool&) { fail(ds_text::to_utf8_for_display(key), "read on a writing stream"); }
void json_write_stream::read(const CString& key, CString&) { fail(ds_text::to_utf8_for_display(key), "read on a writing stream"); }

void json_write_stream::mark(const CString& key, int kind)
{
    if (is_begin(kind)) {
        std::string text = new_key(key);
        if (m_text) text_member(text);
        m_path.enter(text, kind);
        m_frames.push_back({{}, std::move(text), ++m_objects_opened});
        return;
    }
    const std::string text = utf8_key(key);
    if (!is_end(kind)) fail(text, "unknown mark kind " + std::to_string(kind));
    if (m_path.depth() == 0) fail(text, std::string(mark_name(kind)) + " end mark without an open begin mark");
    if (m_path.top_key() != text || m_path.top_kind() != begin_of(kind))
        fail(text, std::string(mark_name(kind)) + " end mark does not match the open " +
                       mark_name(m_path.top_kind()) + " \"" + m_path.top_key() + "\"");
    if (const auto dropped = m_path.leave(); !dropped.empty())
        fail(text, "guard tag \"" + dropped.front() + "\" still open at the end mark");
    if (m_text) text_close();
    frame done = std::move(m_frames.back());
    m_frames.pop_back();
    m_frames.back().members.append(std::move(done.key), m_keep_values ? done.members.take_object() : ordered_json());
}

void json_write_stream::push_guard_tag(const CString& tag) { m_path.push_tag(ds_text::to_utf8_for_display(tag)); }

void json_write_stream::pop_guard_tag()
{
    // Guards pop from their destructors, also while an exception unwinds, so
    // this must not throw: the fault is kept for document() to report.
    if (!m_path.pop_tag() && m_deferred_error.empty())
        m_deferred_error = m_path.render() + ": guard tag popped without a matching push at this level";
}

void json_write_stream::check_complete() const
{
    if (!m_deferred_error.empty()) throw ds_stream_error(m_deferred_error);
    if (m_path.depth() > 0)
        fail({}, std::string(mark_name(m_path.top_kind())) + " \"" + m_path.top_key() + "\" is still open");
    if (m_path.tag_count() > 0) fail({}, "a guard tag is still open");
}

const ordered_json& json_write_stream::document() const
{
    check_complete();
    ds_json::object_members& written = m_frames.front().members;
    if (m_document.empty()) {
        m_document = written.take_object();
    } else if (written.size() > 0) {
        ordered_json later = written.take_object();
        for (auto& [key, value] : later.items()) m_document[key] = std::move(value);
    }
    return m_document;
}

ordered_json json_write_stream::take_document()
{
    document();  // throws while anything is still open
    return std::exchange(m_document, ordered_json::object());
}

std::string json_write_stream::text(int indent) const { return ds_json::dump_text(document(), indent); }

// ---------------------------------------------------------------- reading

json_read_stream::json_read_stream(ordered_json document, std::string path_prefix)
    : m_document(std::move(document)), m_path(std::move(path_prefix))
{
    if (m_document.is_object()) {
        open(&m_document, false);
    } else {
        open(&empty_object(), false);
        note(diagnostic_severity::error, {}, "expected an object at the top, found " + describe(m_document));
    }
}

std::unique_ptr<json_read_stream> json_read_stream::from_text(std::string_view utf8, std::string path_prefix)
{
    return std::make_unique<json_read_stream>(ds_json::parse_text(utf8), std::move(path_prefix));
}

void json_read_stream::note(diagnostic_severity severity, std::string_view leaf, std::string message)
{
    m_diagnostics.push_back({severity, m_path.render(leaf), std::move(message)});
}

void json_read_stream::open(const ordered_json* object, bool is_list)
{
    frame f;
    f.object = object;
    f.read.assign(object->size(), false);
    f.is_list = is_list;
    m_frames.push_back(std::move(f));
}

const ordered_json* json_read_stream::find(const CString& key, std::string& key_text)
{
    try {
        key_text = ds_text::to_utf8(key);
    } catch (const ds_text::conversion_error& e) {
        key_text = ds_text::to_utf8_for_display(key);
        note(diagnostic_severity::error, key_text, std::string("key does not convert: ") + e.what());
        return nullptr;
    }
    frame& top = m_frames.back();
    const std::size_t pos = position_of(top, key_text);
    const auto& members = top.object->get_ref<const ordered_json::object_t&>();
    if (pos == members.size()) {
        note(diagnostic_severity::warning, key_text, "missing entry");
        return nullptr;
    }
    top.read[pos] = true;
    top.next = pos + 1;
    return &(members.begin() + pos)->second;
}

std::size_t json_read_stream::position_of(frame& f, const std::string& key_text)
{
    const auto& members = f.object->get_ref<const ordered_json::object_t&>();
    // A file this program wrote holds the members in the order they are read:
    // the one after the last found is almost always the one asked for.
    if (f.next < members.size() && (members.begin() + f.next)->first == key_text) return f.next;
    // Otherwise search; index the large objects (long lists) so that reading
    // every item stays linear whatever their order. Keys are unique, so every
    // way of searching finds the same member.
    constexpr std::size_t small_object = 16;
    if (members.size() <= small_object) {
        for (std::size_t i = 0; i < members.size(); ++i)
            if ((members.begin() + i)->first == key_text) return i;
        return members.size();
    }
    if (f.index.empty())
        for (std::size_t i = 0; i < members.size(); ++i) f.index.emplace((members.begin() + i)->first, i);
    const auto it = f.index.find(key_text);
    return it == f.index.end() ? members.size() : it->second;
}

template <class T, class Convert>
bool json_read_stream::read_value(const CString& key, T& value, Convert convert)
{
    std::string key_text;
    const ordered_json* found = find(key, key_text);
    if (!found) return false;
    T result{};
    std::string problem;
    if (!convert(*found, result, problem)) {
        note(diagnostic_severity::error, key_text, std::move(problem));
        return false;
    }
    value = std::move(result);
    return true;
}

void json_read_stream::read(const CString& key, int& value)
{
    if (read_value(key, value, to_int) && m_frames.back().is_list && key == "count") clamp_count(value);
}

void json_read_stream::read(const CString& key, double& value) { read_value(key, value, to_double); }
void json_read_stream::read(const CString& key, bool& value) { read_value(key, value, to_bool); }
void json_read_stream::read(const CString& key, CString& value) { read_value(key, value, to_narrow_text); }

void json_read_stream::clamp_count(int& count)
{
    const std::size_t present = items_present(m_frames.back().object->get_ref<const ordered_json::object_t&>());
    if (count < 0) {
        note(diagnostic_severity::error, "count", "list count " + std::to_string(count) + " is negative; read as 0");
        count = 0;
    } else if (static_cast<std::size_t>(count) > present) {
        note(diagnostic_severity::error, "count",
             "list count " + std::to_string(count) + " is larger than the " + std::to_string(present) +
                 " items present; read as " + std::to_string(present));
        count = static_cast<int>(present);
    }
}

void json_read_stream::mark(const CString& key, int kind)
{
    if (is_begin(kind)) {
        std::string key_text;
        const ordered_json* found = find(key, key_text);
        if (found && !found->is_object()) {
            note(diagnostic_severity::error, key_text, "expected an object, found " + describe(*found));
            found = nullptr;
        }
        m_path.enter(key_text, kind);
        open(found ? found : &empty_object(), kind == x_mark_list_begin);
        return;
    }
    const std::string key_text = ds_text::to_utf8_for_display(key);
    if (!is_end(kind)) {
        note(diagnostic_severity::error, key_text, "unknown mark kind " + std::to_string(kind));
        return;
    }
    if (m_path.depth() == 0) {
        note(diagnostic_severity::error, key_text, std::string(mark_name(kind)) + " end mark without an open begin mark");
        return;
    }
    if (m_path.top_key() != key_text || m_path.top_kind() != begin_of(kind))
        note(diagnostic_severity::error, key_text,
             std::string(mark_name(kind)) + " end mark does not match the open " + mark_name(m_path.top_kind()) +
                 " \"" + m_path.top_key() + "\"");
    close_top();
}

void json_read_stream::note_unread(const frame& f)
{
    const auto& members = f.object->get_ref<const ordered_json::object_t&>();
    std::string unread;
    std::size_t unread_count = 0;
    for (std::size_t i = 0; i < members.size(); ++i) {
        if (f.read[i]) continue;
        if (++unread_count <= 8) unread += (unread.empty() ? "" : ", ") + (members.begin() + i)->first;
    }
    if (unread_count > 8) unread += " and " + std::to_string(unread_count - 8) + " more";
    if (unread_count > 0) {
        note(diagnostic_severity::warning, {}, "entries not read: " + unread);
        m_diagnostics.back().unread = true;
    }
}

void json_read_stream::close_top()
{
    note_unread(m_frames.back());
    if (const auto dropped = m_path.leave(); !dropped.empty())
        m_diagnostics.push_back({diagnostic_severity::error, m_path.render(),
                                 "guard tag \"" + dropped.front() + "\" still open at an end mark"});
    m_frames.pop_back();
}

void json_read_stream::push_guard_tag(const CString& tag) { m_path.push_tag(ds_text::to_utf8_for_display(tag)); }

void json_read_stream::pop_guard_tag()
{
    if (!m_path.pop_tag()) note(diagnostic_severity::error, {}, "guard tag popped without a matching push at this level");
}

void json_read_stream::finish()
{
    if (m_finished) return;
    m_finished = true;
    while (m_path.depth() > 0) {
        note(diagnostic_severity::error, {},
             std::string(mark_name(m_path.top_kind())) + " \"" + m_path.top_key() + "\" was never closed");
        close_top();
    }
    if (m_path.tag_count() > 0) note(diagnostic_severity::error, {}, "a guard tag is still open at the end");
    note_unread(m_frames.back());
}

void json_read_stream::refuse_write() const
{
    throw ds_stream_error(m_path.render() + ": write on a reading stream");
}

void json_read_stream::write(const CString&, int) { refuse_write(); }
void json_read_stream::write(const CString&, double) { refuse_write(); }
void json_read_stream::write(const CString&, bool) { refuse_write(); }
void json_read_stream::write(const CString&, const CString&) { refuse_write(); }
