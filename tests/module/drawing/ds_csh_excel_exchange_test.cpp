// Spreadsheet exchange of a parametric pedestal drawing: the rows written, the
// round trip, the list read back after editing, and where an import stops.
#include <gtest/gtest.h>

#include "data/ds_ui_csh_data.h"
#include "drawing/ds_ui_csh_drawing_strategy.h"
#include "support/exchange_sample.h"

namespace VQDraw_DS_UINA {
namespace {

constexpr std::size_t name_row = 13;
constexpr std::size_t header_row = 14;

DS_CSH_LB_Data list_row(const char* qf, int num, int count, const char* heights)
{
    DS_CSH_LB_Data row;
    row.set_default_value();
    row.m_strQF = qf;
    row.m_iNum = num;
    row.m_iCount = count;
    row.m_strH = heights;
    row.m_dWid = 900;
    row.m_strPos = "左侧";
    return row;
}

/// The four exchanged fields of each row, in order.
std::vector<std::vector<CString>> exchanged(const std::vector<DS_CSH_LB_Data>& rows)
{
    std::vector<std::vector<CString>> fields;
    for (const DS_CSH_LB_Data& row : rows) {
        CString num, count;
        num.Format("%d", row.m_iNum);
        count.Format("%d", row.m_iCount);
        fields.push_back({row.m_strQF, num, count, row.m_strH});
    }
    return fields;
}

class CshExcel : public ::testing::Test {
protected:
    void SetUp() override
    {
        source.set_default_value();
        ds_test::fill_exchange_sample(source.m_gz_data, 1234.5);
        source.m_csh_name.m_strH = "H1";
        source.m_csh_data = {list_row("主线", 1, 4, "200"), list_row("匝道", 12, 2, "200,250"), list_row("主线", 3, 0, "")};

        target.set_default_value();
        target.m_csh_data = {list_row("旧", 99, 1, "150")};
    }

    excel_table exported()
    {
        excel_table table{{"旧内容"}};
        DS_ui_CSH_drawing_strategy strategy;
        strategy.set_graph_data(&source);
        strategy.set_excel_exchange_p0(table);
        return table;
    }

    void import(const excel_table& table)
    {
        DS_ui_CSH_drawing_strategy strategy;
        strategy.set_graph_data(&target);
        strategy.get_excel_exchange_p0(table);
    }

    /// Difference lines of the target's shared record and list name against the source's.
    std::vector<CString> record_differences() const
    {
        std::vector<CString> lines;
        target.m_gz_data.m_gz.compare(&source.m_gz_data.m_gz, lines);
        target.m_gz_data.m_drawSet.compare(&source.m_gz_data.m_drawSet, lines);
        target.m_csh_name.compare(&source.m_csh_name, lines);
        return lines;
    }

    DS_ui_CSH_data source;
    DS_ui_CSH_data target;
};

TEST_F(CshExcel, ExportWritesTheBlocksTheNameTheHeaderAndOneRowPerListRow)
{
    excel_table table = exported();
    ASSERT_EQ(table.size(), 18u);
    EXPECT_EQ(table[0], (std::vector<CString>{"横桥向宽度(mm)", "1234.5"}));
    EXPECT_EQ(table[6], (std::vector<CString>{"垫石编号", "A1"}));
    EXPECT_EQ(table[name_row], (std::vector<CString>{"高度名称", "H1"}));
    EXPECT_EQ(table[header_row], (std::vector<CString>{"桥幅", "墩台号", "个数", "高度(mm)"}));
    EXPECT_EQ(std::vector(table.begin() + 15, table.end()), exchanged(source.m_csh_data));

    source.m_csh_data.clear();
    table = exported();
    ASSERT_EQ(table.size(), 15u);
    EXPECT_EQ(table.back(), (std::vector<CString>{"桥幅", "墩台号", "个数", "高度(mm)"}));
}

TEST_F(CshExcel, ImportOfAnExportGivesBackTheRecordTheNameAndTheExchangedListFields)
{
    import(exported());
    EXPECT_EQ(record_differences(), std::vector<CString>{});
    EXPECT_EQ(exchanged(target.m_csh_data), exchanged(source.m_csh_data));
    // Fields without a cell come back as a newly constructed row has them.
    const DS_CSH_LB_Data constructed;
    for (const DS_CSH_LB_Data& row : target.m_csh_data) {
        EXPECT_EQ(row.m_Type, constructed.m_Type);
        EXPECT_EQ(row.m_dWid, constructed.m_dWid);
        EXPECT_EQ(row.m_strPos, constructed.m_strPos);
    }
}

TEST_F(CshExcel, AnEditedListReplacesTheListRowByRow)
{
    excel_table table = exported();
    table[header_row] = {"随便"};                   // the header is stepped over whatever it holds
    table[15] = {"右幅", "7.9", "abc", "300,310", "多余"};  // numbers read like atoi, a fifth cell is ignored
    table.erase(table.begin() + 16);                 // a row deleted
    table.push_back({"左幅", "8"});                   // a row added with two cells only
    table.push_back({});                             // and an empty one
    import(table);

    const DS_CSH_LB_Data constructed;
    CString num, count;
    num.Format("%d", constructed.m_iNum);
    count.Format("%d", constructed.m_iCount);
    EXPECT_EQ(exchanged(target.m_csh_data), (std::vector<std::vector<CString>>{{"右幅", "7", "0", "300,310"},
                                                                               {"主线", "3", "0", ""},
                                                                               {"左幅", "8", count, constructed.m_strH},
                                                                               {constructed.m_strQF, num, count, constructed.m_strH}}));
}

TEST_F(CshExcel, AShortOrEndingTableStopsWhereItStands)
{
    const std::vector<DS_CSH_LB_Data> old_list = target.m_csh_data;
    const DS_CSH_Name old_name = target.m_csh_name;

    // A one-cell name row keeps the name, and the list behind it is not read.
    excel_table table = exported();
    table[name_row] = {"高度名称"};
    import(table);
    EXPECT_EQ(target.m_gz_data.m_drawSet.m_DS_number, "A1");
    EXPECT_EQ(target.m_csh_name.m_strH, old_name.m_strH);
    EXPECT_EQ(exchanged(target.m_csh_data), exchanged(old_list));

    // A table that ends before the list header takes the name and leaves the list.
    table = exported();
    table.resize(header_row);
    import(table);
    EXPECT_EQ(target.m_csh_name.m_strH, "H1");
    EXPECT_EQ(exchanged(target.m_csh_data), exchanged(old_list));

    // One that ends on the header empties it.
    table.push_back({"桥幅"});
    import(table);
    EXPECT_TRUE(target.m_csh_data.empty());
}

}  // namespace
}  // namespace VQDraw_DS_UINA
