// Shared pieces of the rebar tests: readable (UTF-8) output for bar lines and
// the default rebar set to compare with.
#pragma once

#include <ostream>

#include "host/rebar/steel_bar_row.h"
#include "host/rebar/steel_data.h"
#include "host/text/encoding.h"

inline void PrintTo(const steel_bar_row& bar, std::ostream* os)
{
    *os << "{" << ds_text::to_utf8(bar.m_mark) << ", " << bar.m_diameter << ", " << ds_text::to_utf8(bar.m_grade)
        << ", " << bar.m_count << ", " << bar.m_spacing << ", " << ds_text::to_utf8(bar.m_shape) << ", "
        << ds_text::to_utf8(bar.m_part) << "}";
}

namespace ds_test {

/// A rebar set with its default bars.
inline steel_data default_rebar()
{
    steel_data rebar;
    rebar.set_default_value();
    return rebar;
}

}  // namespace ds_test
