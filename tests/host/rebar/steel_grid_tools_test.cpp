// The rebar table: what create_steel_grid builds, and bar lines through the table and back.
#include <gtest/gtest.h>

#include <memory>

#include "host/rebar/steel_grid_tools.h"
#include "support/rebar_test_support.h"

namespace {

using ds_test::default_rebar;
using table_ptr = std::unique_ptr<CVQDataBase>;

table_ptr pedestal_grid(bool with_default_bars = true, bool with_blank_row = false)
{
    return table_ptr(steel_grid_tools::create_steel_grid("垫石钢筋-表头", "垫石钢筋-设计思想", "垫石钢筋-基本信息",
                                                         "垫石钢筋-布置信息", "", "", with_default_bars,
                                                         with_blank_row));
}

TEST(SteelGridTools, CreatesAListOfTheDefaultBarsWithItsSections)
{
    table_ptr grid = pedestal_grid();
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->get_sections(),
              (std::vector<CString>{"垫石钢筋-表头", "垫石钢筋-设计思想", "垫石钢筋-基本信息", "垫石钢筋-布置信息"}));
    EXPECT_EQ(grid->IsUserModifyData(), 0);

    steel_data read;
    ASSERT_TRUE(steel_grid_tools::get_steel_data_from_grid(grid.get(), read, false, false));
    EXPECT_TRUE(read.same_bars(default_rebar()));

    EXPECT_EQ(pedestal_grid(false)->GetNumberRows(), 0);
    table_ptr with_blank = pedestal_grid(true, true);
    EXPECT_EQ(with_blank->GetNumberRows(), grid->GetNumberRows() + 1);
    // The blank line is for typing into; it does not become a bar.
    ASSERT_TRUE(steel_grid_tools::get_steel_data_from_grid(with_blank.get(), read, false, false));
    EXPECT_TRUE(read.same_bars(default_rebar()));
    ASSERT_TRUE(steel_grid_tools::get_steel_data_from_grid(with_blank.get(), read, false, true));
    EXPECT_EQ(read.m_bars.size(), default_rebar().m_bars.size() + 1);
}

TEST(SteelGridTools, BarLinesRoundTripThroughTheTable)
{
    steel_data rebar;
    rebar.m_bars = {steel_bar_row{"N7", 0.1, "HRB500", 0, 1.0 / 3.0, "U形", "加强筋"},
                    steel_bar_row{"N8", 28.0, "HRB400", 12, 0.0, "", ""}};
    table_ptr grid = pedestal_grid();
    steel_grid_tools::set_steel_data_to_grid(grid.get(), rebar);
    EXPECT_EQ(grid->GetNumberRows(), 2);

    steel_data read = default_rebar();
    ASSERT_TRUE(steel_grid_tools::get_steel_data_from_grid(grid.get(), read, false, false));
    EXPECT_TRUE(read.same_bars(rebar));

    // Appending keeps what was there.
    ASSERT_TRUE(steel_grid_tools::get_steel_data_from_grid(grid.get(), read, true, false));
    EXPECT_EQ(read.m_bars.size(), 4u);

    // An empty set empties the table.
    steel_grid_tools::set_steel_data_to_grid(grid.get(), steel_data());
    EXPECT_EQ(grid->GetNumberRows(), 0);
    ASSERT_TRUE(steel_grid_tools::get_steel_data_from_grid(grid.get(), read, false, false));
    EXPECT_TRUE(read.m_bars.empty());
}

TEST(SteelGridTools, UserTextIsReadAndBadCellsKeepBarDefaults)
{
    table_ptr grid = pedestal_grid(false, true);
    grid->user_set_prop(0, "m_mark", CVQVariant(CString("N5"), false));
    grid->user_set_prop(0, "m_diameter", CVQVariant(CString("20"), false));
    grid->user_set_prop(0, "m_count", CVQVariant(CString("很多"), false));
    steel_data read;
    ASSERT_TRUE(steel_grid_tools::get_steel_data_from_grid(grid.get(), read, false, false));
    ASSERT_EQ(read.m_bars.size(), 1u);
    EXPECT_EQ(read.m_bars[0], (steel_bar_row{"N5", 20.0, "", 0, 0.0, "", ""}));
}

TEST(SteelGridTools, WrongOrMissingTablesChangeNothing)
{
    steel_data rebar = default_rebar();
    EXPECT_FALSE(steel_grid_tools::get_steel_data_from_grid(nullptr, rebar, false, false));
    CVQDataBase other(grid_table_kind::property, "垫石-构造属性");
    other.add_property("m_dWidth", "宽");
    EXPECT_FALSE(steel_grid_tools::get_steel_data_from_grid(&other, rebar, false, false));
    EXPECT_TRUE(rebar.same_bars(default_rebar()));
    steel_grid_tools::set_steel_data_to_grid(nullptr, rebar);  // no crash
}

}  // namespace
