// Difference lines for the drawings' comparisons, and number lists read from and
// written to text ("1,3-5").
#include "host/framework/common_string_tools.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <optional>

#include "host/framework/string_tools.h"
#include "host/math/vq_math.h"

namespace common_string_tools {

namespace {
void append_difference(const CString& caption, const CString& other, const CString& mine, std::vector<CString>& lines)
{
    lines.push_back(caption + other + " → " + mine);
}

std::optional<int> whole_number(std::string_view text)
{
    int value = 0;
    if (text.empty()) return std::nullopt;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
    return value;
}

// Splits a piece at its range mark; the mark may not open the piece.
std::optional<std::pair<std::string_view, std::string_view>> split_range(std::string_view piece)
{
    for (std::string_view mark : {std::string_view("~"), std::string_view("～"), std::string_view("-")}) {
        const auto pos = piece.find(mark, 1);
        if (pos != std::string_view::npos) return std::pair{piece.substr(0, pos), piece.substr(pos + mark.size())};
    }
    return std::nullopt;
}

void append_piece(std::string_view piece, std::vector<int>& out)
{
    constexpr long kLongestRange = 100000;
    if (const auto range = split_range(piece)) {
        auto a = whole_number(range->first), b = whole_number(range->second);
        if (!a || !b) return;
        const int lo = std::min(*a, *b), hi = std::max(*a, *b);
        if (static_cast<long>(hi) - lo >= kLongestRange) return;
        for (int n = lo; n <= hi; ++n) out.push_back(n);
    } else if (auto n = whole_number(piece)) {
        out.push_back(*n);
    }
}
}  // namespace

void Get_Unmatched_String(const CString& caption, const CString& other, const CString& mine, std::vector<CString>& lines)
{
    if (other != mine) append_difference(caption, other, mine, lines);
}

void Get_Unmatched_String(const CString& caption, double other, double mine, std::vector<CString>& lines)
{
    if (!VQMATH::IsDoubleEqual(other, mine))
        append_difference(caption, string_tools::num_to_string(other, 6, true), string_tools::num_to_string(mine, 6, true),
                          lines);
}

void Get_Unmatched_String(const CString& caption, bool other, bool mine, std::vector<CString>& lines, int display)
{
    if (other == mine) return;
    auto text = [display](bool flag) { return CString(display == 0 ? (flag ? "是" : "否") : (flag ? "1" : "0")); };
    append_difference(caption, text(other), text(mine), lines);
}

std::vector<int> Get_IntVec_From_strNum(const CString& text)
{
    std::vector<int> numbers;
    for (const CString& piece : string_tools::split_string(text, ",，、;； \t"))
        append_piece(piece.str(), numbers);
    return numbers;
}

std::vector<double> Get_DblVec_From_str(const CString& text, const CString& separators)
{
    std::vector<double> numbers;
    for (const CString& piece : string_tools::split_string(text, separators)) {
        char* end = nullptr;
        const double value = std::strtod(piece.GetString(), &end);
        if (end != piece.GetString()) numbers.push_back(value);
    }
    return numbers;
}

CString Dbl_Vec_To_Str(const std::vector<double>& values, int digits)
{
    CString text;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i) text += ",";
        text += string_tools::num_to_string(values[i], digits, true);
    }
    return text;
}

}  // namespace common_string_tools

namespace merge_number_tool {
CString Get_Vector_Int_Merge_Num(const std::vector<int>& numbers, const CString& separator)
{
    CString text;
    for (std::size_t i = 0; i < numbers.size();) {
        std::size_t j = i;
        while (j + 1 < numbers.size() && static_cast<long>(numbers[j + 1]) == static_cast<long>(numbers[j]) + 1) ++j;
        if (!text.IsEmpty()) text += separator;
        text += string_tools::num_to_string(numbers[i]);
        if (j > i) text += "~" + string_tools::num_to_string(numbers[j]);
        i = j + 1;
    }
    return text;
}
}  // namespace merge_number_tool

namespace common_double_tools {
void Get_Uniq_Ele_In_Dbl_Vector(std::vector<double>& values)
{
    std::vector<double> distinct;
    for (double v : values)
        if (std::none_of(distinct.begin(), distinct.end(), [v](double d) { return VQMATH::IsDoubleEqual(d, v); }))
            distinct.push_back(v);
    values = std::move(distinct);
}
}  // namespace common_double_tools

CString DoubleToPierString(double value) { return string_tools::num_to_string(value, 3, true); }
