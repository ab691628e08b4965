// The single pedestal drawing node: defaults, copy, compare and its place in a
// project stream.
#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <map>
#include <memory>

#include "data/ds_ui_csh_data.h"
#include "data/ds_ui_data.h"
#include "host/framework/user_defaults.h"
#include "support/recording_stream.h"

using namespace VQDraw_DS_UINA;
using ds_test::recording_stream;

namespace {
std::unique_ptr<DS_ui_data> make_default_node()
{
    std::unique_ptr<DS_ui_data> node(static_cast<DS_ui_data*>(CRuntimeClass::FromName("DS_ui_data")->CreateObject()));
    node->set_default_value();
    return node;
}
}  // namespace

TEST(SingleNode, DefaultsAreTheModulesOwnUnlessTheUserDefinedOnes)
{
    DS_ui_data node;
    node.set_default_value();
    const auto steels = node.get_steel_data();
    ASSERT_EQ(steels.size(), 1u);
    EXPECT_EQ(steels[0], &node.m_draw_data.m_Steel_P0);

    user_defaults::register_default("DS_ui_data", [](graph_data_base& g) { g.set_node_name("用户默认"); });
    DS_ui_data user;
    user.ref_Type = "外部引用";
    user.set_default_value();
    user_defaults::unregister_default("DS_ui_data");
    EXPECT_EQ(user.get_node_name(), CString("用户默认"));
    EXPECT_EQ(user.ref_Type, CString("外部引用"));
    EXPECT_TRUE(user.ref_DS_Num.IsEmpty());
    EXPECT_EQ(user.m_draw_data.m_gz.m_iCount, 0);
}

TEST(SingleNode, CompareRefusesOtherClasses)
{
    std::vector<CString> lines = {"earlier"};
    DS_ui_CSH_data parametric;
    EXPECT_FALSE(make_default_node()->compare_graph_data(&parametric, lines));
    EXPECT_FALSE(make_default_node()->compare_graph_data(nullptr, lines));
    EXPECT_EQ(lines.size(), 1u);
}

TEST(SingleNode, CopyTakesOwnMembersOnlyFromItsOwnClass)
{
    auto source = make_default_node();
    source->refrence_graph_name = "主线1号墩";
    source->m_draw_data.m_gz.strHei = "220";
    DS_ui_data target;
    target.copy(*source, true);
    std::vector<CString> lines;
    EXPECT_TRUE(target.compare_graph_data(source.get(), lines)) << testing::PrintToString(lines);

    DS_ui_CSH_data other_class;
    other_class.set_node_name("列表");
    target.copy(other_class, false);
    EXPECT_EQ(target.get_node_name(), CString("列表"));
    EXPECT_EQ(target.refrence_graph_name, CString("主线1号墩"));
}

TEST(SingleNode, StreamCarriesBasePartFirstAndEveryVersion)
{
    auto node = make_default_node();
    node->ref_Type = "外部引用";
    node->refrence_graph_name = "主线2号墩";
    recording_stream writer;
    node->serialize_members(writer);

    const auto keys = writer.keys();
    ASSERT_FALSE(keys.empty());
    EXPECT_EQ(keys.front(), "xbjg_graph_data_base{");
    const auto own = std::find(keys.begin(), keys.end(), "}xbjg_graph_data_base") + 1;
    EXPECT_THAT(std::vector(own, own + 5),
                testing::ElementsAre("version", "ref_Type", "refrence_graph_name", "ref_DS_Num", "m_draw_data{"));
    EXPECT_EQ(recording_stream::tag_path(writer.find("ref_Type")), "DS_ui_data");

    std::map<std::string, int> versions;
    for (const auto& e : writer.entries())
        if (e.kind == ds_test::entry_kind::value && e.key == CString("version"))
            versions.emplace(recording_stream::tag_path(e), std::get<int>(e.value));
    EXPECT_EQ(versions.at("DS_ui_data"), 1);
    EXPECT_EQ(versions.at("DS_ui_data/DS_draw_data"), 3);
    EXPECT_EQ(versions.at("DS_ui_data/DS_draw_data/DS_steel_Gen"), 3);
    EXPECT_EQ(versions.at("DS_ui_data/DS_draw_data/DS_steel_DrawSet"), 1);  // read back through a project file
}
