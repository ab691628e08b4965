// Readable (UTF-8) test output for bar lines.
#pragma once

#include <ostream>

#include "host/rebar/steel_bar_row.h"
#include "host/text/encoding.h"

inline void PrintTo(const steel_bar_row& bar, std::ostream* os)
{
    *os << "{" << ds_text::to_utf8(bar.m_mark) << ", " << bar.m_diameter << ", " << ds_text::to_utf8(bar.m_grade)
        << ", " << bar.m_count << ", " << bar.m_spacing << ", " << ds_text::to_utf8(bar.m_shape) << ", "
        << ds_text::to_utf8(bar.m_part) << "}";
}
