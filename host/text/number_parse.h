// number_parse: the one strict reading of a number a person typed.
//
// A grid cell, a spreadsheet cell and a field's check all read a number the
// same way: the whole text (blanks around it aside) must be one finite decimal
// number, a leading '+' allowed, whatever the program's locale. It lives this
// low so that the field catalogue and the grid share it.
#pragma once

#include <string_view>

namespace number_parse {

/// Strict parse of a whole text as one finite number; false leaves `out` unchanged.
bool parse_real(std::string_view text, double& out);

}  // namespace number_parse
