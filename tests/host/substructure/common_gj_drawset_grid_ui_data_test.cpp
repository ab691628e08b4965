// The grid helpers of the shared drawing settings: the rows they add to the
// host's templates, moving settings through a table, and the type choices.
#include <gtest/gtest.h>

#include <memory>

#include "host/grid/table_templates.h"
#include "host/substructure/common_gj_data_drawset.h"
#include "host/substructure/common_gj_drawset_grid_ui_data.h"
#include "support/differences.h"
#include "support/module_fixture.h"

namespace {

using helper = common_gj_drawset_grid_ui_data;
using table_ptr = std::unique_ptr<CVQDataBase>;

const std::vector<CString> drawing_rows = {"m_iScale", "m_strConcreteType", "m_dCover", "m_strCustomNote"};

common_gj_data_drawset sample_settings()
{
    common_gj_data_drawset s;
    s.set_default_value();
    s.m_strCompType = "桥台";
    s.m_strQF = "右幅";
    s.m_iPierNum = 12;
    s.m_iScale = 25;
    s.m_strConcreteType = "C45";
    s.m_strCustomNote = "附注";
    s.m_dCover = 50;
    s.m_custom_note_items = {{"k", "v"}};
    return s;
}

}  // namespace

TEST(CommonDrawsetGrid, TemplatesCarryTheCommonRowsAlsoAfterAReset)
{
    auto keys_of = [](const CString& name) { return table_ptr(table_templates::create_data_base(name))->get_keys(); };
    auto with_drawing_rows = [](std::vector<CString> keys) {
        keys.insert(keys.end(), drawing_rows.begin(), drawing_rows.end());
        return keys;
    };
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(keys_of(helper::get_table_name(false)), with_drawing_rows({"m_strCompType", "m_strQF", "m_iPierNum"}));
        EXPECT_EQ(keys_of(helper::get_table_name(true)), drawing_rows);
        EXPECT_EQ(keys_of("垫石-绘图设置"), with_drawing_rows({"m_DS_number"}));
        EXPECT_EQ(keys_of("DS_CSH_Drawset"), with_drawing_rows({"m_merge_name"}));
        helper::register_table_templates();  // a second registration adds nothing
        table_templates::reset_samples();
    }
    EXPECT_EQ(helper::get_table_name(false), CString("通用绘图设置"));
    // A reset drops the samples modules registered: load the module's back for the tests after this one.
    ds_test::detach_module();
    ASSERT_TRUE(ds_test::attach_module());
}

TEST(CommonDrawsetGrid, SettingsGoThroughATableAndMissingRowsAreSkipped)
{
    const common_gj_data_drawset source = sample_settings();
    table_ptr common(table_templates::create_data_base(helper::get_table_name(false)));
    helper::load_data(common.get(), source);
    common_gj_data_drawset back;
    back.set_default_value();
    helper::save_data(common.get(), back);
    back.m_custom_note_items = source.m_custom_note_items;  // no row: the grid leaves them alone
    EXPECT_EQ(ds_test::differences(back, source), ds_test::no_differences);

    // A settings table without identity rows changes only its own rows; a cell
    // that is not a number keeps the setting.
    table_ptr settings(table_templates::create_data_base("垫石-绘图设置"));
    helper::load_data(settings.get(), source);
    EXPECT_FALSE(settings->has_key("m_strQF"));
    settings->user_set_prop("m_strConcreteType", CVQVariant(CString("C30")));
    settings->user_set_prop("m_iScale", CVQVariant(CString("五十")));
    common_gj_data_drawset target = sample_settings();
    target.m_strQF = "左幅";
    helper::save_data(settings.get(), target);
    EXPECT_EQ(target.m_strConcreteType, CString("C30"));
    EXPECT_EQ(target.m_iScale, 25);
    EXPECT_EQ(target.m_strQF, CString("左幅"));

    helper::load_data(nullptr, source);
    helper::save_data(nullptr, target);
    helper::set_type_envariable(nullptr, {"桥墩"});
}

TEST(CommonDrawsetGrid, TypeChoicesFollowTheStructureClassAndAreReplaced)
{
    helper::reset_call_counts();
    EXPECT_EQ(helper::get_envariable_types("QD_pier_graph_data"), std::vector<CString>{"桥墩"});
    EXPECT_EQ(helper::get_envariable_types("QT_abutment_graph_data"), std::vector<CString>{"桥台"});
    EXPECT_EQ(helper::get_envariable_types_call_count(), 2);

    table_ptr common(table_templates::create_data_base(helper::get_table_name(false)));
    helper::set_type_envariable(common.get(), {"桥墩", "桥台"});
    helper::set_type_envariable(common.get(), {"桥台"});
    const auto* published = common->get_env_variable(common->get_choice_list("m_strCompType"));
    ASSERT_NE(published, nullptr);
    EXPECT_EQ(*published, std::vector<CString>{"桥台"});
}
