// CVQVariant: cell values and the one set of conversions between them.
#include "host/grid/cvq_variant.h"

#include <climits>
#include <cmath>

#include "host/text/number_format.h"
#include "host/text/number_parse.h"

namespace grid_number_text {

bool parse_real(const CString& text, double& out) { return number_parse::parse_real(text.str(), out); }

}  // namespace grid_number_text

namespace {

/// A real that is a whole number inside int's range, as an int.
bool whole_number_to_int(double value, int& out)
{
    if (!std::isfinite(value) || value != std::trunc(value)) return false;
    if (value < static_cast<double>(INT_MIN) || value > static_cast<double>(INT_MAX)) return false;
    out = static_cast<int>(value);
    return true;
}

}  // namespace

CVQVariant::CVQVariant(const CString& text, bool is_formula)
    : m_kind(value_kind::text), m_text(text), m_formula(is_formula)
{
}

CVQVariant::CVQVariant(int value) : m_kind(value_kind::integer), m_int(value) {}

CVQVariant::CVQVariant(double value) : m_kind(value_kind::real), m_real(value) {}

bool CVQVariant::to_text(CString& out) const
{
    out = text();
    return true;
}

CString CVQVariant::text() const
{
    switch (m_kind) {
    case value_kind::text: return m_text;
    case value_kind::integer: return CString(std::to_string(m_int));
    case value_kind::real: return CString(number_format::shortest(m_real));
    case value_kind::empty: break;
    }
    return CString();
}

bool CVQVariant::to_double(double& out) const
{
    switch (m_kind) {
    case value_kind::integer: out = m_int; return true;
    case value_kind::real: out = m_real; return true;
    case value_kind::text: return grid_number_text::parse_real(m_text, out);
    case value_kind::empty: break;
    }
    return false;
}

bool CVQVariant::to_int(int& out) const
{
    if (m_kind == value_kind::integer) {
        out = m_int;
        return true;
    }
    double value = 0.0;
    if (!to_double(value)) return false;
    return whole_number_to_int(value, out);
}

bool operator==(const CVQVariant& a, const CVQVariant& b)
{
    if (a.m_kind != b.m_kind) return false;
    switch (a.m_kind) {
    case CVQVariant::value_kind::text: return a.m_text == b.m_text && a.m_formula == b.m_formula;
    case CVQVariant::value_kind::integer: return a.m_int == b.m_int;
    case CVQVariant::value_kind::real: return a.m_real == b.m_real;
    case CVQVariant::value_kind::empty: break;
    }
    return true;
}
