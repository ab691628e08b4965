// The module's class factory and entry point, seen from the host: classes by
// name, their runtime records and bases, load and unload.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "data/ds_ui_csh_data.h"
#include "data/ds_ui_data.h"
#include "frame/ds_rebar_sample.h"
#include "frame/ds_ui_module.h"
#include "host/afx/extension_module.h"
#include "host/framework/parameters_graph_data_base.h"
#include "host/grid/table_templates.h"
#include "host/rebar/steel_grid_tools.h"
#include "host/ui_base/graph_drawing_strategy_base.h"
#include "host/ui_base/graph_grid_ui_observer_base.h"
#include "host/ui_base/method_interfaces.h"
#include "support/module_fixture.h"

using namespace VQDraw_DS_UINA;

namespace {

struct expected_class {
    const char* name;
    CRuntimeClass* base;
};

const expected_class kClasses[] = {
    {"DS_ui_data", RUNTIME_CLASS(xbjg_graph_data_base)},
    {"DS_ui_CSH_data", RUNTIME_CLASS(xbjg_parameters_graph_data_base)},
    {"DS_ui_common_grid_ui_data", RUNTIME_CLASS(drawing_graph_grid_ui_observer_base)},
    {"DS_ui_advance_grid_ui_data", RUNTIME_CLASS(drawing_graph_grid_ui_observer_base)},
    {"DS_ui_CSH_advance_grid_ui_data", RUNTIME_CLASS(parameters_graph_grid_ui_observer_base)},
    {"DS_ui_graphic_ui_data", RUNTIME_CLASS(graph_graphic_ui_observer_base)},
    {"DS_ui_CSH_graphic_ui_data", RUNTIME_CLASS(graph_graphic_ui_observer_base)},
    {"DS_ui_drawing_strategy", RUNTIME_CLASS(graph_drawing_strategy_base)},
    {"DS_ui_CSH_drawing_strategy", RUNTIME_CLASS(graph_drawing_strategy_base)},
    {"DS_ui_merge_method_base", RUNTIME_CLASS(data_mfc_object_can_copy_base)},
    {"DS_ui_convert_method_base", RUNTIME_CLASS(data_mfc_object_can_copy_base)},
    {"DS_ui_CSH_dismantle_method", RUNTIME_CLASS(data_mfc_object_can_copy_base)},
};

// Every second interface is a base of its own beside the first.
bool has_second_interface(const std::string& name, CObject* object)
{
    if (name == "DS_ui_data" || name == "DS_ui_CSH_data") return dynamic_cast<serialize_interface*>(object);
    if (name.find("grid_ui_data") != std::string::npos) return dynamic_cast<data_node_notify_interface*>(object);
    if (name == "DS_ui_CSH_dismantle_method") return dynamic_cast<graph_dismantle_method_interface*>(object);
    if (name.find("method") != std::string::npos) return dynamic_cast<graph_merge_method_interface*>(object);
    return true;
}

}  // namespace

TEST(ModuleFrame, EveryClassIsCreatedByNameWithItsRecordAndBases)
{
    for (const auto& expected : kClasses) {
        SCOPED_TRACE(expected.name);
        CRuntimeClass* cls = CRuntimeClass::FromName(expected.name);
        ASSERT_NE(cls, nullptr);
        EXPECT_STREQ(cls->m_lpszClassName, expected.name);
        EXPECT_EQ(cls->m_wSchema, 1u);
        EXPECT_EQ(cls->m_pfnGetBaseClass(), expected.base);
        std::unique_ptr<CObject> object(cls->CreateObject());
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->GetRuntimeClass(), cls);
        EXPECT_TRUE(object->IsKindOf(expected.base));
        EXPECT_TRUE(has_second_interface(expected.name, object.get()));
    }
}

TEST(ModuleFrame, ClassesAreFoundOnlyWhileTheModuleIsAttached)
{
    ds_test::detach_module();
    for (const auto& expected : kClasses) EXPECT_EQ(CRuntimeClass::FromName(expected.name), nullptr) << expected.name;

    EXPECT_EQ(DllMain(nullptr, DLL_THREAD_ATTACH, nullptr), TRUE);
    EXPECT_EQ(DllMain(nullptr, DLL_THREAD_DETACH, nullptr), TRUE);
    EXPECT_EQ(CRuntimeClass::FromName("DS_ui_data"), nullptr);
    // A refused initialisation refuses the load.
    afx_test_refuse_next_init();
    EXPECT_EQ(DllMain(nullptr, DLL_PROCESS_ATTACH, nullptr), FALSE);
    EXPECT_EQ(CRuntimeClass::FromName("DS_ui_data"), nullptr);

    ASSERT_TRUE(ds_test::attach_module());
    for (const auto& expected : kClasses) EXPECT_NE(CRuntimeClass::FromName(expected.name), nullptr) << expected.name;
    EXPECT_EQ(CRuntimeClass::FromName("VQDraw_DS_UINA::DS_ui_data"), nullptr);  // bare names only
}

TEST(ModuleFrame, RebarSampleIsRegisteredAtLoadAndSkippedWhenItCannotBeBuilt)
{
    std::unique_ptr<CVQDataBase> sample(table_templates::create_data_base(kRebarSampleName));
    ASSERT_NE(sample, nullptr);

    ds_test::detach_module();
    table_templates::remove_database_sample(kRebarSampleName);
    steel_grid_tools::set_create_fails(true);
    const bool attached = ds_test::attach_module();
    steel_grid_tools::set_create_fails(false);
    EXPECT_TRUE(attached);
    EXPECT_NE(CRuntimeClass::FromName("DS_ui_data"), nullptr);
    EXPECT_EQ(table_templates::create_data_base(kRebarSampleName), nullptr);

    // Without the sample a new drawing keeps whatever rebar it had.
    DS_draw_data data;
    data.m_Steel_P0.m_bars.clear();
    data.set_default_value();
    EXPECT_TRUE(data.m_Steel_P0.m_bars.empty());
    EXPECT_EQ(data.m_drawSet.m_DS_number, CString("1"));

    ds_test::detach_module();
    ASSERT_TRUE(ds_test::attach_module());
    EXPECT_TRUE(table_templates::has_database_sample(kRebarSampleName));
}
