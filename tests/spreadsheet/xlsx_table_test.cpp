// XLSX workbooks: what the host writes reads back cell for cell, cells of
// every kind other programs write are read as a person sees them, and files
// that are no workbook, encrypted or absurdly large are refused with their place.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <zip.h>

#include <map>

#include "host/framework/atomic_file.h"
#include "host/framework/input_limits.h"
#include "host/spreadsheet/xlsx_read.h"
#include "host/spreadsheet/xlsx_write.h"
#include "support/error_text.h"
#include "support/temp_folder.h"
#include "support/utf8_literal.h"

using testing::HasSubstr;
using namespace ds_spreadsheet;
using ds_test::utf8;

namespace {

class xlsx_table : public ds_test::temp_folder_test {
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

    /// A workbook whose first sheet holds `rows_xml` and whose shared strings are `strings_xml`.
    std::string workbook(const std::string& rows_xml, const std::string& strings_xml = "<sst/>")
    {
        return package({
            {"xl/workbook.xml", utf8(u8"<workbook xmlns:r='rel'><sheets><sheet name='表' r:id='rId1'/></sheets></workbook>")},
            {"xl/_rels/workbook.xml.rels",
             "<Relationships><Relationship Id='rId1' Target='worksheets/sheet1.xml' Type='x/worksheet'/>"
             "<Relationship Id='rId2' Target='/xl/strings.xml' Type='x/sharedStrings'/></Relationships>"},
            {"xl/worksheets/sheet1.xml", "<x:worksheet xmlns:x='ns'><x:sheetData>" + rows_xml + "</x:sheetData></x:worksheet>"},
            {"xl/strings.xml", strings_xml},
        });
    }
};

TEST_F(xlsx_table, WhatTheHostWritesReadsBack)
{
    const table rows = {
        {"属性", "数据", "填写说明"},
        {"横桥向宽度(mm)", "460.0"},
        {"高度(mm)", "200,210", ""},
        {"自定义附注", "含\"引号\"\n和换行 "},
        {"比例", "not a number"},
    };
    sheet_layout layout;
    layout.header_rows = {0};
    layout.number_cells = {{1, 1}, {4, 1}};
    layout.choices = {{{3, 1}, {"甲", "乙"}}};
    const auto file = m_dir / "out.xlsx";
    write_xlsx_file(file, rows, layout);
    table expected = rows;
    expected[1][1] = "460";  // a number comes back in its shortest form
    EXPECT_EQ(read_xlsx_file(file), expected);
}

TEST_F(xlsx_table, CellsOfEveryKindReadAsShown)
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

TEST_F(xlsx_table, BadWorkbooksAreRefusedWithTheirPlace)
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
        {workbook("<x:row><x:c r='C4' t='s'><x:v>7</x:v></x:c></x:row>"), "cell C4: names shared string 7"},
        {workbook("<x:row><x:c r='XFD1000000'><x:v>1</x:v></x:c></x:row>"), "spreads over"},
        {package({{"xl/workbook.xml", std::string(input_limits::max_spreadsheet_bytes + 1, ' ')}}), "unpacks to more than"},
    };
    for (const bad_case& c : cases) {
        const std::string said = refusal(c.bytes);
        EXPECT_THAT(said, HasSubstr("in.xlsx: ")) << c.says;
        EXPECT_THAT(said, HasSubstr(c.says));
    }
}

}  // namespace
