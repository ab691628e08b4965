// Strict JSON parsing on top of nlohmann/json.
//
// The document is built by our own SAX handler on the library's parser rather
// than by its callback parser: that one scans the open container's members at
// every value it closes, and ordered_json's operator[] searches the members
// before every insertion, both quadratic in the length of a long list. The
// handler gathers members apart (json_members.h), refuses duplicate keys
// through a hash index and places each value once it is complete, so parsing
// stays linear, and one array's elements can be handed over as they complete.
// To give refusals a line and column, the input is read through an iterator
// that remembers how far the parser has read.
#include "host/project/json_text.h"

#include <iterator>
#include <memory>
#include <vector>

#include "host/project/json_members.h"

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

/// One open object or array of the document being built. Its members are
/// gathered apart and it is placed in its parent once complete.
struct open_value {
    bool is_array;
    ordered_json items;      ///< the array's elements so far
    object_members members;  ///< the object's members so far
    std::string key;         ///< where the value goes in its parent object
    bool streamed = false;   ///< elements go to the streamed array's receiver
};

/// Builds the document from the parser's events, refusing nesting deeper than
/// max_depth and a key repeated in one object.
class strict_builder {
public:
    strict_builder(std::string_view text, std::string_view source, const std::size_t& consumed,
                   const streamed_array* streamed)
        : m_text(text), m_source(source), m_consumed(consumed), m_streamed(streamed)
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

    bool start_object(std::size_t) { return open(false); }
    bool start_array(std::size_t) { return open(true); }
    bool end_object() { return close(); }
    bool end_array() { return close(); }

    bool key(std::string& key)
    {
        if (m_open.back().members.contains(key)) fail("duplicate key \"" + key + "\"");
        m_key = std::move(key);
        return true;
    }

    template <class Exception>
    bool parse_error(std::size_t, const std::string&, const Exception& error)
    {
        throw error;  // parse_text turns it into a json_text_error with the position
    }

private:
    /// Stores a complete value where the parser is; `key` names it in an object.
    void place(ordered_json&& value, std::string&& key)
    {
        if (m_open.empty()) {
            m_root = std::move(value);
            return;
        }
        open_value& top = m_open.back();
        if (!top.is_array) {
            top.members.append(std::move(key), std::move(value));
        } else if (top.streamed) {
            m_streamed->take(std::move(value));
        } else {
            top.items.get_ref<ordered_json::array_t&>().push_back(std::move(value));
        }
    }

    bool add(ordered_json&& value)
    {
        place(std::move(value), std::move(m_key));
        return true;
    }

    bool open(bool is_array)
    {
        if (m_open.size() >= static_cast<std::size_t>(max_depth))
            fail("nesting deeper than " + std::to_string(max_depth) + " levels");
        const bool streamed = is_array && m_streamed && m_open.size() == 1 && !m_open.front().is_array &&
                              m_key == m_streamed->key;
        m_open.push_back({is_array, is_array ? ordered_json::array() : ordered_json(), spare_members(), std::move(m_key), streamed});
        return true;
    }

    bool close()
    {
        open_value done = std::move(m_open.back());
        m_open.pop_back();
        place(done.is_array ? std::move(done.items) : done.members.take_object(), std::move(done.key));
        m_spare.push_back(std::move(done.members));
        return true;
    }

    /// An empty member list that kept its room from an object already closed:
    /// most objects of a file are alike, so few need to grow their own.
    object_members spare_members()
    {
        if (m_spare.empty()) return {};
        object_members members = std::move(m_spare.back());
        m_spare.pop_back();
        return members;
    }

    [[noreturn]] void fail(const std::string& reason) const
    {
        const auto [line, column] = line_and_column(m_text, m_consumed ? m_consumed - 1 : 0);
        throw json_text_error(std::string(m_source), line, column, reason);
    }

    std::string_view m_text;
    std::string_view m_source;
    const std::size_t& m_consumed;
    const streamed_array* m_streamed;
    ordered_json m_root;
    std::vector<open_value> m_open;
    std::vector<object_members> m_spare;  ///< member lists of closed objects, emptied
    std::string m_key;
};

/// Parses with `streamed` (may be null) receiving that array's elements.
ordered_json parse(std::string_view utf8, std::string_view source, const streamed_array* streamed)
{
    std::size_t consumed = 0;
    const counting_iterator first(utf8.data(), utf8.data(), &consumed);
    const counting_iterator last(utf8.data(), utf8.data() + utf8.size(), nullptr);
    strict_builder builder(utf8, source, consumed, streamed);
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

}  // namespace

json_text_error::json_text_error(std::string source, std::size_t line, std::size_t column, std::string reason)
    : std::runtime_error(source + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + reason),
      m_source(std::move(source)), m_line(line), m_column(column), m_reason(std::move(reason))
{
}

nlohmann::ordered_json parse_text(std::string_view utf8, std::string_view source)
{
    return parse(utf8, source, nullptr);
}

nlohmann::ordered_json parse_text(std::string_view utf8, std::string_view source, const streamed_array& streamed)
{
    return parse(utf8, source, &streamed);
}

std::string dump_text(const nlohmann::ordered_json& document, int indent)
{
    try {
        return document.dump(indent, ' ', false, nlohmann::ordered_json::error_handler_t::strict);
    } catch (const nlohmann::ordered_json::exception& e) {
        throw std::runtime_error("cannot write JSON text: " + plain_reason(e.what()));
    }
}

std::string json_error_reason(const std::string& what) { return plain_reason(what); }

}  // namespace ds_json
