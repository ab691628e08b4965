// The one place where narrow in-memory text (DS_NARROW_CHARSET, GBK in a GCC
// build) and UTF-8 (files, terminal) meet. Conversion is strict: text that the
// target charset cannot hold is an error naming the character and its place.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "host/afx/cstring.h"

namespace ds_text {

/// Thrown when text does not convert; what() names the offending character and its byte offset.
class conversion_error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Charset of narrow text in memory ("GBK" or "UTF-8").
const char* narrow_charset();

/// Narrow (in-memory) text to UTF-8. Throws conversion_error on bytes that are
/// not valid narrow text or whose UTF-8 would not convert back to the same bytes.
std::string to_utf8(std::string_view narrow);
inline std::string to_utf8(const CString& narrow) { return to_utf8(std::string_view(narrow.str())); }

/// UTF-8 to narrow text. Throws conversion_error on invalid UTF-8 or a character
/// the narrow charset lacks (for example "²" in GBK), including those iconv
/// drops without an error (the tag characters U+E0000 to U+E007F): the result
/// is converted back and must give `utf8` again.
CString from_utf8(std::string_view utf8);

/// Narrow text to GBK, the code page CAD programs read Chinese drawings in.
/// Throws conversion_error on invalid narrow text or a character GBK lacks.
std::string to_gbk(std::string_view narrow);

/// Charsets a text file may come in: UTF-8, or GBK (code page 936), which
/// spreadsheet programs on a Chinese Windows write as "ANSI".
enum class file_charset { utf8, gbk };

/// True when `bytes` is well-formed UTF-8 (overlong forms and surrogates are not).
bool is_utf8(std::string_view bytes);

/// Text of a file in `charset` as UTF-8 (UTF-8 is validated, GBK converted).
/// Throws conversion_error naming the first byte that does not belong to the charset.
std::string file_text_to_utf8(std::string_view bytes, file_charset charset);

/// Narrow text to UTF-8 for messages and test output: never throws; bytes that
/// are not valid narrow text appear as \xNN escapes instead of being dropped.
std::string to_utf8_for_display(std::string_view narrow);
inline std::string to_utf8_for_display(const CString& narrow)
{
    return to_utf8_for_display(std::string_view(narrow.str()));
}

}  // namespace ds_text
