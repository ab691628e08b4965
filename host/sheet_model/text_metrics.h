// text_metrics: how much paper a line of text takes, and wrapping notes.
//
// Layouts place texts before any font is chosen, so they go by the widths a
// CAD text style of Chinese drawings gives: a Chinese character is as wide as
// the text height, a Latin letter or digit about 0.6 of it. Renderers with
// proportional fonts stay inside these boxes.
#pragma once

#include <vector>

#include "host/afx/cstring.h"
#include "host/sheet_model/sheet_model.h"

namespace ds_sheet {

/// Advance of a wide (Chinese) character and of a narrow one, in text heights.
inline constexpr double wide_advance = 1.0;
inline constexpr double narrow_advance = 0.6;

/// Width of `value` (narrow host text) set at `height`, mm.
double text_width(const CString& value, double height);

/// A length or count as drawings print it: at most `digits` decimals, no trailing zeros.
CString number_text(double value, int digits = 1);

/// An axis-aligned box on the paper.
struct box {
    double left = 0.0, bottom = 0.0, right = 0.0, top = 0.0;
    bool overlaps(const box& other) const
    {
        return left < other.right && other.left < right && bottom < other.top && other.bottom < top;
    }
};

/// The box a text covers, from its anchor, alignment and angle (from the
/// baseline down to 0.2 of the height for descenders, up to its full height).
box text_box(const text& item);

/// Splits `value` into lines no wider than `width` at `height`, breaking
/// between characters (Chinese text has no spaces to break at). A character is
/// never split; a line holds at least one character.
std::vector<CString> wrap_text(const CString& value, double height, double width);

}  // namespace ds_sheet
