// Building and reading a JSON value held flat.
#include "host/json/json_flat_tree.h"

#include <new>

#include "host/json/json_text.h"

namespace ds_json {
namespace {

/// Below this many members a scan of the keys is cheaper than a set of them.
constexpr std::size_t small_object = 16;

/// `size` as an offset or count of the tree; throws std::bad_alloc past 32
/// bits, as running out of memory would (a drawing of 4 GiB is not one).
std::uint32_t small(std::size_t size)
{
    if (size > UINT32_MAX) throw std::bad_alloc();
    return static_cast<std::uint32_t>(size);
}

/// One of 64 bits, by a cheap fingerprint of `key`: an object that keeps the
/// bits of its keys tells a key whose bit is clear is new without comparing it
/// to every member. Keys of one record differ mostly in length and in their
/// last characters ("item_3", "m_dWidth").
std::uint64_t fingerprint_bit(std::string_view key)
{
    const std::size_t n = key.size();
    const unsigned mix = n == 0 ? 0u : static_cast<unsigned char>(key[n - 1]) * 7u + static_cast<unsigned char>(key[n / 2]) * 3u;
    return std::uint64_t(1) << ((n * 13u + mix) & 63u);
}

}  // namespace

const char* flat_tree::type_name(std::size_t i) const
{
    switch (m_values[i].type) {
    case kind::null: return "null";
    case kind::boolean: return "boolean";
    case kind::number_integer:
    case kind::number_unsigned:
    case kind::number_float: return "number";
    case kind::string: return "string";
    case kind::object: return "object";
    case kind::array: return "array";
    }
    return "null";
}

void flat_tree::clear()
{
    m_values.clear();
    m_texts.clear();
    m_open.clear();
    m_has_key = false;
}

flat_tree::value& flat_tree::push(kind type)
{
    value v;
    v.type = type;
    if (m_has_key) {
        v.key_at = m_key_at;
        v.key_size = m_key_size;
        m_has_key = false;
    }
    v.end = small(m_values.size() + 1);
    // The open values end after it for now, so that a tree still being built reads as a whole one.
    for (const open_value& o : m_open) m_values[o.at].end = v.end;
    if (!m_open.empty()) ++m_values[m_open.back().at].count;
    m_values.push_back(v);
    return m_values.back();
}

bool flat_tree::key(std::string_view key)
{
    open_value& object = m_open.back();
    const std::uint64_t bit = fingerprint_bit(key);
    if (m_values[object.at].count >= small_object && !object.keys) {
        object.keys = std::make_unique<std::unordered_set<std::string>>();
        for (std::size_t c = object.at + 1; c < m_values.size(); c = m_values[c].end) object.keys->emplace(this->key(c));
    }
    if (object.keys) {
        if (!object.keys->emplace(key).second) return false;
    } else if (object.fingerprints & bit) {
        for (std::size_t c = object.at + 1; c < m_values.size(); c = m_values[c].end)
            if (this->key(c) == key) return false;
    }
    object.fingerprints |= bit;
    m_key_at = small(m_texts.size());
    m_key_size = small(key.size());
    m_texts.append(key);
    m_has_key = true;
    return true;
}

void flat_tree::open(bool is_array)
{
    push(is_array ? kind::array : kind::object);
    m_open.push_back({m_values.size() - 1, m_texts.size(), 0, nullptr});
}

void flat_tree::close(bool keep)
{
    const std::size_t at = m_open.back().at, texts_at = m_open.back().texts_at;
    m_open.pop_back();
    if (!keep) {
        value& v = m_values[at];
        m_values.resize(at + 1);
        m_texts.resize(texts_at);
        v.count = 0;
        v.end = small(at + 1);
    }
}

void flat_tree::add_text(std::string_view text)
{
    const std::uint32_t at = small(m_texts.size());
    m_texts.append(text);
    value& v = push(kind::string);
    v.text_at = at;
    v.text_size = small(text.size());
}

std::string flat_tree::scalar_text(std::size_t i) const
{
    const value& v = m_values[i];
    switch (v.type) {
    case kind::boolean: return v.boolean ? "true" : "false";
    case kind::number_integer: return std::to_string(v.integer);
    case kind::number_unsigned: return std::to_string(v.unsigned_integer);
    case kind::number_float: return number_text(v.real);
    default: return type_name(i);
    }
}

}  // namespace ds_json
