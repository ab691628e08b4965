// Writing a record's members through a sink, refusing what would not read back.
#include "host/json/json_write_stream.h"

#include <cmath>
#include <utility>

#include "host/json/json_text.h"
#include "host/json/stream_marks.h"
#include "host/text/encoding.h"

using nlohmann::ordered_json;

namespace ds_json {

json_write_stream::json_write_stream(std::string path_prefix)
    : m_builder(std::make_unique<json_document_builder>()), m_sink(m_builder.get()),
      m_document(ordered_json::object()), m_path(std::move(path_prefix))
{
    m_frames.emplace_back();
}

json_write_stream::json_write_stream(member_sink& sink, std::string path_prefix, value_observer observer)
    : m_sink(&sink), m_path(std::move(path_prefix)), m_observer(std::move(observer))
{
    m_frames.emplace_back();
}

std::unique_ptr<json_write_stream> json_write_stream::checking(value_observer observer)
{
    auto stream = std::make_unique<json_write_stream>();
    stream->m_builder.reset();
    stream->m_sink = nullptr;
    stream->m_observer = std::move(observer);
    return stream;
}

std::string json_write_stream::open_path() const
{
    std::string path;
    for (std::size_t i = 1; i < m_depth; ++i) path += (i > 1 ? "/" : "") + m_frames[i].key;
    return path;
}

void json_write_stream::fail(std::string_view leaf, const std::string& message) const
{
    throw stream_error(m_path.render(leaf) + ": " + message);
}

std::string json_write_stream::utf8_key(const CString& key) const
{
    try {
        return ds_text::to_utf8(key);
    } catch (const ds_text::conversion_error& e) {
        fail(ds_text::to_utf8_for_display(key), std::string("key does not convert: ") + e.what());
    }
}

const std::string& json_write_stream::new_key(const CString& key)
{
    std::string text = utf8_key(key);
    // The top object may hold members already completed by document().
    object_members& keys = m_frames[m_depth - 1].keys;
    if (keys.contains(text)) fail(text, "key written twice into one object");
    keys.append(std::move(text), nullptr);
    return keys.last_key();
}

void json_write_stream::add(const CString& key, const member_value& value)
{
    const std::string& text = new_key(key);
    if (m_observer) m_observer(*this, text, value);
    if (m_sink) m_sink->value({key.str(), text}, value);
}

void json_write_stream::write(const CString& key, int value) { add(key, member_value::of(value)); }

void json_write_stream::write(const CString& key, double value)
{
    if (!std::isfinite(value)) fail(ds_text::to_utf8_for_display(key), "value is not a finite number");
    add(key, member_value::of(value));
}

void json_write_stream::write(const CString& key, bool value) { add(key, member_value::of(value)); }

void json_write_stream::write(const CString& key, const CString& value)
{
    std::string text;
    try {
        text = ds_text::to_utf8(value);
    } catch (const ds_text::conversion_error& e) {
        fail(ds_text::to_utf8_for_display(key), std::string("text does not convert: ") + e.what());
    }
    add(key, member_value::of_text(value.str(), text));
}

void json_write_stream::refuse_read(const CString& key) const { fail(ds_text::to_utf8_for_display(key), "read on a writing stream"); }

void json_write_stream::mark(const CString& key, int kind)
{
    if (stream_marks::is_begin(kind)) {
        std::string text = new_key(key);
        if (m_sink) m_sink->object_begin({key.str(), text}, kind);
        m_path.enter(text, kind);
        if (m_depth == m_frames.size()) m_frames.emplace_back();
        frame& opened = m_frames[m_depth++];
        opened.keys.clear();
        opened.key = std::move(text);
        opened.order = ++m_objects_opened;
        return;
    }
    const std::string text = utf8_key(key);
    if (!stream_marks::is_end(kind)) fail(text, "unknown mark kind " + std::to_string(kind));
    if (m_path.depth() == 0) fail(text, std::string(stream_marks::name(kind)) + " end mark without an open begin mark");
    if (m_path.top_key() != text || m_path.top_kind() != stream_marks::begin_of(kind))
        fail(text, std::string(stream_marks::name(kind)) + " end mark does not match the open " +
                       stream_marks::name(m_path.top_kind()) + " \"" + m_path.top_key() + "\"");
    if (const auto dropped = m_path.leave(); !dropped.empty())
        fail(text, "guard tag \"" + dropped.front() + "\" still open at the end mark");
    if (m_sink) m_sink->object_end();
    --m_depth;
}

void json_write_stream::push_guard_tag(const CString& tag) { m_path.push_tag(ds_text::to_utf8_for_display(tag)); }

void json_write_stream::pop_guard_tag()
{
    // Guards pop from their destructors, also while an exception unwinds, so
    // this must not throw: the fault is kept for finish() to report.
    if (!m_path.pop_tag() && m_deferred_error.empty())
        m_deferred_error = m_path.render() + ": guard tag popped without a matching push at this level";
}

void json_write_stream::finish() const
{
    if (!m_deferred_error.empty()) throw stream_error(m_deferred_error);
    if (m_path.depth() > 0)
        fail({}, std::string(stream_marks::name(m_path.top_kind())) + " \"" + m_path.top_key() + "\" is still open");
    if (m_path.tag_count() > 0) fail({}, "a guard tag is still open");
}

const ordered_json& json_write_stream::document() const
{
    finish();
    if (!m_builder) return m_document;  // a checking stream keeps nothing
    ordered_json written = m_builder->take();
    if (m_document.empty()) {
        m_document = std::move(written);
    } else {
        for (auto& [key, value] : written.items()) m_document[key] = std::move(value);
    }
    return m_document;
}

ordered_json json_write_stream::take_document()
{
    document();  // throws while anything is still open
    return std::exchange(m_document, ordered_json::object());
}

std::string json_write_stream::text(int indent) const { return dump_text(document(), indent); }

}  // namespace ds_json
