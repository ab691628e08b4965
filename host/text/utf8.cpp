// UTF-8 lengths, counts, cuts and encoding of one code point.
#include "host/text/utf8.h"

#include <cstdint>
#include <cstring>

#include <algorithm>

namespace utf8_text {

std::size_t ascii_prefix(std::string_view text)
{
    std::size_t i = 0;
    for (; text.size() - i >= 8; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, sizeof word);
        if (word & 0x8080808080808080u) break;
    }
    while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) ++i;
    return i;
}

namespace {
bool continues(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }
}  // namespace

std::size_t sequence_length(unsigned char lead) { return lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4; }

std::size_t count_characters(std::string_view text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) { return !continues(c); }));
}

std::string_view cut(std::string_view text, std::size_t max_bytes)
{
    if (text.size() <= max_bytes) return text;
    std::size_t end = max_bytes;
    while (end > 0 && continues(text[end])) --end;
    return text.substr(0, end);
}

void append(std::string& out, char32_t code_point)
{
    const auto byte = [&out](char32_t bits) { out += static_cast<char>(bits); };
    if (code_point < 0x80) {
        byte(code_point);
    } else if (code_point < 0x800) {
        byte(0xC0 | (code_point >> 6));
        byte(0x80 | (code_point & 0x3F));
    } else if (code_point < 0x10000) {
        byte(0xE0 | (code_point >> 12));
        byte(0x80 | ((code_point >> 6) & 0x3F));
        byte(0x80 | (code_point & 0x3F));
    } else {
        byte(0xF0 | (code_point >> 18));
        byte(0x80 | ((code_point >> 12) & 0x3F));
        byte(0x80 | ((code_point >> 6) & 0x3F));
        byte(0x80 | (code_point & 0x3F));
    }
}

}  // namespace utf8_text
