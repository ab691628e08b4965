// The fast reader behind parse_text: RapidJSON's SAX reader, its events
// building the same document, value for value and type for type, as the
// library's reader builds. Whatever it cannot take exactly so, it refuses.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>

#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>

#include "host/project/json_builder.h"
#include "host/project/json_parsers.h"

namespace ds_json {
namespace {

using nlohmann::ordered_json;
using rapidjson::SizeType;

/// True when `text` holds a UTF-16 surrogate written as UTF-8 (ED A0..BF):
/// the reader validates raw text, but writes an escaped low surrogate that no
/// high one precedes ("\udc00") as such bytes, where the library refuses it.
bool holds_surrogate(const char* text, std::size_t size)
{
    const char* const end = text + size;
    for (const char* at = text; (at = static_cast<const char*>(std::memchr(at, '\xED', end - at))); ++at)
        if (at + 1 < end && static_cast<unsigned char>(at[1]) >= 0xA0) return true;
    return false;
}

/// Turns the reader's events into the document. Every method answers false
/// to stop the reader, which then refuses the text.
class fast_handler {
public:
    explicit fast_handler(const streamed_array* streamed) : m_builder(streamed) {}

    ordered_json take() { return m_builder.take(); }

    bool Null() { return add(nullptr); }
    bool Bool(bool value) { return add(value); }
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
                if (const auto [at, error] = std::from_chars(text, end, value); error == std::errc() && at == end)
                    return add(value);
            } else {
                std::uint64_t value = 0;
                if (const auto [at, error] = std::from_chars(text, end, value); error == std::errc() && at == end)
                    return add(value);
            }
        }
        double value = 0;
        const auto [at, error] = std::from_chars(text, end, value);
        if (error != std::errc() || at != end) return false;
        return add(value);
    }

    bool String(const char* text, SizeType size, bool)
    {
        if (holds_surrogate(text, size)) return false;
        return add(std::string(text, size));
    }

    bool Key(const char* text, SizeType size, bool)
    {
        return !holds_surrogate(text, size) && m_builder.key(std::string(text, size));
    }

    bool StartObject() { return m_builder.open(false); }
    bool StartArray() { return m_builder.open(true); }
    bool EndObject(SizeType) { return close(); }
    bool EndArray(SizeType) { return close(); }

private:
    bool add(ordered_json&& value)
    {
        m_builder.add(std::move(value));
        return true;
    }

    bool close()
    {
        m_builder.close();
        return true;
    }

    document_builder m_builder;
};

/// Iterative, so that no text can exhaust the stack; the encoding validated as
/// the library validates it; numbers handed over as text, to be converted as
/// the library converts them (full precision only decides how the reader
/// keeps the number's text).
constexpr unsigned parse_flags = rapidjson::kParseFullPrecisionFlag | rapidjson::kParseValidateEncodingFlag |
                                 rapidjson::kParseIterativeFlag | rapidjson::kParseNumbersAsStringsFlag;

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
