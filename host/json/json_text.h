// Strict JSON text for files that come from outside: one UTF-8 document, no
// duplicate keys, nesting at most ds_json::max_depth deep. Every refusal says
// where it happened (line and column) and why.
#pragma once

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "host/json/json_flat_tree.h"

namespace ds_json {

/// Deepest nesting of objects and arrays accepted: whoever walks a document
/// afterwards may recurse, so deeper ones are refused while reading.
inline constexpr int max_depth = 64;

/// A document that is not acceptable JSON. what() reads "source:line:column: reason".
class json_text_error : public std::runtime_error {
public:
    json_text_error(std::string source, std::size_t line, std::size_t column, std::string reason);

    const std::string& source() const { return m_source; }
    /// 1-based line of the offending character.
    std::size_t line() const { return m_line; }
    /// 1-based column, counted in characters (not bytes) from the start of the line.
    std::size_t column() const { return m_column; }
    const std::string& reason() const { return m_reason; }

private:
    std::string m_source;
    std::size_t m_line;
    std::size_t m_column;
    std::string m_reason;
};

/// One array of the top object whose elements are handed over one by one as
/// they are read, so that a long document never stands in memory whole.
struct streamed_array {
    /// Key of the array in the top object.
    std::string key;
    /// Receives each element once it is complete, in order, held flat (the
    /// tree is refilled for the next one). The document read keeps the key
    /// with an empty array.
    std::function<void(const flat_tree&)> take;
};

/// Reads one UTF-8 JSON document. `source` names the text in errors (a file
/// name, or something like "<text>"). Throws json_text_error on a syntax error,
/// invalid UTF-8, a number too large for a double, nesting deeper than
/// max_depth or a key that appears twice in one object. Integers are kept
/// exactly up to 64 bits (signed when written with a sign), larger ones and
/// any with a fraction or exponent as the nearest double; one too small for a
/// double reads as zero. The reader refuses as too big, besides, a zero
/// written with an exponent past 308 ("0e999") and a number whose digits
/// before the point alone are past a double's range, whatever its exponent
/// brings it back to ("1", 400 zeros, "e-300"); and anything after a zero
/// byte is refused. No program writes such numbers. With `streamed`, that array's elements go to its
/// receiver instead of the tree; a refusal found later in the text is thrown
/// after the receiver has seen the elements ahead of it.
flat_tree read_text(std::string_view utf8, std::string_view source = "<text>", const streamed_array* streamed = nullptr);

/// A double as the project file writes it: the shortest text that reads back
/// as the same number, "3.0", "0.1", "1e-07", "1e+300".
std::string number_text(double value);

}  // namespace ds_json
