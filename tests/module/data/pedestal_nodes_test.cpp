// Both pedestal drawing nodes: defaults, copy, compare and their place in a
// project stream.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "data/ds_ui_csh_data.h"
#include "data/ds_ui_data.h"
#include "host/framework/user_defaults.h"
#include "support/differences.h"
#include "support/recording_stream.h"

using namespace VQDraw_DS_UINA;
using ds_test::differences;
using ds_test::no_differences;
using ds_test::recording_stream;

namespace {

/// The node a drawing of `class_name` is created as, with its defaults.
template <class Node>
std::unique_ptr<Node> make_default_node(const char* class_name)
{
    std::unique_ptr<Node> node(dynamic_cast<Node*>(CRuntimeClass::FromName(class_name)->CreateObject()));
    node->set_default_value();
    return node;
}

/// A user's default replaces the module's defaults entirely.
template <class Node>
Node user_defaulted(const char* class_name)
{
    user_defaults::register_default(class_name, [](graph_data_base& node) { node.set_node_name("mine"); });
    Node user;
    user.set_default_value();
    user_defaults::unregister_default(class_name);
    EXPECT_EQ(user.get_node_name(), CString("mine"));
    EXPECT_EQ(differences(user, Node()), no_differences) << class_name;
    return user;
}

/// Keys written at the node's own level (the base part's and nested records' insides left out), and
/// the version of every record by its tag path.
template <class Node>
std::pair<std::vector<std::string>, std::map<std::string, int>> stream_layout(Node& node)
{
    recording_stream writer;
    node.serialize_members(writer);
    std::pair<std::vector<std::string>, std::map<std::string, int>> layout;
    const std::vector<std::string> keys = writer.keys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const ds_test::stream_entry& e = writer.entries()[i];
        if (e.tags.size() == 1) layout.first.push_back(keys[i]);
        if (e.key == CString("version")) layout.second.emplace(recording_stream::tag_path(e), std::get<int>(e.value));
    }
    return layout;
}

}  // namespace

TEST(PedestalNodes, DefaultsAreTheModulesOwnUnlessTheUserDefinedOnes)
{
    const auto single = make_default_node<DS_ui_data>("DS_ui_data");
    EXPECT_EQ(single->get_steel_data(), std::vector<const steel_data*>{&single->m_draw_data.m_Steel_P0});
    user_defaulted<DS_ui_data>("DS_ui_data");

    std::unique_ptr<DS_ui_CSH_data> parametric(dynamic_cast<DS_ui_CSH_data*>(CRuntimeClass::FromName("DS_ui_CSH_data")->CreateObject()));
    EXPECT_TRUE(parametric->m_csh_data.empty());
    parametric->m_is_merge = true;
    parametric->set_default_value();
    ASSERT_EQ(parametric->m_csh_data.size(), 1u);
    EXPECT_EQ(parametric->m_csh_data[0].m_Type, CString("桥墩"));
    EXPECT_FALSE(parametric->m_is_merge);
    parametric->set_default_value();  // the list is not cleared first
    EXPECT_EQ(parametric->m_csh_data.size(), 2u);
    EXPECT_TRUE(user_defaulted<DS_ui_CSH_data>("DS_ui_CSH_data").m_csh_data.empty());
}

TEST(PedestalNodes, CompareRefusesOtherClassesAndLooksAtRowsBothHave)
{
    const auto single = make_default_node<DS_ui_data>("DS_ui_data");
    const auto parametric = make_default_node<DS_ui_CSH_data>("DS_ui_CSH_data");
    std::vector<CString> lines = {"earlier"};
    EXPECT_FALSE(single->compare_graph_data(parametric.get(), lines));
    EXPECT_FALSE(single->compare_graph_data(nullptr, lines));
    EXPECT_FALSE(parametric->compare_graph_data(single.get(), lines));
    EXPECT_FALSE(parametric->compare_graph_data(nullptr, lines));
    DS_ui_CSH_data longer = *parametric;
    longer.m_csh_data.push_back(DS_CSH_LB_Data());
    EXPECT_TRUE(parametric->compare_graph_data(&longer, lines));
    EXPECT_TRUE(longer.compare_graph_data(parametric.get(), lines));
    EXPECT_EQ(lines.size(), 1u);
}

TEST(PedestalNodes, CopyTakesOwnMembersOnlyFromItsOwnClass)
{
    auto source = make_default_node<DS_ui_data>("DS_ui_data");
    source->refrence_graph_name = "主线1号墩";
    source->m_draw_data.m_gz.strHei = "220";
    DS_ui_data target;
    target.copy(*source, true);
    EXPECT_EQ(differences(target, *source), no_differences);

    DS_ui_CSH_data other_class;
    other_class.set_node_name("列表");
    target.copy(other_class, false);
    EXPECT_EQ(target.get_node_name(), CString("列表"));
    EXPECT_EQ(target.refrence_graph_name, CString("主线1号墩"));
}

// The versions here are read back through project files (some frozen in
// older layouts) in the project tests.
TEST(PedestalNodes, StreamCarriesBasePartFirstThenOwnMembersAndEveryVersion)
{
    auto single = make_default_node<DS_ui_data>("DS_ui_data");
    EXPECT_EQ(stream_layout(*single),
              std::make_pair(std::vector<std::string>{"xbjg_graph_data_base{", "}xbjg_graph_data_base", "version", "ref_Type",
                                                      "refrence_graph_name", "ref_DS_Num", "m_draw_data{", "}m_draw_data"},
                             std::map<std::string, int>{{"DS_ui_data", 1},
                                                        {"DS_ui_data/DS_draw_data", 3},
                                                        {"DS_ui_data/DS_draw_data/DS_steel_DrawSet", 1},
                                                        {"DS_ui_data/DS_draw_data/DS_steel_DrawSet/common_gj_data_drawset", 1},
                                                        {"DS_ui_data/DS_draw_data/DS_steel_Gen", 3},
                                                        {"DS_ui_data/DS_draw_data/steel_data", 1},
                                                        {"DS_ui_data/xbjg_graph_data_base", 1}}));
    auto parametric = make_default_node<DS_ui_CSH_data>("DS_ui_CSH_data");
    EXPECT_EQ(stream_layout(*parametric),
              std::make_pair(std::vector<std::string>{"xbjg_parameters_graph_data_base{", "}xbjg_parameters_graph_data_base",
                                                      "version", "m_gz_data{", "}m_gz_data", "m_csh_name{", "}m_csh_name",
                                                      "m_csh_data[", "count", "item_0{", "}item_0", "]m_csh_data", "m_is_merge"},
                             std::map<std::string, int>{{"DS_ui_CSH_data", 1},
                                                        {"DS_ui_CSH_data/DS_CSH_LB_Data", 6},
                                                        {"DS_ui_CSH_data/DS_CSH_LB_Data/steel_data", 1},
                                                        {"DS_ui_CSH_data/DS_CSH_Name", 1},
                                                        {"DS_ui_CSH_data/DS_draw_data", 3},
                                                        {"DS_ui_CSH_data/DS_draw_data/DS_steel_DrawSet", 1},
                                                        {"DS_ui_CSH_data/DS_draw_data/DS_steel_DrawSet/common_gj_data_drawset", 1},
                                                        {"DS_ui_CSH_data/DS_draw_data/DS_steel_Gen", 3},
                                                        {"DS_ui_CSH_data/DS_draw_data/steel_data", 1},
                                                        {"DS_ui_CSH_data/xbjg_parameters_graph_data_base", 1}}));
}
