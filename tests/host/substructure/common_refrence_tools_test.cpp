// Referable drawings: the drawings of the project that carry the asked types,
// by name, with their tags.
#include <gtest/gtest.h>

#include "host/framework/data_center.h"
#include "host/substructure/common_refrence_tools.h"
#include "host/substructure/sample_bridge.h"

TEST(CommonRefrenceTools, ReferableDrawingsAreFilteredByTypeAndMappedToTags)
{
    registered_substructures bridge = sample_bridge::build();
    registered_substructures extra;
    // Not a choice: no name; a second drawing under a name already listed; another type.
    extra.add(make_substructure_drawing(0, "柱式墩", "主线", 9, "C40", 50, {}), "test_nameless", "");
    extra.add(make_substructure_drawing(0, "柱式墩", "主线", 1, "C40", 50, {}), "test_same_name", "主线1号墩");
    extra.add(make_substructure_drawing(0, "花瓶墩", "匝道", 1, "C40", 50, {}), "test_vase", "匝道1号墩");

    std::map<CString, CString> name_to_tag = {{"已删除的图纸", "stale"}};
    const auto piers = common_refrence_tools::Get_All_Construct_Paper_Paths({"柱式墩"}, name_to_tag);
    EXPECT_EQ(piers, (std::vector<CString>{"主线1号墩", "主线2号墩", "主线3号墩"}));
    EXPECT_EQ(name_to_tag.size(), 3u);
    EXPECT_EQ(name_to_tag["主线2号墩"], bridge[2].get_node_tag());
    EXPECT_EQ(name_to_tag["主线1号墩"], bridge[1].get_node_tag());

    auto all = common_refrence_tools::Get_All_QT_Type_Names();
    for (const CString& name : common_refrence_tools::Get_All_QD_Type_Names()) all.push_back(name);
    const auto everything = common_refrence_tools::Get_All_Construct_Paper_Paths(all, name_to_tag);
    EXPECT_EQ(everything.size(), 6u);
    EXPECT_EQ(name_to_tag["主线4号台"], bridge[4].get_node_tag());
    EXPECT_EQ(name_to_tag["匝道1号墩"], CString("test_vase"));

    EXPECT_TRUE(common_refrence_tools::Get_All_Construct_Paper_Paths({}, name_to_tag).empty());
    EXPECT_TRUE(name_to_tag.empty());
}
