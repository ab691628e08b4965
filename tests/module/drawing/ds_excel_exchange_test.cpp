// Spreadsheet exchange of a single pedestal drawing: the rows written, the
// round trip, and where an import stops on a short or malformed table.
#include <gtest/gtest.h>

#include "data/ds_ui_data.h"
#include "drawing/ds_ui_drawing_strategy.h"
#include "support/differences.h"
#include "support/exchange_sample.h"

namespace VQDraw_DS_UINA {
namespace {

using ds_test::differences;
using ds_test::no_differences;

class ExcelExchange : public ::testing::Test {
protected:
    void SetUp() override
    {
        source.set_default_value();
        source.ref_Type = "外部导入";
        source.refrence_graph_name = "左幅/5号台";
        source.ref_DS_Num = "4";
        ds_test::fill_exchange_sample(source.m_draw_data, 1234.56);
        target.set_default_value();
    }

    excel_table exported()
    {
        excel_table table;
        DS_ui_drawing_strategy strategy;
        strategy.set_graph_data(&source);
        strategy.set_excel_exchange_p0(table);
        return table;
    }

    void import(const excel_table& table)
    {
        DS_ui_drawing_strategy strategy;
        strategy.set_graph_data(&target);
        strategy.get_excel_exchange_p0(table);
    }

    DS_ui_data source;
    DS_ui_data target;
};

TEST_F(ExcelExchange, ExportWritesTheRowsInOrder)
{
    const excel_table table = exported();
    const excel_table expected = {
        {"属性", "数据", "填写说明"},
        {"输入方式", "外部导入", "方式：外部引用; 外部导入; 自定义"},
        {"引用构造路径", "左幅/5号台"},
        {"垫石序号", "4"},
        {"横桥向宽度(mm)", "1234.6"},
        {"顺桥向长度(mm)", "700.0"},
        {"高度(mm)", "200;250 300"},
        {"斜交角(°)", "75.5"},
        {"垫石个数", "3"},
        {"垫石位置", "大桩号侧"},
        {"垫石编号", "A1"},
        {"所属墩台类型", "桥台"},
        {"桥幅", "左幅"},
        {"墩台号", "5"},
        {"比例", "25"},
        {"混凝土类型", "C35"},
        {"自定义附注", "注意预埋件"},
    };
    EXPECT_EQ(table, expected);
}

TEST_F(ExcelExchange, ImportGivesBackTheExportWithRealsAsFormatted)
{
    import(exported());
    source.m_draw_data.m_gz.m_dWidth = 1234.6;
    EXPECT_EQ(differences(target, source), no_differences);
}

TEST_F(ExcelExchange, AShortRowOrTheTablesEndStopsTheImportThere)
{
    const DS_ui_data before(target);
    DS_ui_data expected(before);
    expected.ref_Type = "外部导入";
    expected.refrence_graph_name = "左幅/5号台";
    expected.ref_DS_Num = "4";

    excel_table table = exported();
    table.resize(4);  // the header and the reference rows alone
    import(table);
    EXPECT_EQ(differences(target, expected), no_differences);

    table = exported();
    table[5].resize(1);                  // the length row
    table[3].push_back("ignored cell");  // a third cell is never read
    target = before;
    import(table);
    expected.m_draw_data.m_gz.m_dWidth = 1234.6;
    EXPECT_EQ(differences(target, expected), no_differences);
}

TEST_F(ExcelExchange, NumbersReadLikeTheStandardConversions)
{
    excel_table table = exported();
    table[8][1] = "abc";   // count
    table[13][1] = "12.7"; // pier number
    table[4][1] = "1e3mm"; // width
    import(table);
    EXPECT_EQ(target.m_draw_data.m_gz.m_iCount, 0);
    EXPECT_EQ(target.m_draw_data.m_drawSet.com_drawset.m_iPierNum, 12);
    EXPECT_EQ(target.m_draw_data.m_gz.m_dWidth, 1000.0);
    EXPECT_EQ(target.m_draw_data.m_drawSet.com_drawset.m_iScale, 25) << "rows after a bad number are still read";
}

}  // namespace
}  // namespace VQDraw_DS_UINA
