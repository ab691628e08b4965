// Writing a record's members to sinks, refusing what would not read back.
#include "host/json/json_write_stream.h"

#include <cmath>
#include <utility>

#include "host/text/encoding.h"

namespace ds_json {

json_write_stream::json_write_stream(std::vector<member_sink*> sinks, std::string path_prefix, value_observer observer)
    : member_context(std::move(path_prefix)), m_sinks(std::move(sinks)), m_observer(std::move(observer))
{
    m_tree.open(false);
}

std::unique_ptr<json_write_stream> json_write_stream::checking(value_observer observer)
{
    return std::make_unique<json_write_stream>(std::vector<member_sink*>(), std::string(), std::move(observer));
}

void json_write_stream::fail(std::string_view leaf, const std::string& message) const
{
    throw stream_error(render(leaf) + ": " + message);
}

void json_write_stream::refuse_read(const CString& key) const { fail(ds_text::to_utf8_for_display(key), "read on a writing stream"); }

std::string json_write_stream::utf8_key(const CString& key) const
{
    try {
        return ds_text::to_utf8(key);
    } catch (const ds_text::conversion_error& e) {
        fail(ds_text::to_utf8_for_display(key), std::string("key does not convert: ") + e.what());
    }
}

std::string json_write_stream::new_key(const CString& key)
{
    std::string text = utf8_key(key);
    if (!m_tree.key(text)) fail(text, "key written twice into one object");
    return text;
}

void json_write_stream::add(const CString& key, const member_value& value)
{
    const std::string text = new_key(key);
    m_tree.add_null();  // the key is all the stream keeps
    if (m_observer) m_observer(*this, text, value);
    for (member_sink* sink : m_sinks) sink->value({key.str(), text}, value);
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

void json_write_stream::mark(const CString& key, int kind)
{
    if (stream_marks::is_begin(kind)) {
        std::string text = new_key(key);
        for (member_sink* sink : m_sinks) sink->object_begin({key.str(), text}, kind);
        enter(std::move(text), kind);
        m_tree.open(false);
        m_order.push_back(++m_objects_opened);
        return;
    }
    const std::string text = utf8_key(key);
    if (!stream_marks::is_end(kind)) fail(text, "unknown mark kind " + std::to_string(kind));
    if (const std::string fault = end_mark_fault(text, kind); !fault.empty()) fail(text, fault);
    if (const auto dropped = leave()) fail(text, "guard tag \"" + *dropped + "\" still open at the end mark");
    for (member_sink* sink : m_sinks) sink->object_end();
    m_tree.close(false);
    m_order.pop_back();
}

void json_write_stream::push_guard_tag(const CString& tag) { push_tag(ds_text::to_utf8_for_display(tag)); }

void json_write_stream::pop_guard_tag()
{
    // Guards pop from their destructors, also while an exception unwinds, so
    // this must not throw: the fault is kept for finish() to report.
    if (!pop_tag() && m_deferred_error.empty())
        m_deferred_error = render() + ": guard tag popped without a matching push at this level";
}

void json_write_stream::finish() const
{
    if (!m_deferred_error.empty()) throw stream_error(m_deferred_error);
    if (depth() > 0) fail({}, std::string(stream_marks::name(top_kind())) + " \"" + top_key() + "\" is still open");
    if (tag_count() > 0) fail({}, "a guard tag is still open");
}

}  // namespace ds_json
