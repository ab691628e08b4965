// Splitting a parametric pedestal drawing into one single drawing per row.
#include <gtest/gtest.h>

#include <memory>

#include "methods/ds_ui_csh_dismantle_method.h"
#include "support/pedestal_drawings.h"

namespace {

using VQDraw_DS_UINA::DS_CSH_LB_Data;
using VQDraw_DS_UINA::DS_ui_data;

TEST(DismantleMethod, OneMarkedSingleDrawingPerRowNoneForAnEmptyListAndNothingForAWrongDrawing)
{
    ds_test::pedestal_drawings drawings;
    drawings.single("single", "1");
    const VQDraw_DS_UINA::DS_ui_CSH_dismantle_method prototype;
    VQDraw_DS_UINA::DS_ui_CSH_dismantle_method method(prototype);
    DS_ui_data earlier;
    std::vector<drawing_graph_data_base*> graphs = {&earlier};
    for (CString tag : {CString("single"), CString("missing")}) {
        EXPECT_EQ(method.dismantle_param_graph(graphs, tag),
                  std::make_pair(false, CString("指定的参数化图纸未实例化！")));
        EXPECT_EQ(graphs, (std::vector<drawing_graph_data_base*>{&earlier}));
    }
    // An empty list gives no drawing, and the earlier contents go.
    drawings.parametric("empty");
    CString empty = "empty";
    EXPECT_EQ(method.dismantle_param_graph(graphs, empty), std::make_pair(true, CString()));
    EXPECT_TRUE(graphs.empty());

    VQDraw_DS_UINA::DS_ui_CSH_data& parametric = drawings.parametric("csh");
    parametric.set_default_value();
    parametric.m_gz_data.m_drawSet.com_drawset.m_iScale = 30;
    parametric.m_csh_data.resize(3);
    DS_CSH_LB_Data& row = parametric.m_csh_data[1];
    row.m_Type = "桥台";
    row.m_strQF = "右幅";
    row.m_iNum = 4;
    row.m_iCount = 2;
    row.m_strType = "5";
    row.m_strH = "300, 350;";
    row.m_dWid = 610.0;
    row.m_dLen = 470.0;
    row.m_dAngle = 70.0;
    row.m_strPos = "大桩号侧";
    row.m_custom_note_items = {{"k", "v"}};
    row.m_Steel_P0.set_default_value();
    parametric.m_csh_data[2].m_iNum = 9;

    CString tag = "csh";
    EXPECT_EQ(method.dismantle_param_graph(graphs, tag), std::make_pair(true, CString()));
    const std::vector<std::unique_ptr<drawing_graph_data_base>> owned(graphs.begin(), graphs.end());
    ASSERT_EQ(graphs.size(), 3u);

    std::vector<int> numbers;
    for (drawing_graph_data_base* graph : graphs) {
        auto* single = dynamic_cast<DS_ui_data*>(graph);
        ASSERT_NE(single, nullptr);
        EXPECT_EQ(single->get_node_name(), CString("[钢筋] 垫石"));
        EXPECT_TRUE(single->get_delete_flag());
        EXPECT_EQ(single->ref_Type, CString("自定义"));
        EXPECT_TRUE(single->m_draw_data.m_Steel_P0.m_bars.empty());
        EXPECT_TRUE(single->m_draw_data.m_drawSet.com_drawset.m_custom_note_items.empty());
        EXPECT_EQ(single->m_draw_data.m_drawSet.com_drawset.m_iScale, 0);
        numbers.push_back(single->m_draw_data.m_drawSet.com_drawset.m_iPierNum);
    }
    EXPECT_EQ(numbers, (std::vector<int>{1, 4, 9}));

    const auto& made = dynamic_cast<const DS_ui_data&>(*graphs[1]).m_draw_data;
    EXPECT_EQ(made.m_gz.m_dWidth, 610.0);
    EXPECT_EQ(made.m_gz.m_dLenth, 470.0);
    EXPECT_EQ(made.m_gz.strHei, CString("300, 350;"));
    EXPECT_EQ(made.m_gz.m_dSlope, 70.0);
    EXPECT_EQ(made.m_gz.m_iCount, 2);
    EXPECT_EQ(made.m_gz.strPos, CString("大桩号侧"));
    EXPECT_EQ(made.m_drawSet.m_DS_number, CString("5"));
    EXPECT_EQ(made.m_drawSet.com_drawset.m_strCompType, CString("桥台"));
    EXPECT_EQ(made.m_drawSet.com_drawset.m_strQF, CString("右幅"));
}

}  // namespace
