// Strict JSON parsing on top of nlohmann/json.
//
// The document is built by our own SAX handler on the library's parser rather
// than by its callback parser: that one scans the open container's members at
// every value it closes, and ordered_json's operator[] searches the members
// before every insertion, both quadratic in the length of a long list. The
// handler appends members directly and refuses duplicate keys through a hash
// index, so parsing stays linear. To give refusals a line and column, the
// input is read through an iterator that remembers how far the parser has read.
#include "host/framework/json_text.h"

#include <functional>
#include <iterator>
#include <unordered_map>
#include <vector>

namespace ds_json {
namespace {

using nlohmann::ordered_json;

/// Reads the text like a plain pointer and records how many bytes were consumed.
class counting_iterator {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    counting_iterator() = default;
    counting_iterator(const char* base, const char* at, std::size_t* consumed)
        : m_base(base), m_at(at), m_consumed(consumed)
    {
    }

    reference operator*() const { return *m_at; }
    counting_iterator& operator++()
    {
        ++m_at;
        if (m_consumed) *m_consumed = static_cast<std::size_t>(m_at - m_base);
        return *this;
    }
    counting_iterator operator++(int)
    {
        counting_iterator old = *this;
        ++*this;
        return old;
    }
    friend bool operator==(const counting_iterator& a, const counting_iterator& b) { return a.m_at == b.m_at; }

private:
    const char* m_base = nullptr;
    const char* m_at = nullptr;
    std::size_t* m_consumed = nullptr;
};

/// Line and character column of the byte at `offset`, both 1-based.
std::pair<std::size_t, std::size_t> line_and_column(std::string_view text, std::size_t offset)
{
    if (offset > text.size()) offset = text.size();
    std::size_t line = 1, column = 1;
    for (std::size_t i = 0; i < offset; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\n') {
            ++line;
            column = 1;
        } else if ((c & 0xC0) != 0x80) {
            ++column;  // continuation bytes belong to the character before them
        }
    }
    return {line, column};
}

/// The library's message without its "[json.exception...] parse error at line.., column..:" prefix.
std::string plain_reason(const std::string& what)
{
    std::string reason = what;
    if (reason.rfind("[json.exception.", 0) == 0) {
        if (const auto close = reason.find("] "); close != std::string::npos) reason.erase(0, close + 2);
    }
    if (reason.rfind("parse error", 0) == 0) {
        if (const auto colon = reason.find(": "); colon != std::string::npos) reason.erase(0, colon + 2);
    }
    return reason;
}

/// One open object or array of the document being built.
struct open_value {
    ordered_json* value;
    /// Member positions by key hash; filled only once an object grows past
    /// `small_object` members, below which a scan is cheaper.
    std::unordered_multimap<std::size_t, std::size_t> keys;
};

/// Builds the document from the parser's events, refusing nesting deeper than
/// max_depth and a key repeated in one object.
class strict_builder {
public:
    strict_builder(std::string_view text, std::string_view source, const std::size_t& consumed)
        : m_text(text), m_source(source), m_consumed(consumed)
    {
    }

    ordered_json take() { return std::move(m_root); }

    bool null() { return add(nullptr); }
    bool boolean(bool value) { return add(value); }
    bool number_integer(ordered_json::number_integer_t value) { return add(value); }
    bool number_unsigned(ordered_json::number_unsigned_t value) { return add(value); }
    bool number_float(ordered_json::number_float_t value, const std::string&) { return add(value); }
    bool string(std::string& value) { return add(std::move(value)); }
    bool binary(ordered_json::binary_t& value) { return add(std::move(value)); }

    bool start_object(std::size_t) { return open(ordered_json::object()); }
    bool start_array(std::size_t) { return open(ordered_json::array()); }
    bool end_object() { return close(); }
    bool end_array() { return close(); }

    bool key(std::string& key)
    {
        open_value& top = m_open.back();
        if (is_repeated(top, key)) fail("duplicate key \"" + key + "\"");
        m_key = std::move(key);
        return true;
    }

