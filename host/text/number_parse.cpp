// The strict number reading, through std::from_chars (locale-independent).
#include "host/text/number_parse.h"

#include <charconv>
#include <cmath>

namespace number_parse {

bool parse_real(std::string_view view, double& out)
{
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

}  // namespace number_parse
