// string_tools: the framework's number-to-text and splitting helpers.
#pragma once

#include <vector>

#include "host/afx/cstring.h"

namespace string_tools {
/// Decimal text of an integer.
CString num_to_string(int value);
CString num_to_string(unsigned int value);
/// `digits` fixed decimals; with `trim_zeros` trailing zeros (and a bare
/// point) are dropped. (560, 6, false) gives "560.000000", (560, 1, true) "560".
CString num_to_string(double value, int digits, bool trim_zeros);
/// Splits at every character of `separators` (multi-byte characters allowed).
/// Empty parts are kept, so "a,,b" gives three parts and "" gives one empty part.
std::vector<CString> split_string(const CString& text, const CString& separators);
}  // namespace string_tools