    template <class Exception>
    bool parse_error(std::size_t, const std::string&, const Exception& error)
    {
        throw error;  // parse_text turns it into a json_text_error with the position
    }

private:
    static constexpr std::size_t small_object = 16;

    bool is_repeated(open_value& top, const std::string& key)
    {
        const auto& members = top.value->get_ref<const ordered_json::object_t&>();
        if (members.size() < small_object) {
            for (const auto& member : members)
                if (member.first == key) return true;
            return false;
        }
        if (top.keys.empty())
            for (std::size_t i = 0; i < members.size(); ++i) top.keys.emplace(hash((members.begin() + i)->first), i);
        const auto [first, last] = top.keys.equal_range(hash(key));
        for (auto it = first; it != last; ++it)
            if ((members.begin() + it->second)->first == key) return true;
        return false;
    }

    /// Stores `value` where the parser is and returns it.
    ordered_json& place(ordered_json&& value)
    {
        if (m_open.empty()) {
            m_root = std::move(value);
            return m_root;
        }
        open_value& top = m_open.back();
        if (top.value->is_array()) {
            auto& items = top.value->get_ref<ordered_json::array_t&>();
            items.push_back(std::move(value));
            return items.back();
        }
        // key() has refused duplicates: append without the map's own search.
        auto& members = top.value->get_ref<ordered_json::object_t&>();
        if (!top.keys.empty()) top.keys.emplace(hash(m_key), members.size());
        members.emplace_back(std::move(m_key), std::move(value));
        return members.back().second;
    }

    bool add(ordered_json&& value)
    {
        place(std::move(value));
        return true;
    }

    bool open(ordered_json&& empty)
    {
        if (m_open.size() >= static_cast<std::size_t>(max_depth))
            fail("nesting deeper than " + std::to_string(max_depth) + " levels");
        ordered_json& placed = place(std::move(empty));
        m_open.push_back({&placed, {}});
        return true;
    }

    bool close()
    {
        m_open.pop_back();
        return true;
    }

    static std::size_t hash(const std::string& key) { return std::hash<std::string>()(key); }

    [[noreturn]] void fail(const std::string& reason) const
    {
        const auto [line, column] = line_and_column(m_text, m_consumed ? m_consumed - 1 : 0);
        throw json_text_error(std::string(m_source), line, column, reason);
    }

    std::string_view m_text;
    std::string_view m_source;
    const std::size_t& m_consumed;
    ordered_json m_root;
    std::vector<open_value> m_open;
    std::string m_key;
};

}  // namespace

json_text_error::json_text_error(std::string source, std::size_t line, std::size_t column, std::string reason)
    : std::runtime_error(source + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + reason),
      m_source(std::move(source)), m_line(line), m_column(column), m_reason(std::move(reason))
{
}

nlohmann::ordered_json parse_text(std::string_view utf8, std::string_view source)
{
    std::size_t consumed = 0;
    const counting_iterator first(utf8.data(), utf8.data(), &consumed);
    const counting_iterator last(utf8.data(), utf8.data() + utf8.size(), nullptr);
    strict_builder builder(utf8, source, consumed);
    try {
        ordered_json::sax_parse(first, last, &builder);
    } catch (const ordered_json::parse_error& e) {
        const std::size_t at = e.byte > 0 ? e.byte - 1 : 0;
        const auto [line, column] = line_and_column(utf8, at);
        throw json_text_error(std::string(source), line, column, plain_reason(e.what()));
    } catch (const ordered_json::exception& e) {
        // For example a number too large for a double: no byte position in the exception.
        const auto [line, column] = line_and_column(utf8, consumed ? consumed - 1 : 0);
        throw json_text_error(std::string(source), line, column, plain_reason(e.what()));
    }
    return builder.take();
}

std::string dump_text(const nlohmann::ordered_json& document, int indent)
{
    try {
        return document.dump(indent, ' ', false, nlohmann::ordered_json::error_handler_t::strict);
    } catch (const nlohmann::ordered_json::exception& e) {
        throw std::runtime_error("cannot write JSON text: " + plain_reason(e.what()));
    }
}

}  // namespace ds_json
