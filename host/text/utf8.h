// utf8: small helpers over UTF-8 bytes that callers trust to be UTF-8 (files
// already checked, text already converted). Validation lives in encoding.h.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace utf8_text {

/// Bytes of the character a lead byte starts, by that byte alone: 1 to 4.
std::size_t sequence_length(unsigned char lead);

/// Length of the run of plain ASCII bytes (below 0x80) at the start of
/// `text`, read eight bytes at a time: most texts of a project are ASCII.
std::size_t ascii_prefix(std::string_view text);
/// True when every byte of `text` is plain ASCII.
inline bool is_ascii(std::string_view text) { return ascii_prefix(text) == text.size(); }

/// Characters of `text`: the bytes that do not continue a sequence.
std::size_t count_characters(std::string_view text);

/// The longest start of `text` of at most `max_bytes` bytes that does not split a character.
std::string_view cut(std::string_view text, std::size_t max_bytes);

/// Appends the UTF-8 bytes of `code_point` (at most U+10FFFF) to `out`.
void append(std::string& out, char32_t code_point);

}  // namespace utf8_text
