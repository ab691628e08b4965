// Numbers as text through std::to_chars, which formats exactly as printf does
// in the "C" locale whatever the program's locale.
#include "host/text/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace number_format {

namespace {

template <typename... Format>
std::string chars_of(double value, Format... format)
{
    char buffer[400];  // "%.15f" of the largest double needs 325
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format...);
    return std::string(buffer, result.ptr);
}

void trim_zeros(std::string& text)
{
    if (text.find('.') == std::string::npos) return;
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
}

}  // namespace

std::string shortest(double value) { return chars_of(value); }

std::string fixed(double value, int digits) { return chars_of(value, std::chars_format::fixed, digits); }

std::string fixed_trimmed(double value, int digits)
{
    std::string text = fixed(value, digits);
    trim_zeros(text);
    return text;
}

std::string decimals(double value, int digits, bool trim)
{
    digits = std::clamp(digits, 0, 15);
    if (std::fabs(value) < 0.5 * std::pow(10.0, -digits)) value = 0.0;  // no "-0.0"
    return trim ? fixed_trimmed(value, digits) : fixed(value, digits);
}

std::string significant(double value, int digits) { return chars_of(value, std::chars_format::general, digits); }

}  // namespace number_format
