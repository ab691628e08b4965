// Recording member stream for tests.
#include "support/recording_stream.h"

#include <charconv>
#include <stdexcept>

#include "host/text/encoding.h"

namespace ds_test {
namespace {

stream_entry make_value(const CString& key, entry_value value) { return {entry_kind::value, key, std::move(value), -1, {}}; }
stream_entry make_mark(const CString& key, int kind) { return {entry_kind::mark, key, {}, kind, {}}; }

std::string format_value(const entry_value& value)
{
    struct visitor {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(int v) const { return std::to_string(v); }
        std::string operator()(bool v) const { return v ? "true" : "false"; }
        std::string operator()(const CString& v) const { return v.str(); }
        std::string operator()(double v) const
        {
            char buffer[64];
            const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
            return std::string(buffer, result.ptr);
        }
    };
    return std::visit(visitor{}, value);
}

}  // namespace

stream_entry value_entry(const CString& key, int value) { return make_value(key, value); }
stream_entry value_entry(const CString& key, double value) { return make_value(key, value); }
stream_entry value_entry(const CString& key, bool value) { return make_value(key, value); }
stream_entry value_entry(const CString& key, const CString& value) { return make_value(key, value); }
stream_entry value_entry(const CString& key, const char* value) { return make_value(key, CString(value)); }
stream_entry begin_object(const CString& key) { return make_mark(key, x_mark_object_begin); }
stream_entry end_object(const CString& key) { return make_mark(key, x_mark_object_end); }
stream_entry begin_list(const CString& key) { return make_mark(key, x_mark_list_begin); }
stream_entry end_list(const CString& key) { return make_mark(key, x_mark_list_end); }

void replay(const std::vector<stream_entry>& entries, member_rw_interface& target)
{
    for (const auto& e : entries) {
        switch (e.kind) {
        case entry_kind::value:
            std::visit(
                [&](const auto& v) {
                    if constexpr (!std::is_same_v<std::decay_t<decltype(v)>, std::monostate>) target.write(e.key, v);
                },
                e.value);
            break;
        case entry_kind::mark: target.mark(e.key, e.mark_kind); break;
        case entry_kind::push_tag: target.push_guard_tag(e.key); break;
        case entry_kind::pop_tag: target.pop_guard_tag(); break;
        }
    }
}

recording_stream::recording_stream() : m_writer(std::make_unique<json_write_stream>()) {}

recording_stream::recording_stream(const std::vector<stream_entry>& source)
{
    json_write_stream built;
    replay(source, built);
    m_source = built.document();
    m_reader = std::make_unique<json_read_stream>(m_source);
}

recording_stream::recording_stream(nlohmann::ordered_json document)
    : m_reader(std::make_unique<json_read_stream>(document)), m_source(std::move(document))
{
}

stream_entry recording_stream::make(entry_kind kind, const CString& key) const { return {kind, key, {}, -1, m_tags}; }

template <class T>
void recording_stream::record_write(const CString& key, const T& value)
{
    stream_entry e = make(entry_kind::value, key);
    e.value = value;
    m_entries.push_back(std::move(e));
    if (m_writer) m_writer->write(key, value);
    else m_reader->write(key, value);  // throws: a write while reading is a fault of the caller
}

template <class T>
void recording_stream::record_read(const CString& key, T& value)
{
    stream_entry e = make(entry_kind::value, key);
    if (m_reader) m_reader->read(key, value);
    else m_writer->read(key, value);  // throws: a read while writing is a fault of the caller
    e.value = value;
    m_entries.push_back(std::move(e));
}

void recording_stream::write(const CString& key, int value) { record_write(key, value); }
void recording_stream::write(const CString& key, double value) { record_write(key, value); }
void recording_stream::write(const CString& key, bool value) { record_write(key, value); }
void recording_stream::write(const CString& key, const CString& value) { record_write(key, value); }
void recording_stream::read(const CString& key, int& value) { record_read(key, value); }
void recording_stream::read(const CString& key, double& value) { record_read(key, value); }
void recording_stream::read(const CString& key, bool& value) { record_read(key, value); }
void recording_stream::read(const CString& key, CString& value) { record_read(key, value); }

void recording_stream::mark(const CString& key, int kind)
{
    stream_entry e = make(entry_kind::mark, key);
    e.mark_kind = kind;
    if (m_reader) m_reader->mark(key, kind);
    else m_writer->mark(key, kind);
    m_entries.push_back(std::move(e));
}

void recording_stream::push_guard_tag(const CString& tag)
{
    m_tags.push_back(tag);
    m_entries.push_back(make(entry_kind::push_tag, tag));
    if (m_writer) m_writer->push_guard_tag(tag);
    else m_reader->push_guard_tag(tag);
}

void recording_stream::pop_guard_tag()
{
    m_entries.push_back(make(entry_kind::pop_tag, {}));
    if (!m_tags.empty()) m_tags.pop_back();
    if (m_writer) m_writer->pop_guard_tag();
    else m_reader->pop_guard_tag();
}

std::string recording_stream::describe(const stream_entry& entry)
{
    const std::string& key = entry.key.str();
    switch (entry.kind) {
    case entry_kind::value: return key + "=" + format_value(entry.value);
    case entry_kind::mark:
        switch (entry.mark_kind) {
        case x_mark_object_begin: return key + "{";
        case x_mark_object_end: return "}" + key;
        case x_mark_list_begin: return key + "[";
        case x_mark_list_end: return "]" + key;
        default: return key + "<mark " + std::to_string(entry.mark_kind) + ">";
        }
    case entry_kind::push_tag: return "<push " + key + ">";
    case entry_kind::pop_tag: return "<pop>";
    }
    return {};
}

std::vector<std::string> recording_stream::key_values() const
{
    std::vector<std::string> out;
    for (const auto& e : m_entries)
        if (e.kind == entry_kind::value || e.kind == entry_kind::mark) out.push_back(describe(e));
    return out;
}

std::vector<std::string> recording_stream::keys() const
{
    std::vector<std::string> out;
    for (const auto& e : m_entries) {
        if (e.kind == entry_kind::value) out.push_back(e.key.str());
        else if (e.kind == entry_kind::mark) out.push_back(describe(e));
    }
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
        if (e.kind == entry_kind::value && e.key == key) return e;
    throw std::out_of_range("no value entry \"" + ds_text::to_utf8_for_display(key) + "\" was recorded");
}

const nlohmann::ordered_json& recording_stream::json() const { return m_writer ? m_writer->document() : m_source; }

const std::vector<stream_diagnostic>& recording_stream::diagnostics() const
{
    static const std::vector<stream_diagnostic> none;
    return m_reader ? m_reader->diagnostics() : none;
}

}  // namespace ds_test
