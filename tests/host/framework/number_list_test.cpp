// Number-list texts of the substructure helpers: "1~3、5" and the like, and the
// merged text that reads back to the numbers it was made from.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "host/framework/common_string_tools.h"

using common_string_tools::Get_IntVec_From_strNum;
using ints = std::vector<int>;

TEST(NumberList, ParsesSeparatorsRangesAndSkipsJunk)
{
    EXPECT_EQ(Get_IntVec_From_strNum(""), ints{});
    EXPECT_EQ(Get_IntVec_From_strNum("1,2，3、4;5；6 7\t8"), (ints{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(Get_IntVec_From_strNum("5~3, 7-8, 9～9"), (ints{3, 4, 5, 7, 8, 9}));
    EXPECT_EQ(Get_IntVec_From_strNum("2,,x,1.5,-3,~4,2"), (ints{2, 2}));
    EXPECT_EQ(Get_IntVec_From_strNum("0~99999").size(), 100000u);
    EXPECT_TRUE(Get_IntVec_From_strNum("0~2147483647").empty());  // refused, not billions of numbers
}

TEST(NumberList, MergedTextReadsBackToItsNumbers)
{
    std::mt19937 random(20240531);
    for (int round = 0; round < 500; ++round) {
        ints numbers(random() % 12);
        for (int& n : numbers) n = static_cast<int>(random() % 40);
        const char* separator = round % 2 ? "、" : ",";
        // In the given order, repeats and all.
        EXPECT_EQ(Get_IntVec_From_strNum(merge_number_tool::Get_Vector_Int_Merge_Num(numbers, separator)), numbers);
        // Sorted distinct numbers come back sorted and distinct, runs folded into ranges.
        std::sort(numbers.begin(), numbers.end());
        numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
        const CString merged = merge_number_tool::Get_Vector_Int_Merge_Num(numbers, separator);
        EXPECT_EQ(Get_IntVec_From_strNum(merged), numbers) << merged;
    }
    EXPECT_EQ(merge_number_tool::Get_Vector_Int_Merge_Num({1, 2, 3, 5, 7, 8}, "、"), CString("1~3、5、7~8"));
}
