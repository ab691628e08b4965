// A JSON value held flat: its values in one vector in the order of the text,
// their keys and strings in one buffer. Both directions use it: the reader
// fills one from the text (a project's entries refilled entry by entry, so
// that reading a file allocates next to nothing per value) and a writing
// stream keeps the keys it wrote in one, to refuse a key written twice.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace ds_json {

class flat_tree {
public:
    /// The kinds of value: integers as read, signed when written with a sign.
    enum class kind : std::uint8_t { null, boolean, number_integer, number_unsigned, number_float, string, object, array };

    /// One value, in 40 bytes: offsets of 32 bits and one union for the number.
    struct value {
        kind type = kind::null;
        bool boolean = false;
        std::uint32_t key_at = 0, key_size = 0;    ///< its key, when it is a member of an object
        std::uint32_t text_at = 0, text_size = 0;  ///< a string's text
        std::uint32_t end = 0;    ///< one past the last value of its subtree: the next sibling
        std::uint32_t count = 0;  ///< members of an object, items of an array
        union {                   ///< the number, by `type`
            std::int64_t integer = 0;
            std::uint64_t unsigned_integer;
            double real;
        };
    };

    // ---- reading; value 0 is the top one
    std::size_t size() const { return m_values.size(); }
    const value& operator[](std::size_t i) const { return m_values[i]; }
    std::string_view key(std::size_t i) const { return {m_texts.data() + m_values[i].key_at, m_values[i].key_size}; }
    std::string_view text(std::size_t i) const { return {m_texts.data() + m_values[i].text_at, m_values[i].text_size}; }
    /// The name of the value's kind: "object", "number", "string", ...
    const char* type_name(std::size_t i) const;
    /// A number or boolean as the project file writes it: "3", "3.7", "true".
    std::string scalar_text(std::size_t i) const;

    // ---- building, value by value in the order of the text
    void clear();
    /// The key of the next value; false (nothing kept) when the open object already has it.
    bool key(std::string_view key);
    void open(bool is_array);
    /// Closes the innermost object or array; with `keep` false, what it holds
    /// is dropped (it stays, empty, under its key), so that a writer that only
    /// tells repeated keys holds no more than the open objects' keys.
    void close(bool keep = true);
    /// Open objects and arrays.
    std::size_t depth() const { return m_open.size(); }
    /// The innermost open value.
    std::size_t open_at() const { return m_open.back().at; }
    void add_null() { push(kind::null); }
    void add_bool(bool v) { push(kind::boolean).boolean = v; }
    void add_integer(std::int64_t v) { push(kind::number_integer).integer = v; }
    void add_unsigned(std::uint64_t v) { push(kind::number_unsigned).unsigned_integer = v; }
    void add_real(double v) { push(kind::number_float).real = v; }
    void add_text(std::string_view text);

private:
    /// An object or array being built: where it is, and for an object the keys it has.
    struct open_value {
        std::size_t at;
        std::size_t texts_at;  ///< where the texts of its values begin
        std::uint64_t fingerprints = 0;  ///< one bit per cheap fingerprint of its keys
        std::unique_ptr<std::unordered_set<std::string>> keys;  ///< once it has many members
    };
    value& push(kind type);

    std::vector<value> m_values;
    std::string m_texts;
    std::vector<open_value> m_open;
    std::uint32_t m_key_at = 0, m_key_size = 0;  ///< the pending key
    bool m_has_key = false;
};

static_assert(sizeof(flat_tree::value) <= 40, "a flat value grew: a large drawing's tree grows with it");

}  // namespace ds_json
