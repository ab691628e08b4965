// Strict JSON reading into a flat tree with RapidJSON's SAX reader.
//
// Our own handler builds the tree: it refuses a key repeated in one object
// through the tree's fingerprints and, in a large object, a set of its keys,
// so that reading stays linear, and one array's elements can be handed over
// as they complete. The reader is iterative, so that no text can exhaust the
// stack; numbers come as their text and are converted here, and each string's
// encoding is checked once (ill_formed_at) rather than by the reader, which
// checks it for every character.
#include "host/json/json_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <optional>

#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>
#include <rapidjson/error/en.h>  // after the reader, which names the headers they share as the ignore list does

#include "host/text/utf8.h"

namespace ds_json {
namespace {

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

/// Where `text` stops being well-formed UTF-8 (overlong forms, surrogates and
/// anything past U+10FFFF included); `size` when it is all well-formed. The
/// reader copies a string's bytes as they stand and writes an escaped low
/// surrogate that no high one precedes ("\udc00") as the bytes of one, which
/// this refuses too.
std::size_t ill_formed_at(const char* text, std::size_t size)
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
            return i;
        }
        if (size - i < length || s[i + 1] < low || s[i + 1] > high) return i;
        for (std::size_t k = 2; k < length; ++k)
            if ((s[i + k] & 0xC0) != 0x80) return i;
        i += length;
    }
    return size;
}

/// The first control character in the string at or after `at`, where the
/// reader stopped (at the string's opening quote or at the character); none
/// when there is none. The reader calls one an invalid escape, or at a zero
/// byte a missing closing quote.
std::optional<std::size_t> control_in_string(std::string_view text, std::size_t at)
{
    for (std::size_t i = at; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20) return i;
        if (c == '\\') ++i;
        else if (c == '"' && i > at) break;
    }
    return std::nullopt;
}

/// For a number out of a double's range: true when it is too large (a
/// refusal), false when too small (it reads as zero). Its decimal exponent
/// decides, the digits before the point counted in.
bool too_large(std::string_view number)
{
    const std::size_t e = std::min(number.find_first_of("eE"), number.size());
    long exponent = 0;
    if (e < number.size()) {
        std::size_t at = e + 1;
        const bool negative = number[at] == '-';
        if (number[at] == '-' || number[at] == '+') ++at;
        for (; at < number.size(); ++at) exponent = std::min(exponent * 10 + (number[at] - '0'), 1'000'000'000L);
        if (negative) exponent = -exponent;
    }
    std::string_view mantissa = number.substr(0, e);
    if (mantissa.starts_with('-')) mantissa.remove_prefix(1);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_not_of("0.");
    if (first == std::string_view::npos) return false;  // zero
    return exponent + (first < point ? static_cast<long>(point - first) - 1 : -static_cast<long>(first - point)) > 0;
}

/// The reader's message in the style of ours: "missing a comma or ']' after an array element".
std::string reason_of(rapidjson::ParseErrorCode code)
{
    std::string reason = rapidjson::GetParseError_En(code);
    if (reason.ends_with('.')) reason.pop_back();
    if (!reason.empty()) reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
    return reason;
}

/// Builds the tree from the reader's events, refusing nesting deeper than
/// max_depth, a key repeated in one object, invalid UTF-8 and a number too
/// large; a refusal stops the reader and is kept with where it was read.
class tree_builder {
public:
    tree_builder(const rapidjson::MemoryStream& stream, const streamed_array* streamed) : m_stream(stream), m_streamed(streamed) {}

    flat_tree take() { return std::move(m_tree); }
    /// The refusal that stopped the reader and the offset of the character read last; empty when none did.
    const std::string& refusal() const { return m_refusal; }
    std::size_t refused_at() const { return m_refused_at; }

    bool Null() { return add([&](flat_tree& t) { t.add_null(); }); }
    bool Bool(bool value) { return add([&](flat_tree& t) { t.add_bool(value); }); }
    // Numbers arrive as their text (RawNumber); these are never called.
    bool Int(int) { return false; }
    bool Uint(unsigned) { return false; }
    bool Int64(std::int64_t) { return false; }
    bool Uint64(std::uint64_t) { return false; }
    bool Double(double) { return false; }
    /// An integer without a sign as unsigned, with one as signed, either as a
    /// double when it needs more than 64 bits; anything with a fraction or an
    /// exponent as a double, correctly rounded.
    bool RawNumber(const char* text, rapidjson::SizeType size, bool)
    {
        const char* const end = text + size;
        if (std::none_of(text, end, [](char c) { return c == '.' || c == 'e' || c == 'E'; })) {
            std::int64_t integer = 0;
            std::uint64_t positive = 0;
            const auto [at, error] = *text == '-' ? std::from_chars(text, end, integer) : std::from_chars(text, end, positive);
            if (error == std::errc() && at == end)
                return add([&](flat_tree& t) { *text == '-' ? t.add_integer(integer) : t.add_unsigned(positive); });
        }
        double value = 0;
        const auto [at, error] = std::from_chars(text, end, value);
        if (error == std::errc::result_out_of_range) {
            // The reader refuses most numbers too large itself, in these words.
            if (too_large({text, size})) return fail("number too big to be stored in double", m_stream.Tell() - size);
            value = *text == '-' ? -0.0 : 0.0;
        } else if (error != std::errc() || at != end) {
            return fail("invalid number " + std::string(text, size));
        }
        return add([&](flat_tree& t) { t.add_real(value); });
    }
    bool String(const char* text, rapidjson::SizeType size, bool)
    {
        if (!well_formed(text, size, "string")) return false;
        return add([&](flat_tree& t) { t.add_text({text, size}); });
    }
    bool Key(const char* text, rapidjson::SizeType size, bool)
    {
        if (!well_formed(text, size, "key")) return false;
        const std::string_view key(text, size);
        if (!target().key(key)) return fail("duplicate key \"" + std::string(key) + "\"");
        if (!in_element()) m_key = key;
        return true;
    }
    bool StartObject() { return open(false); }
    bool StartArray() { return open(true); }
    bool EndObject(rapidjson::SizeType) { return close(); }
    bool EndArray(rapidjson::SizeType) { return close(); }

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
        // The reader tells of an opening bracket before it takes it.
        if (m_tree.depth() + m_element.depth() >= static_cast<std::size_t>(max_depth))
            return fail("nesting deeper than " + std::to_string(max_depth) + " levels", m_stream.Tell());
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

    /// False, and the refusal, when the string just read is not well-formed
    /// UTF-8: at its first bad byte when the file holds it as it stands,
    /// else (an escape made it) at its closing quote.
    bool well_formed(const char* text, std::size_t size, const char* what)
    {
        const std::size_t bad = ill_formed_at(text, size);
        if (bad == size) return true;
        const std::size_t end = m_stream.Tell() - 1;  // the closing quote
        if (end >= size && std::string_view(m_stream.begin_ + end - size, size) == std::string_view(text, size))
            return fail("invalid UTF-8 in a " + std::string(what), end - size + bad);
        return fail("invalid UTF-8 or a lone surrogate escape in a " + std::string(what));
    }

    /// Stops the reader; the refusal stands at `at`, by default the character read last.
    bool fail(std::string reason, std::size_t at = none)
    {
        m_refusal = std::move(reason);
        m_refused_at = at != none ? at : m_stream.Tell() > 0 ? m_stream.Tell() - 1 : 0;
        return false;
    }

    static constexpr std::size_t none = static_cast<std::size_t>(-1);

    const rapidjson::MemoryStream& m_stream;
    const streamed_array* m_streamed;
    flat_tree m_tree;
    flat_tree m_element;  ///< the streamed array's element being built, refilled for each
    std::string m_key;    ///< the key read last outside the streamed array
    bool m_streaming = false;
    std::string m_refusal;
    std::size_t m_refused_at = 0;
};

constexpr unsigned reader_flags =
    rapidjson::kParseFullPrecisionFlag | rapidjson::kParseIterativeFlag | rapidjson::kParseNumbersAsStringsFlag;

}  // namespace

