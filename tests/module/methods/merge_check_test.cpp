// The checks run before a merge or a conversion: drawings that share a
// pedestal number must share size, angle and rebar.
#include <gtest/gtest.h>

#include <random>

#include "host/math/vq_math.h"
#include "methods/ds_merge_check.h"
#include "methods/ds_ui_convert_method_base.h"
#include "methods/ds_ui_merge_method_base.h"
#include "support/pedestal_drawings.h"

namespace {

using messages_t = std::vector<CString>;

bool can_merge(const std::vector<CString>& graphs, messages_t& messages)
{
    return VQDraw_DS_UINA::DS_ui_merge_method_base().is_all_single_graph_can_merge(graphs, messages);
}

TEST(MergeCheck, SameNumberNeedsSameGeometry)
{
    ds_test::pedestal_drawings drawings;
    drawings.single("a", "1", 560.0, 560.0);
    drawings.single("b", "1", 560.0, 600.0);
    drawings.single("c", "2", 800.0, 900.0, 45.0);

    messages_t messages = {"stale"};
    EXPECT_FALSE(can_merge({"a", "b", "c"}, messages));
    EXPECT_EQ(messages, (messages_t{"1垫石", "顺桥向长度560 600"}));

    // Sizes within the tolerance are the same size.
    drawings.single("near", "1", 560.0 + 0.5 * VQMATH::kTolerance, 600.0 - 0.5 * VQMATH::kTolerance, 90.0);
    EXPECT_TRUE(can_merge({"b", "near"}, messages));
    EXPECT_TRUE(messages.empty());

    // Different numbers are never compared, whatever their sizes.
    EXPECT_TRUE(can_merge({"a", "c"}, messages));
    EXPECT_TRUE(messages.empty());

    // Every differing value of every other member, in member order, under one heading.
    drawings.single("d", "1", 560.5, 560.0, 60.25);
    drawings.single("e", "1", 560.0, 560.0, 90.0);
    EXPECT_FALSE(can_merge({"a", "e", "d", "b"}, messages));
    EXPECT_EQ(messages, (messages_t{"1垫石", "横桥向宽度560 560.5", "角度90 60.25", "顺桥向长度560 600"}));
}

TEST(MergeCheck, RebarDifferenceGivesOneLinePerNumber)
{
    ds_test::pedestal_drawings drawings;
    drawings.single("a", "2");
    drawings.single("b", "2");
    VQDraw_DS_UINA::DS_ui_data& third = drawings.single("c", "2");
    ASSERT_FALSE(third.m_draw_data.m_Steel_P0.m_bars.empty());
    third.m_draw_data.m_Steel_P0.m_bars[0].m_diameter += 2.0;
    third.m_draw_data.m_Steel_P0.m_bars.pop_back();

    messages_t messages;
    EXPECT_FALSE(can_merge({"a", "b", "c"}, messages));
    EXPECT_EQ(messages, (messages_t{"2垫石中存在不同的钢筋数据，请检查!"}));

    // Geometry lines of every group come before the rebar lines.
    drawings.single("d", "7", 500.0);
    drawings.single("e", "7", 510.0);
    EXPECT_FALSE(can_merge({"c", "d", "a", "e"}, messages));
    EXPECT_EQ(messages, (messages_t{"7垫石", "横桥向宽度500 510", "2垫石中存在不同的钢筋数据，请检查!"}));
}

// Identifiers that name no single drawing: the first decides whether there is
// anything to check; later ones are skipped, neither failing the check nor
// breaking up a group. A conversion leads with its target's rebar tag.
TEST(MergeCheck, IdentifiersThatNameNoSingleDrawingAndTheConversionsLead)
{
    ds_test::pedestal_drawings drawings;
    drawings.single("a", "1", 560.0);
    drawings.single("b", "1", 700.0);
    VQDraw_DS_UINA::DS_ui_CSH_data& target = drawings.parametric("csh");

    messages_t messages = {"stale"};
    EXPECT_TRUE(can_merge({}, messages));
    EXPECT_TRUE(messages.empty());
    messages = {"stale"};
    EXPECT_TRUE(can_merge({"csh", "a", "b"}, messages));
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(can_merge({"missing", "a", "b"}, messages));
    EXPECT_FALSE(can_merge({"a", "missing", "csh", "b"}, messages));
    EXPECT_EQ(messages, (messages_t{"1垫石", "横桥向宽度560 700"}));

    const VQDraw_DS_UINA::DS_ui_convert_method_base method;
    messages = {"stale"};
    EXPECT_TRUE(method.is_all_single_graph_can_convert("csh", {}, messages));
    EXPECT_TRUE(method.is_all_single_graph_can_convert("a", {"a", "b"}, messages));
    EXPECT_EQ(messages, (messages_t{"stale"}));
    // The rebar set carries no tag, so the leading entry finds no single drawing.
    EXPECT_TRUE(method.is_all_single_graph_can_convert("csh", {"a", "b"}, messages));
    EXPECT_TRUE(messages.empty());
    // When the rebar set's tag does name a single drawing, that drawing leads the check.
    target.m_gz_data.m_Steel_P0.set_node_tag("a");
    EXPECT_FALSE(method.is_all_single_graph_can_convert("csh", {"b"}, messages));
    EXPECT_EQ(messages, (messages_t{"1垫石", "横桥向宽度560 700"}));
}

// The numbers come from a small alphabet with case variants and the empty
// text, so that long lists repeat numbers in every pattern.
TEST(MergeCheck, LinearCountingMatchesThePairwiseCount)
{
    const CString alphabet[] = {"1", "2", "10", "a", "A", "", "1 "};
    std::mt19937 random(7);
    for (int round = 0; round < 500; ++round) {
        std::vector<CString> numbers(random() % 40);
        for (CString& n : numbers) n = alphabet[random() % std::size(alphabet)];
        const std::vector<int> counts = VQDraw_DS_UINA::merge_check_detail::count_pedestal_numbers_pairwise(numbers);
        ASSERT_EQ(VQDraw_DS_UINA::ds_count_pedestal_numbers(numbers), counts) << "round " << round;
        ASSERT_EQ(VQDraw_DS_UINA::ds_group_repeated_pedestal_numbers(numbers),
                  VQDraw_DS_UINA::merge_check_detail::collect_groups_by_scanning(numbers, counts))
            << "round " << round;
    }
    EXPECT_EQ(VQDraw_DS_UINA::ds_count_pedestal_numbers({"1", "2", "1", "1", "2", "3"}),
              (std::vector<int>{3, 2, 0, 0, 0, 1}));
}

}  // namespace
