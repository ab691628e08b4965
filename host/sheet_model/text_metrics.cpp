// Text widths and wrapping by character class.
#include "host/sheet_model/text_metrics.h"

#include <algorithm>
#include <cmath>

#include "host/text/number_format.h"

namespace ds_sheet {

namespace {

std::size_t char_length(const std::string& bytes, std::size_t pos)
{
    return std::max<std::size_t>(1, std::min(afx_text::char_length(bytes, pos), bytes.size() - pos));
}

double advance(const std::string& bytes, std::size_t pos, std::size_t len)
{
    if (len > 1) return wide_advance;
    const char c = bytes[pos];
    if (c == ' ' || c == '.' || c == ',' || c == ':' || c == ';' || c == '(' || c == ')') return narrow_advance * 0.6;
    return narrow_advance;
}

}  // namespace

double text_width(const CString& value, double height)
{
    const std::string& bytes = value.str();
    double width = 0.0;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t len = char_length(bytes, pos);
        width += advance(bytes, pos, len);
        pos += len;
    }
    return width * height;
}

CString number_text(double value, int digits) { return CString(number_format::decimals(value, digits)); }

box text_box(const text& item)
{
    const double w = text_width(item.value, item.height);
    double x0 = item.h == h_align::left ? 0.0 : item.h == h_align::center ? -w / 2 : -w;
    double y0 = item.v == v_align::baseline ? -0.2 * item.height
              : item.v == v_align::middle   ? -0.6 * item.height
                                            : -1.2 * item.height;
    const double y1 = y0 + 1.2 * item.height;
    const double x1 = x0 + w;
    const double a = item.angle_deg * M_PI / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    box result{1e300, 1e300, -1e300, -1e300};
    for (const point corner : {point{x0, y0}, point{x1, y0}, point{x1, y1}, point{x0, y1}}) {
        const double x = item.at.x + corner.x * c - corner.y * s;
        const double y = item.at.y + corner.x * s + corner.y * c;
        result = {std::min(result.left, x), std::min(result.bottom, y), std::max(result.right, x),
                  std::max(result.top, y)};
    }
    return result;
}

std::vector<CString> wrap_text(const CString& value, double height, double width)
{
    std::vector<CString> lines;
    const std::string& bytes = value.str();
    std::string current;
    double used = 0.0;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t len = char_length(bytes, pos);
        const double w = advance(bytes, pos, len) * height;
        if (!current.empty() && used + w > width) {
            lines.emplace_back(current);
            current.clear();
            used = 0.0;
        }
        current.append(bytes, pos, len);
        used += w;
        pos += len;
    }
    if (!current.empty() || lines.empty()) lines.emplace_back(current);
    return lines;
}

}  // namespace ds_sheet
