// Strict JSON reading into a flat tree: RapidJSON's SAX reader first, for
// speed, and nlohmann/json's whenever that one refuses a text, for the exact
// refusal; one builder takes the events of both.
//
// Our own handler builds the tree rather than the library's callback parser:
// that one scans the open container's members at every value it closes, and
// ordered_json's operator[] searches the members before every insertion, both
// quadratic in the length of a long list. The tree refuses a repeated key
// through the fingerprints and, in a large object, a set of its keys, so
// reading stays linear, and one array's elements can be handed over as they
// complete. To give refusals a line and column, the input is read through an
// iterator that remembers how far the parser has read.
#include "host/json/json_text.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <optional>

#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>

#include "host/text/utf8.h"

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

/// Builds the tree from the library parser's events, refusing nesting deeper
/// than max_depth and a key repeated in one object with the position.
class tree_builder {
public:
    tree_builder(std::string_view text, std::string_view source, const std::size_t& consumed,
                 const streamed_array* streamed)
        : m_text(text), m_source(source), m_consumed(consumed), m_streamed(streamed)
    {
    }

    flat_tree take() { return std::move(m_tree); }

    bool null() { return add([&](flat_tree& t) { t.add_null(); }); }
    bool boolean(bool value) { return add([&](flat_tree& t) { t.add_bool(value); }); }
    bool number_integer(std::int64_t value) { return add([&](flat_tree& t) { t.add_integer(value); }); }
    bool number_unsigned(std::uint64_t value) { return add([&](flat_tree& t) { t.add_unsigned(value); }); }
    bool number_float(double value, const std::string&) { return add([&](flat_tree& t) { t.add_real(value); }); }
    bool string(std::string& value) { return text(value); }
    bool text(std::string_view value) { return add([&](flat_tree& t) { t.add_text(value); }); }
    bool binary(ordered_json::binary_t&) { return false; }  // JSON text holds none

    bool start_object(std::size_t) { return open(false); }
    bool start_array(std::size_t) { return open(true); }
    bool end_object() { return close(); }
    bool end_array() { return close(); }

    bool key(std::string& key) { return member(key); }
    bool member(std::string_view key)
    {
        if (!target().key(key)) fail("duplicate key \"" + std::string(key) + "\"");
        if (!in_element()) m_key = key;
        return true;
    }

    template <class Exception>
    bool parse_error(std::size_t, const std::string&, const Exception& error)
    {
        throw error;  // read_text turns it into a json_text_error with the position
    }

private:
    /// True while values go to the streamed array's element being built.
    bool in_element() const { return m_streaming || m_element.depth() > 0; }
    flat_tree& target() { return in_element() ? m_element : m_tree; }

    /// Adds a value where it belongs.
    template <class Add>
    bool add(Add to)
    {
        to(target());
        return added();
    }

    /// After a value was added or closed: hands a complete element out.
    bool added()
    {
        if (m_streaming && m_element.depth() == 0) {
            m_streamed->take(m_element);
            m_element.clear();
        }
        return true;
    }

    bool open(bool is_array)
    {
        if (m_tree.depth() + m_element.depth() >= static_cast<std::size_t>(max_depth))
            fail("nesting deeper than " + std::to_string(max_depth) + " levels");
        if (in_element()) {
            m_element.open(is_array);
            return true;
        }
        m_streaming = is_array && m_streamed && m_tree.depth() == 1 && m_tree[0].type == flat_tree::kind::object &&
                      m_key == m_streamed->key;
        m_tree.open(is_array);
        return true;
    }

