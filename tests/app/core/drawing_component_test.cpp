// The component the host draws from carries what the drawing keeps beside the
// strategy's record: the single drawing's position for its parameter table and
// the settings' cover, on every door (command line, sheet set, page).
#include <gtest/gtest.h>

#include "app/core/drawing/drawing_output.h"
#include "data/ds_csh_records.h"
#include "host/drawing_lib/sheet_tables.h"
#include "host/pedestal_design/rebar_cover.h"
#include "support/pedestal_drawings.h"

namespace {

using VQDraw_DS_GJNA::CRXComponent_DSGJ;
using VQDraw_DS_GJNA::table_content;

CString position_cell(const CRXComponent_DSGJ& component)
{
    const auto& groups = component.GetDrawData().m_vecParamGroups;
    EXPECT_EQ(groups.size(), 1u);
    const table_content table = VQDraw_DS_GJNA::parameter_table(groups.front(), "", "");
    EXPECT_EQ(table.header.at(3), CString("位置"));
    return table.rows.at(0).at(3);
}

TEST(DrawingComponent, ASingleDrawingShowsItsPositionAndCoverAndAParametricRowKeepsItsOwn)
{
    ds_test::pedestal_drawings drawings;
    auto& single = drawings.single("single");
    single.m_draw_data.m_gz.strPos = "小桩号侧";
    single.m_draw_data.m_drawSet.com_drawset.m_dCover = 50.0;
    ds_app::drawing_component made = ds_app::component_for(single);
    ASSERT_NE(made.pedestal, nullptr);
    EXPECT_EQ(position_cell(*made.pedestal), CString("小桩号侧"));
    EXPECT_EQ(made.cover, 50.0);
    EXPECT_EQ(RXDSGNMOD::GetRebarCover().mm, 50.0);  // handed over on this thread before anything designs

    single.m_draw_data.m_gz.strPos = "";
    single.m_draw_data.m_drawSet.com_drawset.m_dCover = 0.0;
    made = ds_app::component_for(single);
    EXPECT_EQ(position_cell(*made.pedestal), CString("-"));
    EXPECT_FALSE(RXDSGNMOD::GetRebarCover().given);

    // A list row's position is its own: the drawing's construction record does not fill it.
    auto& parametric = drawings.parametric("parametric");
    parametric.m_gz_data.m_gz.strPos = "大桩号侧";
    VQDraw_DS_UINA::DS_CSH_LB_Data row;
    row.m_Type = "桥墩";
    row.m_strQF = "左幅";
    row.m_iNum = 3;
    row.m_iCount = 2;
    row.m_strH = "200";
    row.m_dWid = 560.0;
    row.m_dLen = 560.0;
    row.m_dAngle = 90.0;
    parametric.m_csh_data.push_back(row);
    made = ds_app::component_for(parametric);
    ASSERT_NE(made.pedestal, nullptr);
    EXPECT_EQ(position_cell(*made.pedestal), CString("-"));
}

}  // namespace
