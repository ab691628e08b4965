// Bar groups for drawing components: grouping by part, and the interning store
// that owns the group objects.
#include <gtest/gtest.h>

#include <memory>

#include "host/rebar/steel_data_transform.h"
#include "support/rebar_test_support.h"

namespace {

using RXDSGNMOD::CRXComponentSteelP0;

steel_bar_row bar(const char* mark, const char* part)
{
    return steel_bar_row{mark, 12.0, "HRB400", 2, 0.0, "直线", part};
}

TEST(SteelDataTransform, WholeRebarFirstThenOneGroupPerPartInOrderOfFirstAppearance)
{
    steel_data rebar;
    rebar.m_bars = {bar("N1", "乙"), bar("N2", "甲"), bar("N3", "乙"), bar("N4", "")};
    std::vector<CRXComponentSteelP0*> groups{nullptr, nullptr};  // stale content is cleared
    steel_data_transform::get_steel_data_group(rebar, groups);

    ASSERT_EQ(groups.size(), 4u);
    EXPECT_EQ(groups[0]->GetGroupName(), CString(steel_data_transform::whole_rebar_group));
    EXPECT_EQ(groups[0]->GetBars(), rebar.m_bars) << "the first group is every bar, in order";
    EXPECT_EQ(groups[1]->GetGroupName(), CString("乙"));
    EXPECT_EQ(groups[1]->GetBars(), (std::vector<steel_bar_row>{bar("N1", "乙"), bar("N3", "乙")}));
    EXPECT_EQ(groups[2]->GetGroupName(), CString("甲"));
    EXPECT_EQ(groups[3]->GetBars(), std::vector<steel_bar_row>{bar("N4", "")});

    steel_data_transform::get_steel_data_group(steel_data(), groups);
    EXPECT_TRUE(groups.empty());
}

TEST(SteelDataTransform, GroupsOutliveTheRebarAndRepeatedCallsDoNotGrowTheStore)
{
    std::vector<CRXComponentSteelP0*> first;
    {
        auto rebar = std::make_unique<steel_data>();
        rebar->set_default_value();
        steel_data_transform::get_steel_data_group(*rebar, first);
    }
    ASSERT_FALSE(first.empty());
    const std::size_t stored = steel_data_transform::interned_group_count();

    steel_data again;
    again.set_default_value();
    for (int call = 0; call < 3; ++call) {
        std::vector<CRXComponentSteelP0*> groups;
        steel_data_transform::get_steel_data_group(again, groups);
        EXPECT_EQ(groups, first);
    }
    EXPECT_EQ(steel_data_transform::interned_group_count(), stored);
    // The rebar the first groups came from is gone; the groups are still whole.
    EXPECT_EQ(first[0]->GetBars().front().m_mark, again.m_bars.front().m_mark);

    // Different content is a different group, and the old one is unchanged.
    again.m_bars[0].m_diameter = 14.0;
    std::vector<CRXComponentSteelP0*> changed;
    steel_data_transform::get_steel_data_group(again, changed);
    EXPECT_NE(changed[0], first[0]);
    EXPECT_EQ(first[0]->GetBars().front().m_diameter, 12.0);
    EXPECT_EQ(steel_data_transform::interned_group_count(), stored + 2) << "the whole rebar and N1's part changed";
}

}  // namespace
