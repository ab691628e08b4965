// CVQVariant: the value of one grid cell.
//
// A cell holds nothing, a text, an integer or a real number. Readers ask for
// the type they need; the conversions between the three are defined here once,
// so every table reads a cell the same way: a conversion that does not fit
// fails and leaves the caller's target as it was.
#pragma once

#include "host/afx/cstring.h"

class CVQVariant {
public:
    enum class value_kind { empty, text, integer, real };

    /// An empty cell: reads as "" for text and fails for numbers.
    CVQVariant() = default;
    /// A text cell. `is_formula` marks text that the grid control would evaluate;
    /// this grid does not evaluate formulas, it keeps the flag and reads the text as written.
    CVQVariant(const CString& text, bool is_formula = false);
    CVQVariant(int value);
    CVQVariant(double value);

    value_kind kind() const { return m_kind; }
    bool is_empty() const { return m_kind == value_kind::empty; }
    bool is_formula() const { return m_formula; }

    /// Text of the cell: texts as written, integers in decimal, reals in the
    /// shortest form that reads back to the same number ("560", "12.5").
    /// Always succeeds; an empty cell gives "".
    bool to_text(CString& out) const;

    /// A real: integers and reals as they are; a text only when all of it
    /// (blanks around it aside) is one finite decimal number. Otherwise false.
    bool to_double(double& out) const;

    /// An integer: integers as they are; a real or a number text only when its
    /// value is a whole number inside the range of int ("3" and "3.0" give 3,
    /// "3.5" fails). Otherwise false.
    bool to_int(int& out) const;

    /// Display text (same as to_text).
    CString text() const;

    friend bool operator==(const CVQVariant& a, const CVQVariant& b);

private:
    value_kind m_kind = value_kind::empty;
    CString m_text;
    int m_int = 0;
    double m_real = 0.0;
    bool m_formula = false;
};

namespace grid_number_text {
/// Strict parse of a whole text as one finite number; false leaves `out` unchanged.
bool parse_real(const CString& text, double& out);
}  // namespace grid_number_text
