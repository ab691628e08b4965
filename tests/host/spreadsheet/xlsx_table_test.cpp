// XLSX workbooks: what the host writes reads back cell for cell, cells of
// every kind other programs write are read as a person sees them, and files
// that are no workbook, encrypted or absurdly large are refused with their place.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <zip.h>

#include <map>

#include "host/fields/input_limits.h"
#include "host/framework/atomic_file.h"
#include "host/spreadsheet/xlsx_number_formats.h"
#include "host/spreadsheet/xlsx_read.h"
#include "host/spreadsheet/xlsx_write.h"
#include "support/error_text.h"
#include "support/temp_folder.h"
#include "support/utf8_literal.h"

using testing::HasSubstr;
using namespace ds_spreadsheet;
using ds_test::utf8;

namespace {

class XlsxTable : public ds_test::temp_folder_test {
protected:
    /// A zip package of the given parts; `encrypted` parts get a password.
    std::string package(const std::map<std::string, std::string>& parts, const std::string& encrypted = {})
    {
        const std::string path = (m_dir / "made.zip").string();
        int error = 0;
        zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        for (const auto& [name, text] : parts) {
            zip_source_t* source = zip_source_buffer(zip, text.data(), text.size(), 0);
            const zip_int64_t index = zip_file_add(zip, name.c_str(), source, ZIP_FL_ENC_UTF_8);
            if (name == encrypted) zip_file_set_encryption(zip, static_cast<zip_uint64_t>(index), ZIP_EM_TRAD_PKWARE, "pw");
        }
        EXPECT_EQ(zip_close(zip), 0);
        return ds_file::read_whole_file(path);
    }

