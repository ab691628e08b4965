// Recording member stream for tests.
#include "support/recording_stream.h"

#include <stdexcept>

#include "host/text/encoding.h"
#include "host/text/number_format.h"

namespace ds_test {
namespace {

stream_entry make_value(const CString& key, entry_value value) { return {key, std::move(value), -1, {}}; }
stream_entry make_mark(const CString& key, int kind) { return {key, {}, kind, {}}; }

std::string format_value(const entry_value& value)
{
    struct visitor {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(int v) const { return std::to_string(v); }
        std::string operator()(bool v) const { return v ? "true" : "false"; }
        std::string operator()(const CString& v) const { return v.str(); }
        std::string operator()(double v) const { return number_format::shortest(v); }
    };
    return std::visit(visitor{}, value);
}

void write_value(member_rw_interface& out, const CString& key, const entry_value& value)
{
    std::visit([&](const auto& v) {
        if constexpr (!std::is_same_v<std::decay_t<decltype(v)>, std::monostate>) out.write(key, v);
    }, value);
}

/// How keys() shows a mark.
std::string describe_mark(const stream_entry& entry)
{
    const std::string& key = entry.key.str();
    switch (entry.mark_kind) {
    case x_mark_object_begin: return key + "{";
    case x_mark_object_end: return "}" + key;
    case x_mark_list_begin: return key + "[";
    case x_mark_list_end: return "]" + key;
    default: return key + "<mark " + std::to_string(entry.mark_kind) + ">";
    }
}

}  // namespace

stream_entry value_entry(const CString& key, int value) { return make_value(key, value); }
stream_entry value_entry(const CString& key, double value) { return make_value(key, value); }
stream_entry value_entry(const CString& key, const char* value) { return make_value(key, CString(value)); }
stream_entry begin_object(const CString& key) { return make_mark(key, x_mark_object_begin); }
stream_entry end_object(const CString& key) { return make_mark(key, x_mark_object_end); }
stream_entry begin_list(const CString& key) { return make_mark(key, x_mark_list_begin); }
stream_entry end_list(const CString& key) { return make_mark(key, x_mark_list_end); }

nlohmann::ordered_json json_of(const std::vector<stream_entry>& entries)
{
    ds_app::document_sink document;
    ds_json::json_write_stream built({&document});
    for (const stream_entry& e : entries) {
        if (e.mark_kind >= 0) built.mark(e.key, e.mark_kind);
        else write_value(built, e.key, e.value);
    }
    built.finish();
    return std::move(document.document());
}

void recording_stream::record(const CString& key, entry_value value)
{
    m_entries.push_back({key, value, -1, m_tags});
    write_value(m_writer, key, value);
}

void recording_stream::mark(const CString& key, int kind)
{
    m_entries.push_back({key, {}, kind, m_tags});
    m_writer.mark(key, kind);
}

void recording_stream::push_guard_tag(const CString& tag)
{
    m_tags.push_back(tag);
    m_writer.push_guard_tag(tag);
}

void recording_stream::pop_guard_tag()
{
    if (!m_tags.empty()) m_tags.pop_back();
    m_writer.pop_guard_tag();
}

std::vector<std::string> recording_stream::key_values() const
{
    std::vector<std::string> out;
    for (const auto& e : m_entries) out.push_back(e.mark_kind >= 0 ? describe_mark(e) : e.key.str() + "=" + format_value(e.value));
    return out;
}

std::vector<std::string> recording_stream::keys() const
{
    std::vector<std::string> out;
    for (const auto& e : m_entries) out.push_back(e.mark_kind >= 0 ? describe_mark(e) : e.key.str());
    return out;
}

std::string recording_stream::tag_path(const stream_entry& entry)
{
    std::string out;
    for (const auto& tag : entry.tags) out += (out.empty() ? "" : "/") + tag.str();
    return out;
}

const stream_entry& recording_stream::find(const CString& key) const
{
    for (const auto& e : m_entries)
        if (e.mark_kind < 0 && e.key == key) return e;
    throw std::out_of_range("no value entry \"" + ds_text::to_utf8_for_display(key) + "\" was recorded");
}

}  // namespace ds_test
