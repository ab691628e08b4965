// Merging single pedestal drawings into a new parametric drawing and adding
// them to an existing one.
#include <gtest/gtest.h>

#include <memory>

#include "methods/ds_ui_convert_method_base.h"
#include "methods/ds_ui_merge_method_base.h"
#include "support/differences.h"
#include "support/pedestal_drawings.h"

namespace {

using VQDraw_DS_UINA::DS_CSH_LB_Data;
using VQDraw_DS_UINA::DS_ui_CSH_data;
using VQDraw_DS_UINA::DS_ui_data;

/// A drawing with a recognisable pedestal: size, height, position, notes, look.
DS_ui_data& pedestal_drawing(ds_test::pedestal_drawings& drawings, const CString& tag)
{
    DS_ui_data& single = drawings.single(tag, "3", 600.0, 450.0, 75.0);
    single.m_draw_data.m_gz.strHei = "250,260";
    single.m_draw_data.m_gz.strPos = "小桩号侧";
    single.m_draw_data.m_gz.m_iCount = 99;  // the row counts come from the merge records instead
    common_gj_data_drawset& settings = single.m_draw_data.m_drawSet.com_drawset;
    settings.m_custom_note_items = {{"混凝土", "垫石采用C50混凝土。"}};
    settings.m_iScale = 20;
    settings.m_strConcreteType = "C50";
    settings.m_strCustomNote = "注意";
    return single;
}

TEST(MergeMethod, OneRowPerPierCountingRowsTimesNumbers)
{
    ds_test::pedestal_drawings drawings;
    DS_ui_data& single = pedestal_drawing(drawings, "single-1");
    single.m_draw_data.m_drawSet.com_drawset.m_merge_infos = {{"桥墩", "主线", "1~3", "1,2", "1,2,3"},
                                                              {"桥台", "", "", "1", "1"}};

    VQDraw_DS_UINA::DS_ui_merge_method_base method;
    parameters_graph_data_base* merged = nullptr;
    const auto result = method.merge_drawing_graph(merged, {"no-such-drawing", "single-1"});
    std::unique_ptr<parameters_graph_data_base> owned(merged);
    EXPECT_EQ(result, std::make_pair(true, CString("[参数化] 垫石")));
    auto* drawing = dynamic_cast<DS_ui_CSH_data*>(merged);
    ASSERT_NE(drawing, nullptr);
    EXPECT_EQ(drawing->get_node_name(), CString("[参数化] 垫石"));
    EXPECT_TRUE(drawing->m_is_merge);

    ASSERT_EQ(drawing->m_csh_data.size(), 4u);
    DS_CSH_LB_Data expected;
    expected.m_iCount = 6;
    expected.m_Type = "桥墩";
    expected.m_strQF = "主线";
    expected.m_strType = "3";
    expected.m_strH = "250,260";
    expected.m_dWid = 600.0;
    expected.m_dLen = 450.0;
    expected.m_dAngle = 75.0;
    expected.m_strPos = "小桩号侧";
    expected.m_Steel_P0 = single.m_draw_data.m_Steel_P0;
    ASSERT_FALSE(expected.m_Steel_P0.m_bars.empty());
    for (int i = 0; i < 3; ++i) {
        const DS_CSH_LB_Data& row = drawing->m_csh_data[static_cast<std::size_t>(i)];
        expected.m_iNum = i + 1;
        EXPECT_EQ(ds_test::differences(row, expected), ds_test::no_differences) << i;
        EXPECT_EQ(row.m_custom_note_items, single.m_draw_data.m_drawSet.com_drawset.m_custom_note_items);
    }
    // No bridge part and no numbers: one row numbered 0 with one pedestal.
    EXPECT_EQ(drawing->m_csh_data[3].m_iNum, 0);
    EXPECT_EQ(drawing->m_csh_data[3].m_iCount, 1);
    EXPECT_EQ(drawing->m_csh_data[3].m_Type, CString("桥台"));

    // The look of the drawing comes from the source; the rest is the constructor's.
    const common_gj_data_drawset& settings = drawing->m_gz_data.m_drawSet.com_drawset;
    EXPECT_EQ(settings.m_iScale, 20);
    EXPECT_EQ(settings.m_strConcreteType, CString("C50"));
    EXPECT_EQ(settings.m_strCustomNote, CString("注意"));
    EXPECT_TRUE(settings.m_custom_note_items.empty());
    EXPECT_EQ(drawing->m_gz_data.m_gz.m_dWidth, 0.0);
}

TEST(MergeMethod, TwoSourcesGiveTheirRowsInOrderAndTheLastOnesLook)
{
    ds_test::pedestal_drawings drawings;
    DS_ui_data& first = pedestal_drawing(drawings, "first");
    first.m_draw_data.m_drawSet.com_drawset.m_merge_infos = {{"桥墩", "主线", "2", "1", "1"}};
    DS_ui_data& last = drawings.single("last", "4");
    common_gj_data_drawset& look = last.m_draw_data.m_drawSet.com_drawset;
    look.m_merge_infos = {{"桥台", "匝道", "0,5", "1", "1"}};
    look.m_iScale = 40;
    look.m_strConcreteType = "C30";
    look.m_strCustomNote = "后者";

    parameters_graph_data_base* merged = nullptr;
    ASSERT_TRUE(VQDraw_DS_UINA::DS_ui_merge_method_base().merge_drawing_graph(merged, {"first", "last"}).first);
    const std::unique_ptr<parameters_graph_data_base> owned(merged);
    const auto& drawing = dynamic_cast<const DS_ui_CSH_data&>(*merged);
    std::vector<std::pair<CString, int>> rows;
    for (const DS_CSH_LB_Data& row : drawing.m_csh_data) rows.emplace_back(row.m_strType, row.m_iNum);
    EXPECT_EQ(rows, (std::vector<std::pair<CString, int>>{{"3", 2}, {"4", 0}, {"4", 5}}));
    const common_gj_data_drawset& settings = drawing.m_gz_data.m_drawSet.com_drawset;
    EXPECT_EQ(settings.m_iScale, 40);
    EXPECT_EQ(settings.m_strConcreteType, CString("C30"));
    EXPECT_EQ(settings.m_strCustomNote, CString("后者"));
}

TEST(MergeMethod, NothingToMerge)
{
    ds_test::pedestal_drawings drawings;
    DS_ui_data& single = drawings.single("single-1", "1");
    single.m_draw_data.m_drawSet.com_drawset.m_merge_infos = {{"桥墩", "主线", "", "1", "1"}};
    drawings.single("single-2", "1");
    drawings.parametric("csh-1");

    VQDraw_DS_UINA::DS_ui_merge_method_base method;
    DS_ui_CSH_data untouched;
    parameters_graph_data_base* merged = &untouched;
    EXPECT_EQ(method.merge_drawing_graph(merged, {}), std::make_pair(false, CString()));
    EXPECT_EQ(merged, &untouched);

    // A record with a bridge part but no pier numbers gives no row.
    EXPECT_EQ(method.merge_drawing_graph(merged, {"single-1", "single-2", "csh-1", "unknown"}),
              std::make_pair(false, CString("图纸集合为空")));
    EXPECT_EQ(merged, nullptr);
}

TEST(ConvertMethod, AppendsToTheNamedParametricDrawing)
{
    ds_test::pedestal_drawings drawings;
    DS_ui_data& single = pedestal_drawing(drawings, "single-1");
    single.m_draw_data.m_drawSet.com_drawset.m_merge_infos = {{"桥墩", "左幅", "4、6", "1", "1,2"}};
    DS_ui_data& plain = drawings.single("single-2", "1");
    DS_ui_CSH_data& target = drawings.parametric("csh-1");
    target.set_default_value();

    VQDraw_DS_UINA::DS_ui_convert_method_base method;
    EXPECT_EQ(method.convert_drawing_graph("csh-1", {}), std::make_pair(false, CString("需要合并的图纸为空！")));
    EXPECT_EQ(method.convert_drawing_graph("single-2", {"single-1"}),
              std::make_pair(false, CString("指定的参数化图纸未实例化！")));
    EXPECT_TRUE(plain.m_draw_data.m_drawSet.com_drawset.m_merge_infos.empty());
    EXPECT_EQ(target.m_csh_data.size(), 1u);

    // No merge records: nothing added, still a success, not marked as merged.
    EXPECT_EQ(method.convert_drawing_graph("csh-1", {"single-2"}), std::make_pair(true, CString()));
    EXPECT_EQ(target.m_csh_data.size(), 1u);
    EXPECT_FALSE(target.m_is_merge);

    EXPECT_EQ(method.convert_drawing_graph("csh-1", {"single-1", "csh-1"}), std::make_pair(true, CString()));
    ASSERT_EQ(target.m_csh_data.size(), 3u);
    EXPECT_EQ(target.m_csh_data[0].m_Type, CString("桥墩"));  // the default row stays first
    EXPECT_EQ(target.m_csh_data[1].m_iNum, 4);
    EXPECT_EQ(target.m_csh_data[2].m_iNum, 6);  // the rows themselves are built as a merge builds them
    EXPECT_TRUE(target.m_is_merge);
    EXPECT_EQ(target.m_gz_data.m_drawSet.com_drawset.m_iScale, 20);
    EXPECT_EQ(target.m_gz_data.m_gz.m_dWidth, 560.0);  // the shared size is not the source's
}

}  // namespace
