// common_string_tools: text helpers shared by the substructure drawings:
// difference lines, number lists in text form.
#pragma once

#include <vector>

#include "host/afx/cstring.h"

namespace common_string_tools {

/// Appends "caption + other + " → " + mine" to `lines` when the texts differ.
void Get_Unmatched_String(const CString& caption, const CString& other, const CString& mine, std::vector<CString>& lines);
/// Numbers differ when not VQMATH::IsDoubleEqual; shown with trailing zeros trimmed.
void Get_Unmatched_String(const CString& caption, double other, double mine, std::vector<CString>& lines);
/// Flags; `display` 0 shows them as "是"/"否", any other value as "1"/"0".
void Get_Unmatched_String(const CString& caption, bool other, bool mine, std::vector<CString>& lines, int display);

/// Integers of a number-list text. Pieces are separated by "," "，" "、" ";" "；"
/// and blanks; a piece "a~b", "a-b" or "a～b" is the inclusive range, listed
/// ascending whichever way it is written. Pieces that are not whole
/// non-negative numbers, and ranges of more than 100000 numbers, are skipped.
/// Order and repeats are kept; an empty text gives an empty list.
std::vector<int> Get_IntVec_From_strNum(const CString& text);

/// The numbers of `text` split at any character of `separators`, in order.
/// Each part reads like atof reads its leading number ("200;250" gives 200);
/// empty parts and parts with no leading number are skipped.
std::vector<double> Get_DblVec_From_str(const CString& text, const CString& separators);

/// Numbers joined by ",", each with at most `digits` decimals, trailing zeros trimmed.
CString Dbl_Vec_To_Str(const std::vector<double>& values, int digits);

}  // namespace common_string_tools

namespace merge_number_tool {
/// Runs of consecutive numbers (each next = previous + 1, in the given order)
/// become "a~b", other numbers stand alone; items are joined by `separator`.
/// {1,2,3,5} with "、" gives "1~3、5". Get_IntVec_From_strNum reads it back.
CString Get_Vector_Int_Merge_Num(const std::vector<int>& numbers, const CString& separator);
}  // namespace merge_number_tool

namespace common_double_tools {
/// Reduces `values` to its distinct values (VQMATH::IsDoubleEqual), keeping the
/// first of each in the order of first appearance.
void Get_Uniq_Ele_In_Dbl_Vector(std::vector<double>& values);
}  // namespace common_double_tools

/// Text of a number for messages: up to three decimals, trailing zeros trimmed.
CString DoubleToPierString(double value);
