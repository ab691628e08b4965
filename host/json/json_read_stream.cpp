// Reading a record's members from a JSON object held flat.
#include "host/json/json_read_stream.h"

#include <utility>

#include <climits>
#include <cmath>
#include <unordered_set>

#include "host/text/encoding.h"

namespace ds_json {
namespace {

using kind = flat_tree::kind;
constexpr std::size_t none = static_cast<std::size_t>(-1);

bool is_number(const flat_tree::value& v)
{
    return v.type == kind::number_integer || v.type == kind::number_unsigned || v.type == kind::number_float;
}

/// "a string", "the number 3.7", "an object": what a reader found instead;
/// numbers as the library writes them ("3", "3.7", "1e+300").
std::string describe(const flat_tree& tree, std::size_t i)
{
    const flat_tree::value& v = tree[i];
    if (is_number(v) || v.type == kind::boolean) return "the " + std::string(tree.type_name(i)) + " " + tree.scalar_text(i);
    if (v.type == kind::object || v.type == kind::array) return "an " + std::string(tree.type_name(i));
    return "a " + std::string(tree.type_name(i));
}

// What a stored value makes of the record's int, double, bool or text: true
// and `out`, or false and the problem, worded for the user.

bool convert(const flat_tree& tree, std::size_t i, int& out, std::string& problem)
{
    const flat_tree::value& v = tree[i];
    bool in_range = false;
    switch (v.type) {
    case kind::number_unsigned:
        in_range = v.unsigned_integer <= static_cast<std::uint64_t>(INT_MAX);
        if (in_range) out = static_cast<int>(v.unsigned_integer);
        break;
    case kind::number_integer:
        in_range = v.integer >= INT_MIN && v.integer <= INT_MAX;
        if (in_range) out = static_cast<int>(v.integer);
        break;
    case kind::number_float:
        // A cast would truncate 3.7 to 3 and is undefined past the int range.
        if (std::trunc(v.real) != v.real) {
            problem = "expected an integer, found " + describe(tree, i);
            return false;
        }
        in_range = v.real >= static_cast<double>(INT_MIN) && v.real <= static_cast<double>(INT_MAX);
        if (in_range) out = static_cast<int>(v.real);
        break;
    default:
        problem = "expected an integer, found " + describe(tree, i);
        return false;
    }
    if (!in_range) problem = "the number " + tree.scalar_text(i) + " is out of range for an int";
    return in_range;
}

bool convert(const flat_tree& tree, std::size_t i, double& out, std::string& problem)
{
    const flat_tree::value& v = tree[i];
    switch (v.type) {
    case kind::number_unsigned: out = static_cast<double>(v.unsigned_integer); return true;
    case kind::number_integer: out = static_cast<double>(v.integer); return true;
    case kind::number_float: out = v.real; return true;
    default: problem = "expected a number, found " + describe(tree, i); return false;
    }
}

bool convert(const flat_tree& tree, std::size_t i, bool& out, std::string& problem)
{
    if (tree[i].type != kind::boolean) {
        problem = "expected true or false, found " + describe(tree, i);
        return false;
    }
    out = tree[i].boolean;
    return true;
}

bool convert(const flat_tree& tree, std::size_t i, CString& out, std::string& problem)
{
    if (tree[i].type != kind::string) {
        problem = "expected a string, found " + describe(tree, i);
        return false;
    }
    try {
        out = ds_text::from_utf8(tree.text(i));
        return true;
    } catch (const ds_text::conversion_error& e) {
        problem = std::string("text does not convert: ") + e.what();
        return false;
    }
}

/// Number of distinct item indices among the members of `object`: "item_3"
/// and "item_3_key" / "item_3_value" each count as item 3.
std::size_t items_present(const flat_tree& tree, std::size_t object)
{
    std::unordered_set<unsigned long> seen;
    for (std::size_t c = object + 1; c < tree[object].end; c = tree[c].end) {
        const std::string_view key = tree.key(c);
        if (!key.starts_with("item_")) continue;
        std::size_t end = 5;
        while (end < key.size() && end < 5 + 9 && key[end] >= '0' && key[end] <= '9') ++end;
        if (end == 5 || (end < key.size() && key[end] != '_')) continue;
        seen.insert(std::stoul(std::string(key.substr(5, end - 5))));
    }
    return seen.size();
}

/// Below this many members a scan is cheaper than an index of the keys.
constexpr std::size_t scanned_members = 16;

/// What a record holds after a read, as the sinks of a save would see it;
/// text in UTF-8 as the file held it when it was taken from there.
member_value value_of(const int& v, const flat_tree&, std::size_t) { return member_value::of(v); }
member_value value_of(const double& v, const flat_tree&, std::size_t) { return member_value::of(v); }
member_value value_of(const bool& v, const flat_tree&, std::size_t) { return member_value::of(v); }
member_value value_of(const CString& v, const flat_tree& tree, std::size_t found)
{
    const bool text = found != none && tree[found].type == kind::string;
    return member_value::of_text(v.str(), text ? tree.text(found) : std::string_view());
}

}  // namespace

json_read_stream::json_read_stream(flat_tree&& tree, std::string path_prefix)
    : member_context(std::move(path_prefix)), m_owned(std::move(tree)), m_tree(&m_owned)
{
    start(0);
}

json_read_stream::json_read_stream(const flat_tree& tree, std::size_t at, std::string path_prefix)
    : member_context(std::move(path_prefix)), m_tree(&tree)
{
    start(at);
}

void json_read_stream::start(std::size_t at)
{
    if ((*m_tree)[at].type == flat_tree::kind::object) return open(at, false);
    open(none, false);
    note(diagnostic_severity::error, {}, "expected an object at the top, found " + describe(*m_tree, at));
}

void json_read_stream::note(diagnostic_severity severity, std::string_view leaf, std::string message)
{
    m_diagnostics.push_back({severity, render(leaf), std::move(message)});
}

void json_read_stream::open(std::size_t object, bool is_list)
{
    if (m_open == m_frames.size()) m_frames.emplace_back();
    frame& f = m_frames[m_open++];
    f.object = object;
    f.count = object == none ? 0 : (*m_tree)[object].count;
    f.read.assign(f.count, false);
    // Dropped rather than cleared: clearing a map costs the room it has, which a
    // long list's index would make every object opened after it at this depth pay.
    if (!f.index.empty()) f.index = {};
    f.next = object == none ? none : object + 1;
    f.next_position = 0;
    f.is_list = is_list;
}

std::size_t json_read_stream::find(const CString& key, std::string& key_text)
{
    try {
        key_text = ds_text::to_utf8(key);
    } catch (const ds_text::conversion_error& e) {
        key_text = ds_text::to_utf8_for_display(key);
        note(diagnostic_severity::error, key_text, std::string("key does not convert: ") + e.what());
        return none;
    }
    frame& f = top();
    const auto [found, position] = member_of(f, key_text);
    if (found == none) {
        note(diagnostic_severity::warning, key_text, "missing entry");
        return none;
    }
    f.read[position] = true;
    f.next = (*m_tree)[found].end;
    f.next_position = position + 1;
    return found;
}

std::pair<std::size_t, std::size_t> json_read_stream::member_of(frame& f, const std::string& key_text) const
{
    const flat_tree& tree = *m_tree;
    // A file this program wrote holds the members in the order they are read:
    // the one after the last found is almost always the one asked for.
    if (f.next_position < f.count && tree.key(f.next) == key_text) return {f.next, f.next_position};
    // Otherwise search; index the large objects (long lists) so that reading
    // every item stays linear whatever their order. Keys are unique, so every
    // way of searching finds the same member.
    if (f.count <= scanned_members) {
        std::size_t position = 0;
        for (std::size_t c = f.object + 1; position < f.count; c = tree[c].end, ++position)
            if (tree.key(c) == key_text) return {c, position};
        return {none, 0};
    }
    if (f.index.empty()) {
        std::size_t position = 0;
        for (std::size_t c = f.object + 1; position < f.count; c = tree[c].end, ++position) f.index.emplace(tree.key(c), std::pair{c, position});
    }
    const auto it = f.index.find(key_text);
    return it == f.index.end() ? std::pair{none, std::size_t(0)} : it->second;
}

template <class T>
bool json_read_stream::read_value(const CString& key, T& value)
{
    std::string key_text;
    const std::size_t found = find(key, key_text);
    T result{};
    std::string problem;
    const bool taken = found != none && convert(*m_tree, found, result, problem);
    if (found != none && !taken) note(diagnostic_severity::error, key_text, std::move(problem));
    if (taken) value = std::move(result);
    if (m_digest || m_observer) heard(key, key_text, value_of(value, *m_tree, found), taken);
    return taken;
}

void json_read_stream::read(const CString& key, int& value)
{
    // A list's count is clamped before anyone hears of it: the record holds the clamped one.
    if (top().is_list && key == "count") {
        value_observer observer = std::exchange(m_observer, {});
        ds_digest::member_digest* digest = std::exchange(m_digest, nullptr);
        const bool taken = read_value(key, value);
        m_observer = std::move(observer);
        m_digest = digest;
        if (taken) clamp_count(value);
        if (m_digest || m_observer) heard(key, "count", member_value::of(value), taken);
        return;
    }
    read_value(key, value);
}

void json_read_stream::read(const CString& key, double& value) { read_value(key, value); }
void json_read_stream::read(const CString& key, bool& value) { read_value(key, value); }
void json_read_stream::read(const CString& key, CString& value) { read_value(key, value); }

void json_read_stream::clamp_count(int& count)
{
    const std::size_t present = top().object == none ? 0 : items_present(*m_tree, top().object);
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
        std::size_t found = find(key, key_text);
        if (found != none && (*m_tree)[found].type != flat_tree::kind::object) {
            note(diagnostic_severity::error, key_text, "expected an object, found " + describe(*m_tree, found));
            found = none;
        }
        if (m_digest) m_digest->object_begin({key.str(), key_text}, kind);
        enter(key_text, kind);
        open(found, kind == x_mark_list_begin);
        return;
    }
    const std::string key_text = ds_text::to_utf8_for_display(key);
    if (!stream_marks::is_end(kind)) {
        note(diagnostic_severity::error, key_text, "unknown mark kind " + std::to_string(kind));
        return;
    }
    if (std::string fault = end_mark_fault(key_text, kind); !fault.empty()) {
        note(diagnostic_severity::error, key_text, std::move(fault));
        if (depth() == 0) return;
    }
    close_top();
}

