// Spreadsheet files: what the host writes reads back cell for cell, and bad
// files are refused with their place.
#include <gtest/gtest.h>

#include "host/spreadsheet/csv_table.h"

using ds_spreadsheet::from_csv;
using ds_spreadsheet::spreadsheet_error;
using ds_spreadsheet::to_csv;

TEST(CsvTable, RoundTripKeepsEveryCell)
{
    const ds_spreadsheet::table rows = {
        {"属性", "数据", "填写说明"},
        {"输入方式", "自定义", "方式：外部引用; 外部导入; 自定义"},
        {"高度(mm)", " 200 250 "},
        {"自定义附注", "含,逗号 \"引号\"\n和换行"},
        {"斜交角(°)", ""},
        {"单"},
    };
    EXPECT_EQ(from_csv(to_csv(rows), "round trip"), rows);
}

TEST(CsvTable, ReadsWhatSpreadsheetsWrite)
{
    const auto rows = from_csv("\xEF\xBB\xBF" "a,b\r\n\"x,y\",\"q\"\"q\"\nlast", "t");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (std::vector<CString>{"a", "b"}));
    EXPECT_EQ(rows[1], (std::vector<CString>{"x,y", "q\"q"}));
    EXPECT_EQ(rows[2], (std::vector<CString>{"last"}));
}

TEST(CsvTable, BadFilesAreRefusedWithTheirPlace)
{
    try {
        from_csv("a,b\nc,\"open", "edited.csv");
        FAIL() << "an unbalanced quote was accepted";
    } catch (const spreadsheet_error& e) {
        EXPECT_NE(std::string(e.what()).find("edited.csv"), std::string::npos) << e.what();
    }
    try {
        from_csv("a,b\nc,x\xC2\xB2", "edited.csv");  // "²" in UTF-8
        FAIL() << "text GBK cannot hold was accepted";
    } catch (const spreadsheet_error& e) {
        EXPECT_NE(std::string(e.what()).find("row 2, column 2"), std::string::npos) << e.what();
    }
}
