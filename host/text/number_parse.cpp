// The strict number reading, through std::from_chars (locale-independent).
#include "host/text/number_parse.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

#include "host/text/encoding.h"
#include "host/text/utf8.h"

namespace number_parse {

namespace {

/// The ASCII form of the full-width character at `text[i]` and its length in
/// bytes, or 0 when none starts there. GBK row A3 holds the full-width ASCII
/// forms (A3B0 is "０"); UTF-8 holds them from U+FF01 (EF BC 81); U+3000 and
/// GBK A1A1 are the full-width blank.
std::pair<char, std::size_t> full_width_at(std::string_view text, std::size_t i)
{
    const auto at = [&](std::size_t k) { return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0u; };
    if (at(0) == 0xA3 && at(1) >= 0xA1 && at(1) <= 0xFE) return {static_cast<char>(at(1) - 0x80), 2};
    if (at(0) == 0xA1 && at(1) == 0xA1) return {' ', 2};
    if (at(0) == 0xEF && at(1) == 0xBC && at(2) >= 0x81 && at(2) <= 0xBF) return {static_cast<char>(at(2) - 0x81 + '!'), 3};
    if (at(0) == 0xEF && at(1) == 0xBD && at(2) >= 0x80 && at(2) <= 0x9E) return {static_cast<char>(at(2) - 0x80 + '`'), 3};
    if (at(0) == 0xE3 && at(1) == 0x80 && at(2) == 0x80) return {' ', 3};
    return {0, 0};
}

bool number_character(char c) { return (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == 'e' || c == 'E' || c == ' '; }

}  // namespace

std::string ascii_digits(std::string_view text)
{
    if (utf8_text::is_ascii(text)) return std::string(text);
    // Step whole characters, so that a trail byte is never taken for a lead
    // (UTF-8 when the text is valid UTF-8, GBK as narrow text is otherwise).
    const bool utf8 = ds_text::is_utf8(text);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto [ascii, length] = full_width_at(text, i);
        if (length && number_character(ascii)) {
            out += ascii;
            i += length;
            continue;
        }
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t step = lead < 0x80 ? 1 : utf8 ? std::max<std::size_t>(1, utf8_text::sequence_length(lead)) : 2;
        step = std::min(step, text.size() - i);
        out.append(text.substr(i, step));
        i += step;
    }
    return out;
}

bool parse_real(std::string_view typed, double& out)
{
    const std::string ascii = ascii_digits(typed);
    std::string_view view = ascii;
    const auto is_blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!view.empty() && is_blank(view.front())) view.remove_prefix(1);
    while (!view.empty() && is_blank(view.back())) view.remove_suffix(1);
    // from_chars refuses a leading '+', which people do type.
    if (view.size() > 1 && view.front() == '+' && view[1] != '-') view.remove_prefix(1);
    if (view.empty()) return false;

    double value = 0.0;
    auto result = std::from_chars(view.data(), view.data() + view.size(), value);
    if (result.ec != std::errc() || result.ptr != view.data() + view.size()) return false;
    if (!std::isfinite(value)) return false;
    out = value;
    return true;
}

bool parse_whole(std::string_view text, long long& out)
{
    constexpr double exact = 9007199254740992.0;  // 2^53
    double value = 0.0;
    if (!parse_real(text, value) || value != std::floor(value) || std::fabs(value) > exact) return false;
    out = static_cast<long long>(value);
    return true;
}

}  // namespace number_parse