void json_read_stream::note_unread(const frame& f)
{
    std::string unread;
    std::size_t unread_count = 0;
    std::size_t position = 0;
    for (std::size_t c = f.object + 1; position < f.count; c = (*m_tree)[c].end, ++position) {
        if (f.read[position]) continue;
        if (++unread_count <= 8) unread += (unread.empty() ? "" : ", ") + std::string(m_tree->key(c));
    }
    if (unread_count > 8) unread += " and " + std::to_string(unread_count - 8) + " more";
    if (unread_count > 0) {
        note(diagnostic_severity::warning, {}, "entries not read: " + unread);
        m_diagnostics.back().unread = true;
    }
}

void json_read_stream::close_top()
{
    note_unread(top());
    if (const auto dropped = leave())
        m_diagnostics.push_back({diagnostic_severity::error, render(),
                                 "guard tag \"" + *dropped + "\" still open at an end mark"});
    --m_open;
    if (m_digest) m_digest->object_end();
}

void json_read_stream::push_guard_tag(const CString& tag) { push_tag(ds_text::to_utf8_for_display(tag)); }

void json_read_stream::pop_guard_tag()
{
    if (!pop_tag()) note(diagnostic_severity::error, {}, "guard tag popped without a matching push at this level");
}

void json_read_stream::finish()
{
    if (m_finished) return;
    m_finished = true;
    while (depth() > 0) {
        note(diagnostic_severity::error, {},
             std::string(stream_marks::name(top_kind())) + " \"" + top_key() + "\" was never closed");
        close_top();
    }
    if (tag_count() > 0) note(diagnostic_severity::error, {}, "a guard tag is still open at the end");
    note_unread(top());
}

void json_read_stream::refuse_write(const CString&) const
{
    throw stream_error(render() + ": write on a reading stream");
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
