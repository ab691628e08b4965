// The fast reader behind parse_text: RapidJSON's SAX reader, its events
// building the same document, value for value and type for type, as the
// library's reader builds. Whatever it cannot take exactly so, it refuses.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>

#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>

#include "host/json/json_builder.h"
#include "host/text/utf8.h"
#include "host/json/json_parsers.h"

namespace ds_json {
namespace {

using nlohmann::ordered_json;
using rapidjson::SizeType;

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
/// to stop the reader, which then refuses the text.
class fast_handler {
public:
    explicit fast_handler(const streamed_array* streamed) : m_builder(streamed) {}

    ordered_json take() { return m_builder.take(); }

    bool Null()
    {
        m_builder.add_null();
        return true;
    }
    bool Bool(bool value)
    {
        m_builder.add_bool(value);
        return true;
    }
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
    bool RawNumber(const char* text, SizeType size, bool)
    {
        const char* const end = text + size;
        if (std::none_of(text, end, [](char c) { return c == '.' || c == 'e' || c == 'E'; })) {
            if (*text == '-') {
                std::int64_t value = 0;
                if (const auto [at, error] = std::from_chars(text, end, value); error == std::errc() && at == end) {
                    m_builder.add_integer(value);
                    return true;
                }
            } else {
                std::uint64_t value = 0;
                if (const auto [at, error] = std::from_chars(text, end, value); error == std::errc() && at == end) {
                    m_builder.add_unsigned(value);
                    return true;
                }
            }
        }
        double value = 0;
        const auto [at, error] = std::from_chars(text, end, value);
        if (error != std::errc() || at != end) return false;
        m_builder.add_real(value);
        return true;
    }

    bool String(const char* text, SizeType size, bool)
    {
        if (!well_formed(text, size)) return false;
        m_builder.add_text(std::string_view(text, size));
        return true;
    }

    bool Key(const char* text, SizeType size, bool)
    {
        return well_formed(text, size) && m_builder.key(std::string(text, size));
    }

    bool StartObject() { return m_builder.open(false); }
    bool StartArray() { return m_builder.open(true); }
    bool EndObject(SizeType) { return close(); }
    bool EndArray(SizeType) { return close(); }

private:

    bool close()
    {
        m_builder.close();
        return true;
    }

    document_builder m_builder;
};

/// Iterative, so that no text can exhaust the stack; numbers handed over as
/// text, to be converted as the library converts them (full precision only
/// decides how the reader keeps the number's text). The encoding is checked
/// once per string (well_formed) rather than by the reader, which calls its
/// check for every character.
constexpr unsigned parse_flags =
    rapidjson::kParseFullPrecisionFlag | rapidjson::kParseIterativeFlag | rapidjson::kParseNumbersAsStringsFlag;

}  // namespace

std::optional<ordered_json> parse_text_fast(std::string_view utf8, const streamed_array* streamed)
{
    // The library skips a byte order mark at the very start, and only there.
    constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";
    if (utf8.substr(0, byte_order_mark.size()) == byte_order_mark) utf8.remove_prefix(byte_order_mark.size());

    rapidjson::MemoryStream stream(utf8.data(), utf8.size());
    fast_handler handler(streamed);
    rapidjson::Reader reader;
    if (reader.Parse<parse_flags>(stream, handler).IsError()) return std::nullopt;
    // The reader takes a zero byte for the end of the text; anything after it is not JSON.
    if (stream.Tell() != utf8.size()) return std::nullopt;
    return handler.take();
}

}  // namespace ds_json
