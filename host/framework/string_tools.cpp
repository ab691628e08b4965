// Numbers as text with a chosen count of decimals, and splitting text into
// whole characters or at separators.
#include "host/framework/string_tools.h"

#include <algorithm>
#include <string_view>

#include "host/text/number_format.h"

namespace string_tools {

CString num_to_string(int value) { return CString(std::to_string(value)); }
CString num_to_string(unsigned int value) { return CString(std::to_string(value)); }

CString num_to_string(double value, int digits, bool trim_zeros)
{
    return CString(number_format::decimals(value, digits, trim_zeros));
}

namespace {
std::vector<std::string_view> characters_of(std::string_view text)
{
    std::vector<std::string_view> chars;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t len = afx_text::char_length(text, pos);
        chars.push_back(text.substr(pos, len));
        pos += len;
    }
    return chars;
}
}  // namespace

std::vector<CString> split_string(const CString& text, const CString& separators)
{
    const auto seps = characters_of(separators.str());
    std::vector<CString> parts(1);
    for (std::string_view ch : characters_of(text.str())) {
        if (std::find(seps.begin(), seps.end(), ch) != seps.end()) parts.emplace_back();
        else parts.back() += CString(ch);
    }
    return parts;
}

}  // namespace string_tools