    /// A workbook whose first sheet holds `rows_xml` (and `after_rows`, such as
    /// merged ranges), whose shared strings are `strings_xml` and whose cell
    /// styles are `styles_xml`. A second sheet, "其他", holds one cell "other".
    std::string workbook(const std::string& rows_xml, const std::string& strings_xml = "<sst/>",
                         const std::string& after_rows = "", const std::string& styles_xml = "<styleSheet/>")
    {
        return package({
            {"xl/workbook.xml", utf8(u8"<workbook xmlns:r='rel'><sheets><sheet name='表' r:id='rId1'/>"
                                     u8"<sheet name='其他' r:id='rId4'/></sheets></workbook>")},
            {"xl/_rels/workbook.xml.rels",
             "<Relationships><Relationship Id='rId1' Target='worksheets/sheet1.xml' Type='x/worksheet'/>"
             "<Relationship Id='rId2' Target='/xl/strings.xml' Type='x/sharedStrings'/>"
             "<Relationship Id='rId3' Target='styles.xml' Type='x/styles'/>"
             "<Relationship Id='rId4' Target='worksheets/sheet2.xml' Type='x/worksheet'/></Relationships>"},
            {"xl/worksheets/sheet1.xml",
             "<x:worksheet xmlns:x='ns'><x:sheetData>" + rows_xml + "</x:sheetData>" + after_rows + "</x:worksheet>"},
            {"xl/worksheets/sheet2.xml",
             "<worksheet><sheetData><row><c t='inlineStr'><is><t>other</t></is></c></row></sheetData></worksheet>"},
            {"xl/strings.xml", strings_xml},
            {"xl/styles.xml", styles_xml},
        });
    }
};

TEST_F(XlsxTable, WhatTheHostWritesReadsBack)
{
    const table rows = {
        {"属性", "数据", "填写说明"},
        {"横桥向宽度(mm)", "460.0"},
        {"高度(mm)", "200,210", ""},
        {"自定义附注", "含\"引号\"\n和换行 "},
        {"比例", "not a number"},
    };
    table_layout layout;
    layout.header_rows = {0};
    layout.number_cells = {{1, 1}, {4, 1}};
    layout.choices = {{{3, 1}, {"甲", "乙"}}};
    const auto file = m_dir / "out.xlsx";
    write_xlsx_file(file, rows, layout);
    table expected = rows;
    expected[1][1] = "460";  // a number comes back in its shortest form
    EXPECT_EQ(read_xlsx_file(file).rows, expected);
}

TEST_F(XlsxTable, AFailedWriteKeepsTheOldWorkbookAndLeavesNoScratchFile)
{
    const auto file = m_dir / "out.xlsx";
    ds_file::write_file_atomically(file, "old workbook");
    const std::string message = ds_test::error_text<spreadsheet_error>(
        [&] { write_xlsx_file(file, {{"x"}, {"y", "\xFF"}}, table_layout{}); });  // not text in any charset
    EXPECT_THAT(message, HasSubstr("row 2, column 2"));
    EXPECT_EQ(ds_file::read_whole_file(file), "old workbook");
    EXPECT_EQ(files_in_dir(), 1u) << "a scratch file was left";
}

TEST_F(XlsxTable, CellsOfEveryKindReadAsShown)
{
    const std::string rows =
        "<x:row r='1'><x:c r='A1' t='s'><x:v>0</x:v></x:c><x:c r='C1' t='s'><x:v>1</x:v></x:c></x:row>"
        "<x:row r='3'><x:c t='inlineStr'><x:is><x:t xml:space='preserve'> 200 </x:t></x:is></x:c>"
        "<x:c t='b'><x:v>1</x:v></x:c><x:c t='e'><x:v>#N/A</x:v></x:c><x:c><x:v>1.1000000000000001</x:v></x:c>"
        "<x:c t='str'><x:f>A1</x:f><x:v>a_x000D_b</x:v></x:c><x:c/></x:row>";
    const std::string strings =
        utf8(u8"<sst><si><t>垫石</t></si><si><r><t>富</t></r><r><t>文本</t></r><rPh><t>ふ</t></rPh></si></sst>");
    const table expected = {{"垫石", "", "富文本"}, {}, {" 200 ", "TRUE", "#N/A", "1.1", "a\rb", ""}};
    EXPECT_EQ(from_xlsx(workbook(rows, strings), "t.xlsx"), expected);
}

/// Cell styles: 0 plain, 1 a custom date, 2 a percentage, 3 a built-in date,
/// 4 a built-in time, 5 a number in colours whose quoted text holds date letters.
const std::string styles =
    "<styleSheet><numFmts><numFmt numFmtId='164' formatCode='yyyy-mm-dd'/>"
    "<numFmt numFmtId='165' formatCode='[Red]#,##0.00;[Blue]\"d\"0'/></numFmts><cellXfs><xf numFmtId='0'/>"
    "<xf numFmtId='164'/><xf numFmtId='9'/><xf numFmtId='14'/><xf numFmtId='20'/><xf numFmtId='165'/></cellXfs></styleSheet>";

std::string repeated(const std::string& text, std::size_t times)
{
    std::string out;
    out.reserve(text.size() * times);
    for (std::size_t i = 0; i < times; ++i) out += text;
    return out;
}

// Edits a person makes in a spreadsheet program read as the person sees them.
TEST_F(XlsxTable, MergedCellsNamedSheetsAndFormatsReadAsShown)
{
    const std::string rows = utf8(
        u8"<x:row r='1'><x:c r='A1' t='inlineStr'><x:is><x:t>主线</x:t></x:is></x:c></x:row>"
        u8"<x:row r='3'><x:c r='A3' s='5'><x:v>460</x:v></x:c><x:c r='B3' s='1' t='inlineStr'><x:is><x:t>2026-05-01</x:t></x:is></x:c>"
        u8"<x:c r='C3' s='0'><x:v>0.9</x:v></x:c></x:row>");
    const std::string book = workbook(rows, "<sst/>", "<x:mergeCells><x:mergeCell ref='A1:B2'/></x:mergeCells>", styles);
    const table expected = {{"主线", "主线"}, {"主线", "主线"}, {"460", "2026-05-01", "0.9"}};
    EXPECT_EQ(from_xlsx(book, "t.xlsx"), expected);

    const xlsx_sheet other = read_xlsx_sheet(book, "t.xlsx", utf8(u8"其他"));
    EXPECT_EQ(other.name, utf8(u8"其他"));
    EXPECT_EQ(other.rows, table{{"other"}});
    try {
        read_xlsx_sheet(book, "t.xlsx", "Sheet1");
        ADD_FAILURE() << "a missing sheet was read";
    } catch (const missing_sheet_error& e) {
        EXPECT_THAT(e.what(), HasSubstr(utf8(u8"t.xlsx: the workbook has no sheet named \"Sheet1\" (it has \"表\", \"其他\")")));
        EXPECT_EQ(e.sheets, (std::vector<std::string>{utf8(u8"表"), utf8(u8"其他")}));
    }
}

TEST_F(XlsxTable, BadWorkbooksAreRefusedWithTheirPlace)
{
    const auto refusal = [](const std::string& bytes) {
        return ds_test::error_text<spreadsheet_error>([&] { from_xlsx(bytes, "in.xlsx"); });
    };
    const std::string long_text(input_limits::max_cell_characters + 1, 'x');
    struct bad_case {
        std::string bytes;
        std::string says;
    };
    const bad_case cases[] = {
        {"属性,数据\r\n", "not a zip package"},
        {std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + "rest", "encrypted workbook or an old binary .xls"},
        {package({{"word/document.xml", "<w/>"}}), "no xl/workbook.xml"},
        {package({{"xl/workbook.xml", "<workbook>"}}), "xl/workbook.xml is not XML"},
        {package({{"xl/workbook.xml", "<workbook/>"}}, "xl/workbook.xml"), "encrypted"},
        {workbook("<x:row><x:c r='B2' t='inlineStr'><x:is><x:t>" + long_text + "</x:t></x:is></x:c></x:row>"),
         utf8(u8"sheet \"表\", cell B2: 32768 characters")},
        {workbook("<x:row><x:c r='C4' t='s'><x:v>7</x:v></x:c></x:row>"), "cell C4: names shared string \"7\", which the workbook lacks"},
        {workbook("<x:row><x:c r='XFD1000000'><x:v>1</x:v></x:c></x:row>"), "spreads over"},
        {package({{"xl/workbook.xml", std::string(input_limits::max_spreadsheet_bytes + 1, ' ')}}), "unpacks to more than"},
        {package({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}, {"content.xml", "<x/>"}}),
         "OpenDocument spreadsheet (.ods), not an XLSX workbook; save it as .xlsx"},
        // Hostile packages: each would once have been read leniently or at great cost.
        // Two entries of one name, as Python's zipfile writes them (libzip will not).
        {ds_file::read_whole_file(DS_FIXTURES_DIR "/spreadsheets/part_held_twice.xlsx"), "the zip package holds a part twice"},
        {package({{"xl/workbook.xml", "<workbook/>"}, {"XL/Workbook.xml", "<workbook/>"}}),
         "holds the part \"xl/workbook.xml\" twice"},
        {workbook("<x:row>" + repeated("<x:c/>", 1'500'000) + "</x:row>"), "sheet1.xml holds too many elements for a table"},
        {workbook("", "<sst>" + repeated("<si/>", 1'500'000) + "</sst>"), "strings.xml holds too many elements"},
        {workbook("<x:row><x:c r='A1' t='s'><x:v>-1</x:v></x:c></x:row>", "<sst><si><t>a</t></si></sst>"),
         "cell A1: names shared string \"-1\""},
        {workbook("<x:row><x:c r='A1' t='s'><x:v>0.5</x:v></x:c></x:row>", "<sst><si><t>a</t></si></sst>"),
         "cell A1: names shared string \"0.5\""},
        {workbook("<x:row r='2'><x:c r='b2'/></x:row>"), "row 2: \"b2\" is not an A1 cell reference"},
        {workbook("<x:row r='2'><x:c r='B02'/></x:row>"), "\"B02\" is not an A1 cell reference"},
        {workbook("<x:row><x:c r='A1'><x:v>1</x:v></x:c><x:c r='A1'><x:v>2</x:v></x:c></x:row>"), "cell A1: stands twice"},
        {workbook("<x:row r='1'/><x:row r='1'/>"), "row 1: stands after row 1 or twice"},
        {workbook("<x:row r='0'/>"), "row \"0\": not a row number"},
        {workbook("<x:row r='1'/>", "<sst/>", "<x:mergeCells><x:mergeCell ref='A1:XFD1048576'/></x:mergeCells>"),
         "merges more cells than a table needs"},
        {workbook("<x:row r='1'><x:c r='A1' t='inlineStr'><x:is><x:t>" + long_text.substr(1) + "</x:t></x:is></x:c></x:row>",
                  "<sst/>", "<x:mergeCells><x:mergeCell ref='A1:A5000'/></x:mergeCells>"),
         "holds more text than a table needs (64 MiB)"},
        // What a person meant is not what the cell holds.
        {workbook("<x:row><x:c r='B2'><x:f>SUM(A1)</x:f></x:c></x:row>"),
         "cell B2: holds a formula (=SUM(A1)) with no stored value"},
        {workbook("<x:row><x:c r='B3'><x:f>A1</x:f><x:v></x:v></x:c></x:row>"), "open and save the workbook in a spreadsheet program"},
        {workbook("<x:row><x:c r='B5' s='1'><x:v>46174</x:v></x:c></x:row>", "<sst/>", "", styles),
         "cell B5: the number 46174 is shown as a date (format \"yyyy-mm-dd\")"},
        {workbook("<x:row><x:c r='B6' s='2'><x:v>0.9</x:v></x:c></x:row>", "<sst/>", "", styles),
         "cell B6: the number 0.9 is shown as a percentage (format \"0%\")"},
        {workbook("<x:row><x:c r='B7' s='3'><x:v>46024</x:v></x:c></x:row>", "<sst/>", "", styles), "shown as a date"},
        {workbook("<x:row><x:c r='B8' s='4'><x:v>0.5</x:v></x:c></x:row>", "<sst/>", "", styles), "shown as a time"},
    };
    for (const bad_case& c : cases) {
        const std::string said = refusal(c.bytes);
        EXPECT_THAT(said, HasSubstr("in.xlsx: ")) << c.says;
        EXPECT_THAT(said, HasSubstr(c.says));
    }
}

}  // namespace

