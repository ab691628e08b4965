// Grid tables: row arithmetic around header rows, key addressing
// and the user-modified mark.
#include <gtest/gtest.h>

#include <memory>

#include "host/grid/cvq_data_base.h"

namespace {

const CString no_text;

CVQDataBase list_table(int header_rows)
{
    CVQDataBase table(grid_table_kind::list, "列表");
    table.set_header_rows(header_rows);
    table.add_column("m_Type", "墩台类型");
    table.add_column("m_type", "垫石类型");
    table.add_column("m_iN", "墩台号");
    return table;
}

CVQDataBase property_table()
{
    CVQDataBase table(grid_table_kind::property, "属性");
    table.add_property("m_dWidth", "横桥向宽度(mm)");
    table.add_property("m_Num", "垫石序号", "DS_Num");
    return table;
}

CString text_of(const CVQDataBase& table, int row, const char* key)
{
    CString value = "<unread>";
    table.Get_Prop(row, key, value);
    return value;
}

TEST(GridTable, RowsInsertedAfterTheHeaderRowsAreDataRowsFromZero)
{
    CVQDataBase table = list_table(2);
    ASSERT_EQ(table.GetFixedRowCount(), 2);
    ASSERT_EQ(table.GetNumberRows(), 0);

    ASSERT_TRUE(table.InsertRowPost(table.GetFixedRowCount() - 1, 3, no_text, no_text));
    EXPECT_EQ(table.GetRowCount(), 5);
    EXPECT_EQ(table.GetNumberRows(), 3);
    for (int row = 0; row < 3; ++row) ASSERT_TRUE(table.Set_Prop(row, "m_iN", CVQVariant(row + 10)));
    // Data row 0 is absolute row 2, below the headers.
    EXPECT_EQ(table.get_cell(2, table.column_of("m_iN"))->text(), CString("10"));
    EXPECT_EQ(table.get_cell(0, table.column_of("m_iN"))->text(), CString("墩台号"));

    // A position inside the header block still inserts data rows, at the top.
    ASSERT_TRUE(table.InsertRowPost(0, 1, no_text, no_text));
    EXPECT_EQ(table.GetFixedRowCount(), 2);
    EXPECT_EQ(text_of(table, 0, "m_iN"), CString(""));
    EXPECT_EQ(text_of(table, 1, "m_iN"), CString("10"));

    // Past the end appends; no count, no rows.
    ASSERT_TRUE(table.InsertRowPost(1000, 1, no_text, no_text));
    EXPECT_EQ(table.GetNumberRows(), 5);
    EXPECT_EQ(text_of(table, 3, "m_iN"), CString("12"));
    EXPECT_FALSE(table.InsertRowPost(1, 0, no_text, no_text));
    EXPECT_FALSE(table.InsertRowPost(1, -2, no_text, no_text));
    EXPECT_EQ(table.GetNumberRows(), 5);
}

TEST(GridTable, RemovingRowsNeverTakesHeaderRows)
{
    CVQDataBase table = list_table(1);
    table.InsertRowPost(0, 4, no_text, no_text);
    for (int row = 0; row < 4; ++row) table.Set_Prop(row, "m_iN", CVQVariant(row));

    // Absolute rows 2..3 are data rows 1..2.
    ASSERT_TRUE(table.RemoveRowsAt(2, 2, no_text, no_text));
    EXPECT_EQ(table.GetNumberRows(), 2);
    EXPECT_EQ(text_of(table, 0, "m_iN"), CString("0"));
    EXPECT_EQ(text_of(table, 1, "m_iN"), CString("3"));

    // A range starting in the headers only clears the data rows it covers.
    ASSERT_TRUE(table.RemoveRowsAt(0, 2, no_text, no_text));
    EXPECT_EQ(table.GetFixedRowCount(), 1);
    EXPECT_EQ(table.GetNumberRows(), 1);
    EXPECT_EQ(table.get_caption("m_Type"), CString("墩台类型"));
    EXPECT_EQ(table.get_cell(0, 0)->text(), CString("墩台类型"));

    EXPECT_FALSE(table.RemoveRowsAt(5, 1, no_text, no_text));
    EXPECT_FALSE(table.RemoveRowsAt(1, 0, no_text, no_text));
    EXPECT_TRUE(table.RemoveRowsAt(1, 2147483647, no_text, no_text));
    EXPECT_EQ(table.GetNumberRows(), 0);
    EXPECT_EQ(table.GetRowCount(), 1);
}

TEST(GridTable, KeysAddressRowsOrColumnsAndAreCaseSensitive)
{
    CVQDataBase list = list_table(1);
    list.InsertRowPost(0, 1, no_text, no_text);
    EXPECT_FALSE(list.Set_Prop(1, "m_Type", CVQVariant(1)));   // no such data row
    EXPECT_FALSE(list.Set_Prop(-1, "m_Type", CVQVariant(1)));
    EXPECT_FALSE(list.Set_Prop(0, "m_TYPE", CVQVariant(1)));   // no such column
    EXPECT_FALSE(list.Set_Prop("m_Type", CVQVariant(1)));      // lists have no property rows

    CVQDataBase props = property_table();
    EXPECT_FALSE(props.Set_Prop("m_dwidth", CVQVariant(1.0)));
    EXPECT_FALSE(props.Set_Prop(0, "m_dWidth", CVQVariant(1.0)));  // properties are not list cells

    // The row a notification names: headers and rows past the end have no key.
    for (const auto& [row, key] : std::vector<std::pair<int, CString>>{{1, "m_Num"}, {2, ""}, {-1, ""}}) {
        NM_VQGRID notify{row, 1};
        EXPECT_EQ(props.GetRowTag(&notify), key) << row;
    }
    EXPECT_EQ(props.GetRowTag(nullptr), CString(""));
}

// Edits that are the user's mark a table (the observers rely on that); these
// are the program's own edits and the user edits that change nothing.
TEST(GridTable, OnlyUserEditsSetTheModifiedMark)
{
    CVQDataBase list = list_table(1);
    list.Set_Prop(0, "m_iN", CVQVariant(1));
    list.InsertRowPost(0, 2, no_text, no_text);
    list.Set_Prop(0, "m_iN", CVQVariant(1));
    list.RemoveRowsAt(2, 1, no_text, no_text);
    EXPECT_FALSE(list.user_set_prop(5, "m_iN", CVQVariant(3)));  // a cell that is not there
    EXPECT_FALSE(list.user_remove_rows(3, 1));
    CVQDataBase props = property_table();
    EXPECT_FALSE(props.user_set_prop("unknown", CVQVariant(1)));
    EXPECT_EQ(list.IsUserModifyData(), 0);
    EXPECT_EQ(props.IsUserModifyData(), 0);

    EXPECT_TRUE(list.user_append_rows(2));
    EXPECT_EQ(list.GetNumberRows(), 3);
    EXPECT_NE(list.IsUserModifyData(), 0);
    list.SetUserModify(0);
    EXPECT_TRUE(list.user_remove_rows(0, 1));
    EXPECT_EQ(list.GetNumberRows(), 2);
    EXPECT_EQ(list.GetFixedRowCount(), 1);
    EXPECT_NE(list.IsUserModifyData(), 0);
}

}  // namespace
