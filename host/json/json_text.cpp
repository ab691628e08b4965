// Strict JSON parsing: RapidJSON's reader first (json_fast_parse.cpp), and
// nlohmann/json's whenever that one refuses a text, for the exact refusal.
//
// The document is built by our own SAX handler on the library's parser rather
// than by its callback parser: that one scans the open container's members at
// every value it closes, and ordered_json's operator[] searches the members
// before every insertion, both quadratic in the length of a long list. The
// handler gathers members apart (json_builder.h), refuses duplicate keys
// through a hash index and places each value once it is complete, so parsing
// stays linear, and one array's elements can be handed over as they complete.
// To give refusals a line and column, the input is read through an iterator
// that remembers how far the parser has read.
#include "host/json/json_text.h"

#include <iterator>
#include <memory>
#include <vector>

#include "host/json/json_builder.h"
#include "host/json/json_parsers.h"

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

/// Builds the document from the library parser's events, refusing nesting
/// deeper than max_depth and a key repeated in one object with the position.
class strict_builder {
public:
    strict_builder(std::string_view text, std::string_view source, const std::size_t& consumed,
                   const streamed_array* streamed)
        : m_text(text), m_source(source), m_consumed(consumed), m_builder(streamed)
    {
    }

    ordered_json take() { return m_builder.take(); }

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
        if (!m_builder.key(std::move(key))) fail("duplicate key \"" + key + "\"");  // not moved from when refused
        return true;
    }

    template <class Exception>
    bool parse_error(std::size_t, const std::string&, const Exception& error)
    {
        throw error;  // parse_text turns it into a json_text_error with the position
    }

private:
    bool add(ordered_json&& value)
    {
        m_builder.add(std::move(value));
        return true;
    }

    bool open(bool is_array)
    {
        if (!m_builder.open(is_array)) fail("nesting deeper than " + std::to_string(max_depth) + " levels");
        return true;
    }

    bool close()
    {
        m_builder.close();
        return true;
    }

    [[noreturn]] void fail(const std::string& reason) const
    {
        const auto [line, column] = line_and_column(m_text, m_consumed ? m_consumed - 1 : 0);
        throw json_text_error(std::string(m_source), line, column, reason);
    }

    std::string_view m_text;
    std::string_view m_source;
    const std::size_t& m_consumed;
    document_builder m_builder;
};

}  // namespace

ordered_json parse_text_reference(std::string_view utf8, std::string_view source, const streamed_array* streamed)
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

namespace {

/// Parses with `streamed` (may be null) receiving that array's elements: the
/// fast reader first, the library's when the fast one refuses the text.
ordered_json parse(std::string_view utf8, std::string_view source, const streamed_array* streamed)
{
    if (!streamed || streamed->restart) {
        if (auto document = parse_text_fast(utf8, streamed)) return std::move(*document);
        if (streamed) streamed->restart();
    }
    return parse_text_reference(utf8, source, streamed);
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