    bool close()
    {
        if (m_element.depth() > 0) {
            m_element.close();
            return added();
        }
        m_streaming = false;
        m_tree.close();
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
    const streamed_array* m_streamed;
    flat_tree m_tree;
    flat_tree m_element;  ///< the streamed array's element being built, refilled for each
    std::string m_key;    ///< the key read last outside the streamed array
    bool m_streaming = false;
};

/// The library's reading, which has the last word: every refusal in its words.
flat_tree read_with_library(std::string_view utf8, std::string_view source, const streamed_array* streamed)
{
    std::size_t consumed = 0;
    const counting_iterator first(utf8.data(), utf8.data(), &consumed);
    const counting_iterator last(utf8.data(), utf8.data() + utf8.size(), nullptr);
    tree_builder builder(utf8, source, consumed, streamed);
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

/// True when `text` is well-formed UTF-8 as the library reads it: no overlong
/// forms, no surrogates, nothing past U+10FFFF. The reader copies a string's
/// bytes as they stand and writes escapes as UTF-8, but an escaped low
/// surrogate that no high one precedes ("\udc00") it writes as such bytes,
/// where the library refuses the text; this refuses it too.
bool well_formed(const char* text, std::size_t size)
{
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    std::size_t i = 0;
    while (i < size) {
        i += utf8_text::ascii_prefix(std::string_view(text + i, size - i));
        if (i == size) break;
        const unsigned lead = s[i];
        std::size_t length = 0;
        unsigned low = 0x80, high = 0xBF;  // the second byte's range
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (size - i < length || s[i + 1] < low || s[i + 1] > high) return false;
        for (std::size_t k = 2; k < length; ++k)
            if ((s[i + k] & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

/// Turns the reader's events into the document. Every method answers false

/// RapidJSON's events as the library's, so that the builder makes the same
/// tree, value for value and type for type. Any refusal, the text's or the
/// builder's (it throws), leaves the text to the library.
struct fast_events {
    tree_builder& to;

    bool Null() { return to.null(); }
    bool Bool(bool value) { return to.boolean(value); }
    // Numbers arrive as their text (RawNumber); these are never called.
    bool Int(int) { return false; }
    bool Uint(unsigned) { return false; }
    bool Int64(std::int64_t) { return false; }
    bool Uint64(std::uint64_t) { return false; }
    bool Double(double) { return false; }
    /// A number as the library reads it: an integer without a sign as
    /// unsigned, with one as signed, either as a float when it needs more than
    /// 64 bits; anything with a fraction or an exponent as a float, correctly
    /// rounded. A float out of the double's range is refused: the library
    /// refuses one that overflows and reads one that underflows as zero.
    bool RawNumber(const char* text, rapidjson::SizeType size, bool)
    {
        const char* const end = text + size;
        if (std::none_of(text, end, [](char c) { return c == '.' || c == 'e' || c == 'E'; })) {
            std::int64_t integer = 0;
            std::uint64_t positive = 0;
            const auto [at, error] = *text == '-' ? std::from_chars(text, end, integer) : std::from_chars(text, end, positive);
            if (error == std::errc() && at == end) return *text == '-' ? to.number_integer(integer) : to.number_unsigned(positive);
        }
        double value = 0;
        const auto [at, error] = std::from_chars(text, end, value);
        return error == std::errc() && at == end && to.number_float(value, {});
    }
    bool String(const char* text, rapidjson::SizeType size, bool) { return well_formed(text, size) && to.text({text, size}); }
    bool Key(const char* text, rapidjson::SizeType size, bool) { return well_formed(text, size) && to.member({text, size}); }
    bool StartObject() { return to.start_object(0); }
    bool StartArray() { return to.start_array(0); }
    bool EndObject(rapidjson::SizeType) { return to.end_object(); }
    bool EndArray(rapidjson::SizeType) { return to.end_array(); }
};

/// Iterative, so that no text can exhaust the stack; numbers handed over as
/// text, to be converted as the library converts them. The encoding is checked
/// once per string (well_formed) rather than by the reader, which calls its
/// check for every character.
constexpr unsigned fast_flags =
    rapidjson::kParseFullPrecisionFlag | rapidjson::kParseIterativeFlag | rapidjson::kParseNumbersAsStringsFlag;

std::optional<flat_tree> read_fast(std::string_view utf8, const streamed_array* streamed)
{
    // The library skips a byte order mark at the very start, and only there.
    if (utf8.starts_with("\xEF\xBB\xBF")) utf8.remove_prefix(3);
    const std::size_t no_position = 0;
    tree_builder builder(utf8, {}, no_position, streamed);
    fast_events events{builder};
    rapidjson::MemoryStream stream(utf8.data(), utf8.size());
    try {
        // The reader takes a zero byte for the end of the text; anything after it is not JSON.
        if (rapidjson::Reader().Parse<fast_flags>(stream, events).IsError() || stream.Tell() != utf8.size()) return std::nullopt;
    } catch (const json_text_error&) {
        return std::nullopt;  // the builder's refusal, worded with its position by the library's reading
    }
    return builder.take();
}

}  // namespace

flat_tree read_text(std::string_view utf8, std::string_view source, const streamed_array* streamed)
{
    if (!streamed || streamed->restart) {
        if (auto tree = read_fast(utf8, streamed)) return std::move(*tree);
        if (streamed) streamed->restart();
    }
    return read_with_library(utf8, source, streamed);
}

ordered_json parse_text(std::string_view utf8, std::string_view source) { return read_text(utf8, source).to_json(); }

json_text_error::json_text_error(std::string source, std::size_t line, std::size_t column, std::string reason)
    : std::runtime_error(source + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + reason),
      m_source(std::move(source)), m_line(line), m_column(column), m_reason(std::move(reason))
{
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