flat_tree read_text(std::string_view utf8, std::string_view source, const streamed_array* streamed)
{
    // A byte order mark is skipped at the very start, and only there.
    const std::size_t skipped = utf8.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    const std::string_view text = utf8.substr(skipped);
    rapidjson::MemoryStream stream(text.data(), text.size());
    tree_builder builder(stream, streamed);
    const rapidjson::ParseResult result = rapidjson::Reader().Parse<reader_flags>(stream, builder);
    std::string reason;
    std::size_t at = 0;
    if (!builder.refusal().empty()) {
        reason = builder.refusal();
        at = builder.refused_at();
    } else if (result.IsError()) {
        reason = reason_of(result.Code());
        at = result.Offset();
        const auto code = result.Code();
        if (code == rapidjson::kParseErrorStringEscapeInvalid || code == rapidjson::kParseErrorStringMissQuotationMark) {
            if (const auto control = control_in_string(text, at)) {
                at = *control;
                char hex[8];
                std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(static_cast<unsigned char>(text[at])));
                reason = "control character U+" + std::string(hex) + " in a string must be escaped";
            }
        }
        if (at >= text.size() && result.Code() != rapidjson::kParseErrorDocumentEmpty) reason = "unexpected end of input: " + reason;
    } else if (stream.Tell() != text.size()) {
        // The reader takes a zero byte for the end of the text; anything after it is not JSON.
        reason = "unexpected character after the document";
        at = stream.Tell();
    }
    if (reason.empty()) return builder.take();
    const auto [line, column] = line_and_column(text, at);
    throw json_text_error(std::string(source), line, column, reason);
}

json_text_error::json_text_error(std::string source, std::size_t line, std::size_t column, std::string reason)
    : std::runtime_error(source + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + reason),
      m_source(std::move(source)), m_line(line), m_column(column), m_reason(std::move(reason))
{
}

}  // namespace ds_json
