// Both drawing strategies given no drawing, or a drawing of the other kind:
// nothing to draw, an emptied export table, and imports that change nothing.
#include <gtest/gtest.h>

#include "data/ds_ui_csh_data.h"
#include "data/ds_ui_data.h"
#include "drawing/ds_ui_csh_drawing_strategy.h"
#include "drawing/ds_ui_drawing_strategy.h"
#include "support/differences.h"

namespace VQDraw_DS_UINA {
namespace {

using ds_test::differences;
using ds_test::no_differences;

TEST(DrawingStrategies, WithoutTheirOwnKindOfDrawingNothingIsDrawnOrExchanged)
{
    DS_ui_data single;
    single.set_default_value();
    DS_ui_CSH_data parametric;
    parametric.set_default_value();
    const DS_ui_data single_before(single);
    const DS_ui_CSH_data parametric_before(parametric);

    // Each strategy's export of its own drawing, to import into the other kind.
    DS_ui_drawing_strategy single_strategy;
    DS_ui_CSH_drawing_strategy csh_strategy;
    excel_table single_table, csh_table;
    single_strategy.set_graph_data(&single);
    single_strategy.set_excel_exchange_p0(single_table);
    csh_strategy.set_graph_data(&parametric);
    csh_strategy.set_excel_exchange_p0(csh_table);
    ASSERT_FALSE(single_table.empty() || csh_table.empty());

    const std::pair<graph_drawing_strategy_base*, graph_data_base*> cases[] = {
        {&single_strategy, nullptr}, {&single_strategy, &parametric}, {&csh_strategy, nullptr}, {&csh_strategy, &single}};
    for (const auto& [strategy, graph] : cases) {
        SCOPED_TRACE(strategy->GetRuntimeClass()->m_lpszClassName);
        strategy->set_graph_data(graph);
        EXPECT_EQ(strategy->GetComponent(), nullptr);
        EXPECT_FALSE(strategy->draw());
        excel_table table = {{"stale"}};
        strategy->set_excel_exchange_p0(table);
        EXPECT_TRUE(table.empty());
        strategy->get_excel_exchange_p0(single_table);
        strategy->get_excel_exchange_p0(csh_table);
    }
    // An empty table is nothing to import into a drawing of the right kind either.
    single_strategy.set_graph_data(&single);
    single_strategy.get_excel_exchange_p0({});
    csh_strategy.set_graph_data(&parametric);
    csh_strategy.get_excel_exchange_p0({});

    EXPECT_EQ(differences(single, single_before), no_differences);
    EXPECT_EQ(differences(parametric, parametric_before), no_differences);
    EXPECT_EQ(parametric.m_csh_data.size(), parametric_before.m_csh_data.size());
}

}  // namespace
}  // namespace VQDraw_DS_UINA
