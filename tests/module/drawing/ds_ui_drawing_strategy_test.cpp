// The single drawing's component input: heights, pier name, what is taken
// from the drawing and what is left alone.
#include <gtest/gtest.h>

#include "data/ds_ui_data.h"
#include "drawing/ds_ui_drawing_strategy.h"
#include "host/rebar/steel_data_transform.h"
#include "support/component_record.h"
#include "support/differences.h"

namespace VQDraw_DS_UINA {
namespace {

class SingleStrategy : public ::testing::Test {
protected:
    void SetUp() override
    {
        node.set_default_value();
        strategy.set_graph_data(&node);
    }

    VQDraw_DS_GJNA::DS_draw_data record() { return ds_test::component_record(strategy); }

    const VQDraw_DS_GJNA::DS_steel_pram_parameter& only_parameter(const VQDraw_DS_GJNA::DS_draw_data& data)
    {
        static const VQDraw_DS_GJNA::DS_steel_pram_parameter none;
        EXPECT_EQ(data.m_vecParamGroups.size(), 1u);
        if (data.m_vecParamGroups.size() != 1 || data.m_vecParamGroups[0].size() != 1) {
            ADD_FAILURE() << "expected one group of one parameter record";
            return none;
        }
        return data.m_vecParamGroups[0][0];
    }

    common_gj_data_drawset& common() { return node.m_draw_data.m_drawSet.com_drawset; }

    DS_ui_data node;
    DS_ui_drawing_strategy strategy;
};

TEST_F(SingleStrategy, HeightsFollowTheCountAndRepeatTheLastNumber)
{
    struct height_case {
        const char* text;
        int count;
        std::vector<double> heights;
    };
    const height_case cases[] = {
        {"200", 3, {200, 200, 200}},
        {"200,250", 3, {200, 250, 250}},
        {"200;250 300", 3, {200, 250, 300}},
        {"200,250,300,350", 2, {200, 250}},
        {"200", 0, {}},
        {"200", -2, {}},
        {"", 2, {0, 0}},  // no number to repeat: one zero height per pedestal
        {"高", 1, {0}},
    };
    for (const height_case& c : cases) {
        SCOPED_TRACE(testing::Message() << "strHei " << testing::PrintToString(CString(c.text)) << ", count " << c.count);
        node.m_draw_data.m_gz.strHei = c.text;
        node.m_draw_data.m_gz.m_iCount = c.count;
        const auto data = record();
        const auto& param = only_parameter(data);
        EXPECT_EQ(param.m_vecHeights, c.heights);
        EXPECT_EQ(param.m_iCount, c.count);
    }
}

TEST_F(SingleStrategy, PierNameSaysPierOnlyWhenTheTypeMentionsOne)
{
    struct name_case {
        const char* type;
        int number;
        const char* name;
    };
    const name_case cases[] = {
        {"桥墩", 3, "主线3号墩"}, {"墩", 3, "主线3号墩"}, {"墩台", 3, "主线3号墩"},
        {"桥台", 3, "主线3号台"}, {"", 3, "主线3号台"},   {"桥台", 0, "主线0号台"},
    };
    common().m_strQF = "主线";
    for (const name_case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(CString(c.type)));
        common().m_strCompType = c.type;
        common().m_iPierNum = c.number;
        const auto data = record();
        EXPECT_EQ(data.m_strPierName, c.name);
        EXPECT_EQ(data.m_strSupportType, c.type);
        EXPECT_EQ(only_parameter(data).m_strName, c.name);
        EXPECT_EQ(only_parameter(data).m_iPierNum, c.number);
    }
}

TEST_F(SingleStrategy, FillsTheRecordFromACopyAndLeavesTheDrawingAlone)
{
    DS_GZ_Gen& gz = node.m_draw_data.m_gz;
    gz.m_dWidth = 600;
    gz.m_dLenth = 700;
    gz.strHei = "180";
    gz.m_dSlope = 75;
    gz.m_iCount = 2;
    gz.strPos = "小桩号侧";
    node.m_draw_data.m_drawSet.m_DS_number = "B2";
    node.ref_Type = "外部引用";
    node.refrence_graph_name = "主线/3号墩";
    common().m_strCompType = "桥墩";
    common().m_strQF = "左幅";
    common().m_iPierNum = 3;
    common().m_iScale = 20;
    common().m_strConcreteType = "C50";
    common().m_strCustomNote = "见总说明";
    common().m_merge_infos = {{"桥墩", "左幅", "1~3", "1", "1"}, {"桥台", "左幅", "0", "1", "1"}};
    const DS_ui_data before(node);

    const auto data = record();

    EXPECT_EQ(ds_test::differences(node, before), ds_test::no_differences);

    EXPECT_EQ(data.m_strDSNumber, "B2");
    EXPECT_EQ(data.m_strQF, "左幅");
    EXPECT_EQ(data.m_iPierNum, 3);
    EXPECT_EQ(data.m_strPierName, "左幅3号墩");
    EXPECT_EQ(data.m_iSelectedObjNum, 4);
    EXPECT_EQ((std::vector{data.m_iScaleElevation, data.m_iScalePlan, data.m_iScaleDetail}), (std::vector{20, 20, 20}));
    EXPECT_EQ(data.m_strConcreteType, "C50");
    EXPECT_EQ(data.m_strCustomNote, "见总说明");
    EXPECT_TRUE(data.m_vecGroupNotes.empty());
    EXPECT_TRUE(data.m_vecHeightLabels.empty());

    const auto& param = only_parameter(data);
    EXPECT_EQ(param.m_dWidth, 600);
    EXPECT_EQ(param.m_dLength, 700);
    EXPECT_EQ(param.m_dAngle, 75);
    EXPECT_EQ(param.m_vecHeights, (std::vector<double>{180, 180}));
    EXPECT_TRUE(param.m_strPos.IsEmpty()) << "the position is not drawn";

    std::vector<RXDSGNMOD::CRXComponentSteelP0*> groups;
    steel_data_transform::get_steel_data_group(node.m_draw_data.m_Steel_P0, groups);
    ASSERT_FALSE(groups.empty()) << "the default rebar yields a group";
    EXPECT_EQ(param.m_pSteelGroup, groups.front());

    // Without bars the component is still made, with no rebar group.
    node.m_draw_data.m_Steel_P0.m_bars.clear();
    EXPECT_EQ(only_parameter(record()).m_pSteelGroup, nullptr);
}

}  // namespace
}  // namespace VQDraw_DS_UINA
