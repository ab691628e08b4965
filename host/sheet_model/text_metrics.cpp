// Text widths and wrapping by character class.
#include "host/sheet_model/text_metrics.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <string>

#include "host/text/number_format.h"

namespace ds_sheet {

namespace {

std::size_t char_length(const std::string& bytes, std::size_t pos)
{
    return std::max<std::size_t>(1, std::min(afx_text::char_length(bytes, pos), bytes.size() - pos));
}

std::atomic<advance_measure> installed_measure{nullptr};

double advance(const std::string& bytes, std::size_t pos, std::size_t len)
{
    const std::string_view one(bytes.data() + pos, len);
    const advance_measure measure = installed_measure.load(std::memory_order_acquire);
    return measure ? measure(one) : estimated_advance(one);
}

/// Marks that close what comes before them: full stops, commas, closing brackets and quotes.
bool closes(std::string_view one)
{
    static const std::vector<std::string> marks = [] {
        std::vector<std::string> all;
        for (const char* m : {"。", "，", "、", "；", "：", "？", "！", "）", "》", "」", "』", "”", "’", "】"})
            all.emplace_back(m);
        for (const char* m : {",", ".", ";", ":", ")", "?", "!"}) all.emplace_back(m);
        return all;
    }();
    return std::find(marks.begin(), marks.end(), one) != marks.end();
}

}  // namespace

void set_advance_measure(advance_measure measure) { installed_measure.store(measure, std::memory_order_release); }

double estimated_advance(std::string_view one)
{
    if (one.size() > 1) return wide_advance;
    const char c = one.empty() ? ' ' : one.front();
    if (c == ' ' || c == '.' || c == ',' || c == ':' || c == ';' || c == '(' || c == ')') return narrow_advance * 0.6;
    return narrow_advance;
}

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
    double used = 0.0, last_width = 0.0;
    std::size_t last_length = 0;  // of the character `current` ends in
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t len = char_length(bytes, pos);
        const double w = advance(bytes, pos, len) * height;
        if (!current.empty() && used + w > width) {
            // A closing mark never starts a line (as Chinese typesetting has it): the character before it goes down with it.
            std::string carried;
            if (closes(std::string_view(bytes).substr(pos, len)) && current.size() > last_length) {
                carried = current.substr(current.size() - last_length);
                current.resize(current.size() - last_length);
            }
            lines.emplace_back(current);
            current = carried;
            used = carried.empty() ? 0.0 : last_width;
        }
        current.append(bytes, pos, len);
        used += w;
        last_width = w;
        last_length = len;
        pos += len;
    }
    if (!current.empty() || lines.empty()) lines.emplace_back(current);
    return lines;
}

}  // namespace ds_sheet
