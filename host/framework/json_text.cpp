// Strict JSON parsing on top of nlohmann/json.
//
// The library's parser is iterative, but it keeps the last of duplicate keys
// silently and accepts any depth; a parser callback refuses both. To give those
// refusals a line and column, the input is read through an iterator that
// remembers how far the parser has read.
#include "host/framework/json_text.h"

#include <iterator>
#include <unordered_set>
#include <vector>

namespace ds_json {
namespace {

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

/// Rejects deep nesting and duplicate keys while the parser builds the document.
class strictness_check {
public:
    explicit strictness_check(std::string_view text, std::string_view source, const std::size_t& consumed)
        : m_text(text), m_source(source), m_consumed(consumed)
    {
    }

    bool operator()(int depth, nlohmann::ordered_json::parse_event_t event, nlohmann::ordered_json& parsed)
    {
        using event_t = nlohmann::ordered_json::parse_event_t;
        switch (event) {
        case event_t::object_start:
        case event_t::array_start:
            if (depth >= max_depth)
                fail("nesting deeper than " + std::to_string(max_depth) + " levels");
            if (event == event_t::object_start) m_keys.emplace_back();
            break;
        case event_t::key:
            if (!m_keys.back().insert(parsed.get_ref<const std::string&>()).second)
                fail("duplicate key \"" + parsed.get_ref<const std::string&>() + "\"");
            break;
        case event_t::object_end:
            m_keys.pop_back();
            break;
        default:
            break;
        }
        return true;
    }

private:
    [[noreturn]] void fail(const std::string& reason) const
    {
        const auto [line, column] = line_and_column(m_text, m_consumed ? m_consumed - 1 : 0);
        throw json_text_error(std::string(m_source), line, column, reason);
    }

    std::string_view m_text;
    std::string_view m_source;
    const std::size_t& m_consumed;
    std::vector<std::unordered_set<std::string>> m_keys;
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
    try {
        return nlohmann::ordered_json::parse(first, last, strictness_check(utf8, source, consumed));
    } catch (const nlohmann::ordered_json::parse_error& e) {
        const std::size_t at = e.byte > 0 ? e.byte - 1 : 0;
        const auto [line, column] = line_and_column(utf8, at);
        throw json_text_error(std::string(source), line, column, plain_reason(e.what()));
    } catch (const nlohmann::ordered_json::exception& e) {
        // For example a number too large for a double: no byte position in the exception.
        const auto [line, column] = line_and_column(utf8, consumed ? consumed - 1 : 0);
        throw json_text_error(std::string(source), line, column, plain_reason(e.what()));
    }
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
