// The table of spreadsheet formats: each format's writer and reader belong
// together, and the names the command line offers find them.
#include "host/spreadsheet/spreadsheet_formats.h"

#include <gtest/gtest.h>

#include <set>

#include "support/temp_folder.h"
#include "support/utf8_literal.h"

using namespace ds_spreadsheet;

using SpreadsheetFormats = ds_test::temp_folder_test;

TEST_F(SpreadsheetFormats, EveryFormatReadsBackWhatItWritesAndIsFoundByName)
{
    const table rows = {{"属性", "数据"}, {"宽度", "600"}, {"附注", "a,\"b\""}};
    table_layout layout;
    layout.sheet_name = ds_test::utf8(u8"垫石");
    std::set<std::string_view> names;
    for (const spreadsheet_format& format : spreadsheet_formats()) {
        EXPECT_TRUE(names.insert(format.name).second) << format.name;
        EXPECT_EQ(&spreadsheet_format_named(format.name), &format);
        const auto file = m_dir / ("t." + std::string(format.name));
        format.write(file, rows, layout);
        const read_result read = format.read(file, {});
        EXPECT_EQ(read.rows, rows) << format.name;
        EXPECT_EQ(read.sheet.has_value(), format.workbook) << format.name;
        if (format.workbook) {
            EXPECT_EQ(*read.sheet, layout.sheet_name);
        }
    }
    EXPECT_EQ(spreadsheet_format_named("csv").takes_charset, true);
    EXPECT_EQ(spreadsheet_format_named("xlsx").workbook, true);
    EXPECT_THROW(spreadsheet_format_named("ods"), std::out_of_range);
}
