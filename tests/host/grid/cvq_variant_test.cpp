// Cell value conversions: what a cell reads as, and that a read that does not
// fit leaves the target alone.
#include <gtest/gtest.h>

#include <climits>

#include "host/grid/cvq_variant.h"

namespace {

TEST(CVQVariant, TextCellsReadAsNumbersOnlyWhenTheWholeTextIsOne)
{
    double real = -1.0;
    EXPECT_TRUE(CVQVariant(CString(" 12.5 "), false).to_double(real));
    EXPECT_EQ(real, 12.5);
    EXPECT_TRUE(CVQVariant(CString("+3"), false).to_double(real));
    EXPECT_EQ(real, 3.0);

    for (const char* bad : {"", "  ", "abc", "12abc", "1,5", "+-3", "1e999", "nan", "inf"}) {
        double target = 7.0;
        EXPECT_FALSE(CVQVariant(CString(bad), false).to_double(target)) << bad;
        EXPECT_EQ(target, 7.0) << bad;
    }

    int whole = -1;
    EXPECT_TRUE(CVQVariant(CString("3.0"), false).to_int(whole));
    EXPECT_EQ(whole, 3);
    for (const char* bad : {"3.5", "abc", "", "3000000000"}) {
        int target = 9;
        EXPECT_FALSE(CVQVariant(CString(bad), false).to_int(target)) << bad;
        EXPECT_EQ(target, 9) << bad;
    }
}

TEST(CVQVariant, NumbersConvertOnlyWithoutLoss)
{
    int whole = 9;
    EXPECT_FALSE(CVQVariant(3.7).to_int(whole));
    EXPECT_FALSE(CVQVariant(1e10).to_int(whole));
    EXPECT_EQ(whole, 9);
    EXPECT_TRUE(CVQVariant(-4.0).to_int(whole));
    EXPECT_EQ(whole, -4);
    EXPECT_TRUE(CVQVariant(INT_MIN).to_int(whole));
    EXPECT_EQ(whole, INT_MIN);

    double real = 0.0;
    EXPECT_TRUE(CVQVariant(7).to_double(real));
    EXPECT_EQ(real, 7.0);

    // An empty cell is blank text, not zero.
    CString text = "keep";
    EXPECT_TRUE(CVQVariant().to_text(text));
    EXPECT_EQ(text, CString(""));
    real = 5.0;
    EXPECT_FALSE(CVQVariant().to_double(real));
    EXPECT_EQ(real, 5.0);
}

TEST(CVQVariant, RealsShowInTheShortestTextThatReadsBack)
{
    EXPECT_EQ(CVQVariant(560.0).text(), CString("560"));
    EXPECT_EQ(CVQVariant(0.1).text(), CString("0.1"));
    EXPECT_EQ(CVQVariant(-12).text(), CString("-12"));

    const double awkward = 1.0 / 3.0;
    double back = 0.0;
    ASSERT_TRUE(CVQVariant(CVQVariant(awkward).text(), false).to_double(back));
    EXPECT_EQ(back, awkward);
}

}  // namespace
