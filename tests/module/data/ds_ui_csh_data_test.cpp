// The parametric pedestal drawing: rows from referenced piers and abutments,
// and grouping of candidates by size.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <random>

#include "data/ds_csh_size_groups.h"
#include "data/ds_ui_csh_data.h"
#include "host/substructure/sample_bridge.h"
#include "host/substructure/substructure_graph_data.h"

namespace {

using VQDraw_DS_UINA::DS_CSH_LB_Data;
using VQDraw_DS_UINA::DS_ui_CSH_data;
using node_list = std::vector<data_node_base*>;
using structure_ptr = std::unique_ptr<substructure_graph_data>;

ds_gz_data pedestal(double width, double length, double height, double angle = 90.0, double position = -600.0)
{
    return {position, angle, width, length, height};
}

structure_ptr pier(int number, std::vector<ds_gz_data> pedestals, const CString& concrete = "C40")
{
    return make_substructure_drawing(substructure_pier, "柱式墩", "主线", number, concrete, 50, std::move(pedestals));
}

structure_ptr abutment(int number, std::vector<ds_gz_data> pedestals, const CString& concrete = "C30")
{
    return make_substructure_drawing(substructure_abutment, "肋板台", "右幅", number, concrete, 50,
                                     std::move(pedestals));
}

TEST(ParametricDrawing, ReferenceRowsOnePerStructureWithPedestals)
{
    DS_ui_CSH_data drawing;
    drawing.set_default_value();
    drawing.set_reference_datas({});
    EXPECT_EQ(drawing.m_csh_data.size(), 1u);

    // Nothing with pedestals: the rows go, the shared size falls back to an empty pedestal.
    const structure_ptr bare = pier(1, {});
    steel_data not_a_structure;
    drawing.set_reference_datas({bare.get(), &not_a_structure});
    EXPECT_TRUE(drawing.m_csh_data.empty());
    EXPECT_EQ(drawing.m_gz_data.m_drawSet.m_strMergeNum, CString("墩台"));
    EXPECT_EQ(drawing.m_gz_data.m_gz.strHei, CString("0.000000"));
    EXPECT_EQ(drawing.m_gz_data.m_gz.m_dSlope, 90.0);

    const structure_ptr pier1 = pier(1, {pedestal(560, 460, 300, 80), pedestal(560, 460, 300), pedestal(560, 460, 300),
                                         pedestal(560, 460, 300)});
    const structure_ptr pier2 = pier(2, {pedestal(600, 500, 300), pedestal(600, 500, 300), pedestal(600, 500, 350)},
                                     "C50");
    xbjg_substructure_info look = pier2->substructure_info();
    look.cover = 55;
    look.custom_note = "墩的附注";
    pier2->set_substructure_info(look);
    const structure_ptr abut0 = abutment(0, {pedestal(700, 400, 250)});
    const structure_ptr abut4 = abutment(4, {pedestal(700, 400, 250)}, "C35");

    drawing.set_reference_datas({bare.get(), pier1.get(), pier2.get()});
    ASSERT_EQ(drawing.m_csh_data.size(), 2u);
    const DS_CSH_LB_Data& first = drawing.m_csh_data[0];
    EXPECT_EQ(first.m_iCount, 4);
    EXPECT_EQ(first.m_strH, CString("300"));
    EXPECT_EQ(first.m_strQF, CString("主线"));
    EXPECT_EQ(first.m_iNum, 1);
    EXPECT_EQ(first.m_dWid, DS_CSH_LB_Data().m_dWid);  // size of a row stays the constructor's
    EXPECT_EQ(drawing.m_csh_data[1].m_strH, CString("300,300,350"));
    EXPECT_EQ(drawing.m_csh_data[1].m_iNum, 2);
    EXPECT_EQ(drawing.m_gz_data.m_gz.m_dWidth, 560.0);
    EXPECT_EQ(drawing.m_gz_data.m_gz.m_dLenth, 460.0);
    EXPECT_EQ(drawing.m_gz_data.m_gz.strHei, CString("300.000000"));
    EXPECT_EQ(drawing.m_gz_data.m_gz.m_dSlope, 80.0);
    EXPECT_EQ(drawing.m_gz_data.m_drawSet.m_strMergeNum, CString("墩"));
    const common_gj_data_drawset& settings = drawing.m_gz_data.m_drawSet.com_drawset;
    EXPECT_EQ(settings.m_strConcreteType, CString("C50"));  // the last pier's whole settings
    EXPECT_EQ(settings.m_iPierNum, 2);
    EXPECT_EQ(settings.m_dCover, 55.0);
    EXPECT_EQ(settings.m_strCustomNote, CString("墩的附注"));
    EXPECT_EQ(settings.m_iScale, 10);  // at the pedestal scale, not the pier's

    drawing.set_reference_datas({abut0.get(), abut4.get()});
    ASSERT_EQ(drawing.m_csh_data.size(), 2u);
    EXPECT_EQ(drawing.m_csh_data[1].m_strQF, CString("右幅"));
    EXPECT_EQ(drawing.m_csh_data[1].m_iNum, 4);
    EXPECT_EQ(drawing.m_gz_data.m_drawSet.m_strMergeNum, CString("台"));
    EXPECT_EQ(settings.m_strConcreteType, CString("C35"));
    EXPECT_EQ(settings.m_iPierNum, 2);  // an abutment gives its concrete only

    drawing.set_reference_datas({pier1.get(), pier2.get(), abut0.get(), pier1.get()});
    EXPECT_EQ(drawing.m_gz_data.m_drawSet.m_strMergeNum, CString("墩台"));
    EXPECT_EQ(drawing.m_csh_data.size(), 4u);
}

TEST(ParametricDrawing, MergeFilterGroupsByFirstPedestalSize)
{
    const DS_ui_CSH_data drawing;
    const structure_ptr a = pier(1, {pedestal(1100, 1700, 200), pedestal(900, 900, 200)});
    const structure_ptr b = abutment(2, {pedestal(1100, 1700, 250)});
    const structure_ptr c = pier(3, {pedestal(1200, 1700, 200)});
    const structure_ptr d = pier(4, {pedestal(1100, 1800, 200)});
    const structure_ptr empty = pier(5, {});
    steel_data other;

    EXPECT_TRUE(drawing.set_merge_filter_datas("", {}).empty());
    EXPECT_TRUE(drawing.set_merge_filter_datas("", {empty.get(), &other}).empty());

    const auto groups = drawing.set_merge_filter_datas("ignored", {a.get(), empty.get(), b.get(), &other, c.get()});
    EXPECT_EQ(groups, (std::vector<node_list>{{a.get(), b.get()}, {c.get()}}));

    // Widths outer, lengths inner, each in order of first appearance.
    const auto mixed = drawing.set_merge_filter_datas("", {c.get(), d.get(), a.get(), b.get()});
    EXPECT_EQ(mixed, (std::vector<node_list>{{c.get()}, {a.get(), b.get()}, {d.get()}}));
}

// Sizes drawn from a few values, some closer together than the tolerance, so
// that a size can equal two distinct values; NaN and infinity equal nothing.
TEST(ParametricDrawing, IndexedSizeGroupingMatchesTheScan)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double values[] = {1100.0, 1100.0 + 6e-7, 1100.0 + 1.2e-6, 1100.0 - 9e-7, 1700.0, 0.0, -0.0,
                             std::nan(""), inf, 1200.0};
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(values) - 1);
    int rounds_with_shared_members = 0;
    for (int round = 0; round < 300; ++round) {
        std::vector<structure_ptr> nodes;
        node_list pointers;
        const std::size_t count = random() % 25;
        for (std::size_t i = 0; i < count; ++i) {
            std::vector<ds_gz_data> pedestals;
            if (random() % 6) pedestals.push_back(pedestal(values[pick(random)], values[pick(random)], 200));
            nodes.push_back(pier(static_cast<int>(i), std::move(pedestals)));
            pointers.push_back(nodes.back().get());
        }
        const auto candidates = VQDraw_DS_UINA::ds_collect_size_candidates(pointers);
        const auto groups = VQDraw_DS_UINA::ds_group_by_first_pedestal_size(candidates);
        ASSERT_EQ(groups, VQDraw_DS_UINA::size_group_detail::group_by_scanning(candidates)) << "round " << round;
        std::size_t members = 0;
        for (const node_list& group : groups) members += group.size();
        if (members > candidates.size()) ++rounds_with_shared_members;
    }
    EXPECT_GT(rounds_with_shared_members, 0);  // the tolerance case really came up
}

}  // namespace
