// text_metrics: how much paper a line of text takes, and wrapping notes.
//
// A character's advance is measured in the fonts the sheet writers name, as
// the host installs it (set_advance_measure; install_text_metrics in
// sheet_formats.h measures each writer's font with its width factor and takes
// the widest). Without it, layouts go by the widths a CAD text style of
// Chinese drawings gives: a Chinese character as wide as the text height, a
// Latin letter or digit about 0.6 of it.
#pragma once

#include <string_view>
#include <vector>

#include "host/afx/cstring.h"
#include "host/sheet_model/sheet_model.h"

namespace ds_sheet {

/// Advance of a wide (Chinese) character and of a narrow one, in text heights.
inline constexpr double wide_advance = 1.0;
inline constexpr double narrow_advance = 0.6;

/// The advance of one character (narrow host text holding exactly one), in
/// text heights. Called from any thread.
using advance_measure = double (*)(std::string_view one_character);
/// Measures advances with `measure` from now on; null goes back to the estimate.
void set_advance_measure(advance_measure measure);
/// The estimated advance of one character, in text heights.
double estimated_advance(std::string_view one_character);

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
