// Number text: each format matches what printf gives, and the cases sheets and
// messages depend on (trailing zeros, negative zero, rounding, exponents) are pinned.
#include "host/text/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace {

std::string printf_text(const char* format, int digits, double value)
{
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, format, digits, value);
    return buffer;
}

}  // namespace

TEST(NumberFormat, FixedAndSignificantEqualPrintfOverAWideSpread)
{
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<double> values = {0.0, -0.0, 0.5, 1.5, 2.5, -2.5, 0.125, 0.0005, -0.0005, 0.05, 1e-7, 123456789.0,
                                  1e21, 1e300, 5e-324, inf, -inf, 0.1 + 0.2, 2.675, 1.005, 999999.5};
    for (int i = 0; i < 2000; ++i) values.push_back(std::ldexp(std::sin(i * 1.7) * 1000.0, (i % 41) - 20));
    for (double v : values)
        for (int d = 0; d <= 17; ++d) {
            EXPECT_EQ(number_format::fixed(v, d), printf_text("%.*f", d, v)) << v << " " << d;
            EXPECT_EQ(number_format::significant(v, d), printf_text("%.*g", d, v)) << v << " " << d;
        }
    EXPECT_EQ(number_format::fixed(1e308, 15).size(), 325u);
}

TEST(NumberFormat, TrimmedAndPeopleFormsDropZerosAndKeepOrDropTheSignOfZero)
{
    using namespace number_format;
    EXPECT_EQ(fixed_trimmed(2.50, 3), "2.5");
    EXPECT_EQ(fixed_trimmed(560.0, 3), "560");
    EXPECT_EQ(fixed_trimmed(100.0, 0), "100");  // no point, so the zeros of the number stay
    EXPECT_EQ(fixed_trimmed(-0.0001, 3), "-0");  // SVG coordinates keep printf's sign
    EXPECT_EQ(fixed_trimmed(0.0004, 3), "0");
    EXPECT_EQ(fixed_trimmed(1.0005, 3), "1");    // the double lies below 1.0005

    EXPECT_EQ(decimals(560.0, 1), "560");
    EXPECT_EQ(decimals(560.0, 6, false), "560.000000");
    EXPECT_EQ(decimals(-0.04, 1), "0");  // never "-0"
    EXPECT_EQ(decimals(-0.0, 3, false), "0.000");
    EXPECT_EQ(decimals(-0.06, 1), "-0.1");
    EXPECT_EQ(decimals(12.25, 1), "12.2");  // printf rounds half to even on exact halves
    EXPECT_EQ(decimals(1.0 / 3.0, 40), "0.333333333333333");  // at most 15 decimals
    EXPECT_EQ(decimals(7.5, -2), "8");

    EXPECT_EQ(significant(1e6, 6), "1e+06");
    EXPECT_EQ(significant(100000.0, 6), "100000");
    EXPECT_EQ(significant(0.1, 17), "0.10000000000000001");
    EXPECT_EQ(significant(std::nan(""), 6), "nan");
}

TEST(NumberFormat, ShortestReadsBackToTheSameDouble)
{
    using number_format::shortest;
    EXPECT_EQ(shortest(0.1), "0.1");
    EXPECT_EQ(shortest(560.0), "560");
    EXPECT_EQ(shortest(-0.0), "-0");
    EXPECT_EQ(shortest(1e21), "1e+21");
    EXPECT_EQ(shortest(1e-7), "1e-07");
    EXPECT_EQ(shortest(0.1 + 0.2), "0.30000000000000004");
    for (int i = 1; i < 500; ++i) {
        const double v = std::ldexp(std::cos(i * 0.37), i % 60 - 30);
        EXPECT_EQ(std::stod(shortest(v)), v);
    }
}
