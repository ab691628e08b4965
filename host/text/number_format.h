// number_format: every way a number becomes text, each written once. Sheets,
// messages, grid cells, spreadsheets and keys all format numbers through here.
#pragma once

#include <string>

namespace number_format {

/// The shortest text that reads back to the same double: 0.1 → "0.1",
/// 560 → "560", 1e21 → "1e+21", -0.0 → "-0".
std::string shortest(double value);

/// printf's "%.*f": `digits` decimals, rounded as printf rounds the exact
/// binary value; (73, 1) → "73.0", (-0.0001, 3) → "-0.000".
std::string fixed(double value, int digits);

/// fixed() with trailing zeros and a bare point dropped; the sign of a value
/// that rounds to zero stays: (2.50, 3) → "2.5", (-0.0001, 3) → "-0".
std::string fixed_trimmed(double value, int digits);

/// A number for people: at most `digits` decimals (clamped to 0..15), trailing
/// zeros dropped when `trim`, and a value that rounds to zero shown as "0",
/// never "-0": (560, 1, true) → "560", (560, 6, false) → "560.000000".
std::string decimals(double value, int digits, bool trim = true);

/// printf's "%.*g": `digits` significant digits, trailing zeros dropped, the
/// exponent form for very large or small values: (1e6, 6) → "1e+06".
std::string significant(double value, int digits);

}  // namespace number_format
