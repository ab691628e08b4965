// number_parse: the one reading of a number a person typed, at every door.
//
// A grid cell, a spreadsheet cell, a structure table and a field's check all
// read a number the same way: the whole text (blanks around it aside) must be
// one finite decimal number, a leading '+' allowed, whatever the program's
// locale. Full-width digits, point, signs and exponent (１０００, typed with a
// Chinese input method) read as their ASCII forms, in GBK and in UTF-8 text.
// A whole number is any such number without a fraction: "1e3" and "1000.0"
// are 1000 wherever they are typed, as a spreadsheet's number cell 1e3 is. It
// lives this low so that the field catalogue and the grid share it.
#pragma once

#include <string>
#include <string_view>

namespace number_parse {

/// Strict parse of a whole text as one finite number; false leaves `out` unchanged.
bool parse_real(std::string_view text, double& out);

/// parse_real of a number without a fraction, within ±2^53 (every such
/// number a double holds exactly); false leaves `out` unchanged.
bool parse_whole(std::string_view text, long long& out);

/// `text` with full-width digits, point, signs, exponent letters and blanks
/// (GBK or UTF-8) written as ASCII; other characters stay as they are.
std::string ascii_digits(std::string_view text);

}  // namespace number_parse