namespace {

// A number format refused by mistake would refuse every file of a program
// that writes it; one let through would import a day count as a size.
TEST(XlsxNumberFormats, DatesTimesAndPercentagesAreToldFromPlainNumbers)
{
    const std::pair<const char*, const char*> cases[] = {
        {"General", ""},           {"0.00", ""},
        {"@", ""},                 {"#,##0;[Red]-#,##0", ""},
        {"0.00E+00", ""},          {"\"h\"0", ""},
        {"0_);\\(0\\)", ""},       {"[$-804]General", ""},
        {"0%", "a percentage"},    {"0.0%", "a percentage"},
        {"yyyy-mm-dd", "a date"},  {"m/d", "a date"},
        {"[$-804]yyyy\"年\"m\"月\"d\"日\"", "a date"},
        {"mmm-yy", "a date"},      {"h:mm", "a time"},
        {"mm:ss", "a time"},       {"[h]:mm:ss", "a time"},
        {"[mm]", "a time"},
    };
    for (const auto& [code, what] : cases) EXPECT_EQ(classify_format(code).what, what) << code;
}

}  // namespace

namespace {

// A drawing's name becomes the name of its sheet, which Excel restricts; the
// import finds the sheet by the same rule.
TEST(XlsxSheetNames, DrawingNamesBecomeNamesExcelAccepts)
{
    const std::string thirty_one_cjk = [] {
        std::string s;
        for (int i = 0; i < 31; ++i) s += utf8(u8"墩");
        return s;
    }();
    const std::pair<std::string, std::string> cases[] = {
        {utf8(u8"垫石-主线1号墩"), utf8(u8"垫石-主线1号墩")},
        {utf8(u8"[参数化] 垫石"), utf8(u8"_参数化_ 垫石")},
        {"a:b*c?d/e\\f", "a_b_c_d_e_f"},
        {"x\ny\x1B", "x_y_"},
        {"'quoted'", "quoted"},
        {"''", utf8(u8"垫石")},
        {"", utf8(u8"垫石")},
        {thirty_one_cjk + utf8(u8"台"), thirty_one_cjk},
    };
    for (const auto& [name, sheet] : cases) EXPECT_EQ(sheet_name_for(name, utf8(u8"垫石")), sheet) << name;
}

}  // namespace
