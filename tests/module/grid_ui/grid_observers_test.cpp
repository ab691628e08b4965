// What the three pedestal grid observers share: their templates after the
// caller's, nothing done without tables or without a drawing of their kind,
// and the note button of the drawing settings.
#include <gtest/gtest.h>

#include <optional>

#include "support/grid_observer_fixture.h"
#include "grid_ui/ds_ui_advance_grid_ui_data.h"
#include "grid_ui/ds_ui_common_grid_ui_data.h"
#include "grid_ui/ds_ui_csh_advance_grid_ui_data.h"
#include "host/grid/grid_table_text.h"
#include "host/substructure/common_gj_drawset_grid_ui_data.h"
#include "support/differences.h"
#include "support/pedestal_drawings.h"

namespace VQDraw_DS_UINA {
namespace {

using ds_test::differences;
using ds_test::no_differences;

const CString common_settings = common_gj_drawset_grid_ui_data::get_table_name(false);
const table_template_list callers = {{"别的", {"别的表"}}};

TEST(GridObservers, TemplatesFollowTheCallersOwnExceptTheCommonObserversWhichStandAlone)
{
    const DS_ui_common_grid_ui_data common;
    const DS_ui_advance_grid_ui_data advance;
    const DS_ui_CSH_advance_grid_ui_data csh;
    const std::pair<const graph_grid_ui_observer_base*, table_template_list> cases[] = {
        {&common, {{"总体属性", {"垫石-总体属性"}}}},
        {&advance,
         {callers[0], {"构造属性", {common_settings, "垫石-构造属性"}}, {"绘图设置", {"垫石-绘图设置"}}, {"钢筋表", {"垫石_钢筋表"}}}},
        {&csh,
         {callers[0], {"列表参数", {"垫石-参数化列表"}}, {"参数化设置", {"垫石-参数化列表名称"}}, {"绘图设置", {"DS_CSH_Drawset"}},
          {"钢筋表", {"垫石_钢筋表"}}}},
    };
    for (const auto& [observer, expected] : cases) {
        table_template_list templates = callers;
        observer->get_table_template_names(templates);
        EXPECT_EQ(templates, expected) << observer->GetRuntimeClass()->m_lpszClassName;
    }
}

// Pointed at a drawing of the other kind an observer neither fills nor reads
// nor unmarks its tables; with tables missing or empty it leaves its own
// drawing alone and adds no table to the map.
TEST(GridObservers, NothingIsDoneWithoutTablesOrADrawingOfTheirKind)
{
    ds_test::pedestal_drawings drawings;
    DS_ui_data& single = drawings.single(data_center::make_unique_tag("observed_single"));
    DS_ui_CSH_data& parametric = drawings.parametric(data_center::make_unique_tag("observed_csh"));
    parametric.set_default_value();
    const DS_ui_data single_before(single);
    const DS_ui_CSH_data parametric_before(parametric);

    DS_ui_common_grid_ui_data common;
    DS_ui_advance_grid_ui_data advance;
    DS_ui_CSH_advance_grid_ui_data csh;
    const std::pair<graph_grid_ui_observer_base*, bool> cases[] = {{&common, true}, {&advance, true}, {&csh, false}};
    for (const auto& [observer, shows_single] : cases) {
        SCOPED_TRACE(observer->GetRuntimeClass()->m_lpszClassName);
        const CString own = shows_single ? single.get_node_tag() : parametric.get_node_tag();
        const CString other = shows_single ? parametric.get_node_tag() : single.get_node_tag();
        table_template_list templates;
        observer->get_table_template_names(templates);
        ds_test::grid_tables tables;
        table_map nulls, empty;
        for (const auto& [group, names] : templates)
            for (const CString& name : names) {
                tables.add(name);
                nulls[name] = nullptr;
            }

        observer->set_data_node_tag(own);
        observer->load_data_to_ui(tables.map());
        tables.mark_all_user_modified();
        std::map<CString, CString> shown;
        for (const auto& [name, table] : tables.map()) shown[name] = grid_table_text::render(*table);
        observer->set_data_node_tag(other);
        observer->load_data_to_ui(tables.map());
        observer->save_data_from_ui(tables.map());
        for (const auto& [name, table] : tables.map()) EXPECT_EQ(grid_table_text::render(*table), shown[name]);  // marks too

        observer->set_data_node_tag(own);
        for (table_map* map : {&nulls, &empty}) {
            const std::size_t size = map->size();
            observer->load_data_to_ui(*map);
            observer->save_data_from_ui(*map);
            EXPECT_EQ(map->size(), size);
        }
        EXPECT_EQ(differences(single, single_before), no_differences);
        EXPECT_EQ(differences(parametric, parametric_before), no_differences);
        EXPECT_EQ(parametric.m_csh_data.size(), parametric_before.m_csh_data.size());
    }
}

// The note button writes the standard note, with the cover in the table or
// 40 mm, into an empty note only; other buttons do nothing.
TEST(GridObservers, NoteButtonFillsOnlyAnEmptyNote)
{
    DS_ui_advance_grid_ui_data advance;
    DS_ui_CSH_advance_grid_ui_data csh;
    const std::tuple<graph_grid_ui_observer_base*, const char*, std::optional<double>> cases[] = {
        {&advance, "垫石-绘图设置", std::nullopt}, {&csh, "DS_CSH_Drawset", 35.0}};
    for (const auto& [observer, name, cover] : cases) {
        SCOPED_TRACE(name);
        ds_test::grid_tables tables;
        CVQDataBase& table = tables.add(name);
        if (cover) table.Set_Prop("m_dCover", CVQVariant(*cover));
        observer->cell_button_be_clicked(nullptr, nullptr);
        NM_VQGRID scale = ds_test::row_of(table, "m_iScale"), note = ds_test::row_of(table, "m_strCustomNote");
        observer->cell_button_be_clicked(&table, &scale);
        EXPECT_FALSE(table.IsUserModifyData());
        observer->cell_button_be_clicked(&table, &note);
        EXPECT_EQ(table.get_prop_cell("m_strCustomNote")->text(), common_gj_drawset_grid_ui_data::standard_note(cover.value_or(40)));
        EXPECT_TRUE(table.IsUserModifyData());

        table.Set_Prop("m_strCustomNote", CVQVariant(CString("自己的附注")));
        observer->cell_button_be_clicked(&table, &note);
        EXPECT_EQ(table.get_prop_cell("m_strCustomNote")->text(), CString("自己的附注"));
    }
    EXPECT_GE(common_gj_drawset_grid_ui_data::standard_note(35).Find("35mm"), 0);
}

}  // namespace
}  // namespace VQDraw_DS_UINA
