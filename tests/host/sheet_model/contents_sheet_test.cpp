// The contents sheets of a set: a row per drawing, continued on further sheets
// when the set is long, and the title block of any framed sheet renumbered in
// place for its place in the set.
#include <gtest/gtest.h>

#include "host/sheet_model/contents_sheet.h"

namespace {

using namespace ds_sheet;

/// The title block's cells "图号" and "第i张 共n张" of `page`.
std::vector<CString> numbering_of(const sheet& page)
{
    for (const table& t : page.tables)
        if (t.rows.size() == 4 && t.rows[1][0] == "图号") return {t.rows[1][1], t.rows[3][0], t.rows[3][1]};
    return {};
}

TEST(ContentsSheet, RowsContinueOnFurtherSheetsAndEachSheetIsRenumberedInPlace)
{
    EXPECT_EQ(contents_sheet_count(0), 1u);
    EXPECT_EQ(contents_sheet_count(contents_rows_per_sheet), 1u);
    EXPECT_EQ(contents_sheet_count(contents_rows_per_sheet + 1), 2u);

    std::vector<contents_row> rows;
    for (int i = 0; i < 60; ++i) rows.push_back({"DS-" + CString(std::to_string(i + 4).c_str()), "图", 1, ""});
    title_block_text block;
    block.project = "某项目";
    std::vector<sheet> pages = contents_sheets(rows, block, "某院");
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].title, CString("图纸目录"));
    EXPECT_EQ(pages[2].title, CString("图纸目录(续2)"));

    // The contents table is the first table of each sheet: its header, then the rows numbered through.
    const table& second = pages[1].tables.front();
    ASSERT_EQ(second.rows.size(), 1 + contents_rows_per_sheet);
    EXPECT_EQ(second.rows[0], (std::vector<CString>{"序号", "图号", "图名", "张数", "备注"}));
    EXPECT_EQ(second.rows[1][0], CString("29"));
    EXPECT_EQ(second.rows[1][1], CString("DS-32"));
    EXPECT_EQ(pages[2].tables.front().rows.size(), 1 + 60 - 2 * contents_rows_per_sheet);

    ASSERT_TRUE(renumber_title_block(pages[1], "QL-002", 2, 64));
    EXPECT_EQ(numbering_of(pages[1]), (std::vector<CString>{"QL-002", "第2张", "共64张"}));
    sheet bare;
    EXPECT_FALSE(renumber_title_block(bare, "QL-001", 1, 1));
}

}  // namespace
