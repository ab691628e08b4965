// Reading a record's members from a JSON object.
#include "host/project/json_read_stream.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <unordered_set>
#include <utility>

#include "host/project/json_text.h"
#include "host/project/stream_marks.h"
#include "host/text/encoding.h"

using nlohmann::ordered_json;

namespace ds_json {
namespace {

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

/// What a record holds after a read, as the sinks of a save would see it;
/// text in UTF-8 as the file held it when it was taken from there.
member_value value_of(const int& v, const ordered_json*) { return member_value::of(v); }
member_value value_of(const double& v, const ordered_json*) { return member_value::of(v); }
member_value value_of(const bool& v, const ordered_json*) { return member_value::of(v); }
member_value value_of(const CString& v, const ordered_json* found)
{
    const std::string_view utf8 = found && found->is_string() ? std::string_view(found->get_ref<const std::string&>()) : "";
    return member_value::of_text(v.str(), utf8);
}

}  // namespace

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
    T result{};
    std::string problem;
    const bool taken = found && convert(*found, result, problem);
    if (found && !taken) note(diagnostic_severity::error, key_text, std::move(problem));
    if (taken) value = std::move(result);
    if (m_digest || m_observer) heard(key, key_text, value_of(value, found), taken);
    return taken;
}

void json_read_stream::read(const CString& key, int& value)
{
    // A list's count is clamped before anyone hears of it: the record holds the clamped one.
    if (m_frames.back().is_list && key == "count") {
        value_observer observer = std::exchange(m_observer, {});
        ds_digest::member_digest* digest = std::exchange(m_digest, nullptr);
        const bool taken = read_value(key, value, to_int);
        m_observer = std::move(observer);
        m_digest = digest;
        if (taken) clamp_count(value);
        if (m_digest || m_observer) heard(key, "count", member_value::of(value), taken);
        return;
    }
    read_value(key, value, to_int);
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
    if (stream_marks::is_begin(kind)) {
        std::string key_text;
        const ordered_json* found = find(key, key_text);
        if (found && !found->is_object()) {
            note(diagnostic_severity::error, key_text, "expected an object, found " + describe(*found));
            found = nullptr;
        }
        if (m_digest) m_digest->object_begin({key.str(), key_text}, kind);
        m_path.enter(key_text, kind);
        open(found ? found : &empty_object(), kind == x_mark_list_begin);
        return;
    }
    const std::string key_text = ds_text::to_utf8_for_display(key);
    if (!stream_marks::is_end(kind)) {
        note(diagnostic_severity::error, key_text, "unknown mark kind " + std::to_string(kind));
        return;
    }
    if (m_path.depth() == 0) {
        note(diagnostic_severity::error, key_text, std::string(stream_marks::name(kind)) + " end mark without an open begin mark");
        return;
    }
    if (m_path.top_key() != key_text || m_path.top_kind() != stream_marks::begin_of(kind))
        note(diagnostic_severity::error, key_text,
             std::string(stream_marks::name(kind)) + " end mark does not match the open " + stream_marks::name(m_path.top_kind()) +
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
    if (m_digest) m_digest->object_end();
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
             std::string(stream_marks::name(m_path.top_kind())) + " \"" + m_path.top_key() + "\" was never closed");
        close_top();
    }
    if (m_path.tag_count() > 0) note(diagnostic_severity::error, {}, "a guard tag is still open at the end");
    note_unread(m_frames.back());
}

void json_read_stream::refuse_write(const CString&) const
{
    throw stream_error(m_path.render() + ": write on a reading stream");
}


void json_read_stream::listen(ds_digest::member_digest* digest, value_observer observer)
{
    m_digest = digest;
    m_observer = std::move(observer);
}

void json_read_stream::heard(const CString& key, const std::string& key_text, const member_value& value, bool taken)
{
    if (m_digest) m_digest->value({key.str(), key_text}, value);
    if (m_observer && taken) m_observer(*this, key_text, value);
}

}  // namespace ds_json
