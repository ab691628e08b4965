// The pedestal drawing component: its checks, bar counts, sheets and quantities.
#include <gtest/gtest.h>

#include <memory>

#include "host/drawing_lib/rx_component_dsgj.h"
#include "host/rebar/steel_data_transform.h"

namespace VQDraw_DS_GJNA {
namespace {

// Two bars counted, plus bars at 100 mm over a 560 mm width: 2 + 6 per pedestal.
const RXDSGNMOD::CRXComponentSteelP0* mesh_group()
{
    steel_data steel;
    steel.m_bars = {{"N1", 12, "HRB400", 2, 0, "直线", "钢筋网"}, {"N2", 10, "HRB400", 0, 100, "L形", "钢筋网"}};
    std::vector<RXDSGNMOD::CRXComponentSteelP0*> groups;
    steel_data_transform::get_steel_data_group(steel, groups);
    return groups.at(0);
}

DS_steel_pram_parameter pedestals(int count, double width, double length, std::vector<double> heights)
{
    DS_steel_pram_parameter param;
    param.m_strName = "主线";
    param.m_iPierNum = 2;
    param.m_iCount = count;
    param.m_dWidth = width;
    param.m_dLength = length;
    param.m_vecHeights = std::move(heights);
    param.m_pSteelGroup = mesh_group();
    return param;
}

DS_draw_data two_groups()
{
    DS_draw_data data;
    data.m_strPierName = "主线2号墩";
    data.m_strConcreteType = "C40";
    data.m_vecParamGroups = {{pedestals(2, 560, 1000, {200, 300}), pedestals(1, 560, 1000, {250})},
                             {pedestals(1, 400, 400, {100})}};
    data.m_vecHeightLabels = {"h", ""};
    data.m_vecGroupNotes = {{"本图尺寸除钢筋直径以毫米计外，余均以毫米计", "本图适用于主线2号墩"}, {}};
    return data;
}

TEST(pedestal_component, DesignCountsBarsAndReportsEveryBadParameter)
{
    CRXComponent_DSGJ good(two_groups());
    EXPECT_TRUE(good.Design());
    EXPECT_TRUE(good.GetDesignMessages().empty());
    // Group 1: three pedestals of 2 + 6 bars; group 2: one pedestal 400 wide, 2 + 5 bars.
    EXPECT_EQ(good.GetGroupBarCounts(), (std::vector<int>{24, 7}));

    DS_draw_data bad = two_groups();
    bad.m_vecParamGroups[0][0].m_vecHeights = {200};  // two pedestals, one height
    bad.m_vecParamGroups[1][0].m_dWidth = 0;
    bad.m_vecParamGroups[1][0].m_dAngle = 180;
    CRXComponent_DSGJ component(bad);
    EXPECT_FALSE(component.Design());
    EXPECT_EQ(component.GetDesignMessages().size(), 3u);
    EXPECT_FALSE(component.Draw("主线2号墩垫石"));

    CRXComponent_DSGJ empty{DS_draw_data{}};
    EXPECT_FALSE(empty.Design()) << "a drawing without parameters cannot be designed";

    // One outline per pedestal, and only under a name.
    EXPECT_FALSE(good.Draw(""));
    EXPECT_TRUE(good.Draw("图1"));
    EXPECT_EQ(good.GetDrawnItems().size(), 4u);
}

TEST(pedestal_component, SheetsAndQuantitiesFollowTheParameterGroups)
{
    CRXComponent_DSGJ component(two_groups());
    std::vector<RXDSGNMOD::CRXPaper*> raw;
    component.CreatPaper(raw);
    std::vector<std::unique_ptr<RXDSGNMOD::CRXPaper>> papers(raw.begin(), raw.end());
    ASSERT_EQ(papers.size(), 2u);
    EXPECT_EQ(papers[0]->title(), "主线2号墩垫石钢筋构造图(1/2)");
    const std::vector<CString>& lines = papers[0]->lines;
    ASSERT_EQ(lines.size(), 5u);  // two rows, the height label, two notes
    EXPECT_EQ(lines[2], "高度标注：h");
    EXPECT_EQ(lines[4], "附注2：本图适用于主线2号墩");
    EXPECT_EQ(papers[1]->lines.size(), 1u) << "no label and no notes on the second sheet";

    std::vector<std::map<CString, CString>> rows;
    component.GetMaterialData(rows);
    // Group 1: concrete, two bar lines per row of pedestals; group 2: concrete, two bar lines.
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows[0].at("材料"), "混凝土");
    EXPECT_EQ(rows[0].at("数量"), "0.420");  // 0.56 m x 1 m x (0.2 + 0.3 + 0.25 m)
    EXPECT_EQ(rows[1].at("编号"), "N1");
    EXPECT_EQ(rows[1].at("数量"), "4");
    EXPECT_EQ(rows[2].at("数量"), "12");
    EXPECT_EQ(rows[5].at("数量"), "0.016");
}

}  // namespace
}  // namespace VQDraw_DS_GJNA
