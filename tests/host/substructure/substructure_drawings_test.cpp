// Pier and abutment drawings: what they hand to the drawings standing on
// them, how a project keeps them, and the built-in sample bridge.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "host/framework/data_center.h"
#include "host/substructure/common_gj_data_drawset.h"
#include "host/substructure/sample_bridge.h"
#include "support/recording_stream.h"

namespace {

std::vector<ds_gz_data> two_pedestals() { return {{-600, 90, 560, 460, 200}, {600, 75, 660, 360, 250}}; }

std::unique_ptr<substructure_graph_data> pier() { return make_substructure_drawing(0, "柱式墩", "主线", 3, "C35", 40, two_pedestals()); }

std::unique_ptr<substructure_graph_data> abutment()
{
    auto drawing = make_substructure_drawing(1, "肋板台", "匝道A", 0, "C30", 75, {{500, 90, 560, 460, 200}});
    xbjg_substructure_info look = drawing->substructure_info();
    look.cover = 35;
    look.custom_note = "台的附注";
    drawing->set_substructure_info(look);
    return drawing;
}

/// Type, bridge part, number, concrete and scale of the shared settings.
CString identity(const common_gj_data_drawset& s)
{
    return s.m_strCompType + " " + s.m_strQF + " " + CString(std::to_string(s.m_iPierNum)) + " " + s.m_strConcreteType +
           " " + CString(std::to_string(s.m_iScale));
}

bool all_positions(const substructure_graph_data& d, bool positive)
{
    const auto& p = d.get_pedestals();
    return std::all_of(p.begin(), p.end(), [&](const ds_gz_data& g) { return positive ? g.m_dPos > 0 : g.m_dPos <= 0; });
}

}  // namespace

TEST(SubstructureTransform, PierAndAbutmentFillTheSharedSettings)
{
    common_gj_data_drawset s;
    s.set_default_value();
    s.m_strCustomNote = "保留";
    s.m_dCover = 45;
    s.m_merge_infos = {{"桥墩", "主线", "1", "1", "1"}};
    s.m_custom_note_items = {{"旧", "旧"}};

    pier()->transform_to_common_drawset(s, "");
    EXPECT_EQ(identity(s), CString("桥墩 主线 3 C35 40"));
    ASSERT_EQ(s.m_custom_note_items.size(), 1u);  // no part named: notes untouched
    EXPECT_EQ(s.m_custom_note_items[0].first, CString("旧"));

    abutment()->transform_to_common_drawset(s, "垫石");
    EXPECT_EQ(identity(s), CString("桥台 匝道A 0 C30 75"));
    ASSERT_EQ(s.m_custom_note_items.size(), 1u);
    EXPECT_EQ(s.m_custom_note_items[0].second, CString("垫石采用C30混凝土。"));
    // The structure's cover and note come along; the merge records stay the part drawing's.
    EXPECT_EQ(s.m_strCustomNote, CString("台的附注"));
    EXPECT_EQ(s.m_dCover, 35.0);
    EXPECT_EQ(s.m_merge_infos.size(), 1u);
    // What an abutment hands to the abutment settings is checked with the parametric drawing's rows.
}

TEST(SubstructureDrawing, CreatedByNameCopiedAndStoredWithItsPedestals)
{
    for (const auto& source : {pier(), abutment()}) {
        const char* class_name = source->GetRuntimeClass()->m_lpszClassName;
        std::unique_ptr<CObject> made(CRuntimeClass::FromName(class_name)->CreateObject());
        auto* target = dynamic_cast<substructure_graph_data*>(made.get());
        ASSERT_NE(target, nullptr) << class_name;
        EXPECT_EQ(target->Get_Type(), source->Get_Type());

        ds_test::recording_stream out;
        source->serialize_members(out);
        ds_json::json_read_stream in(ds_app::flat_tree_of(out.json()));
        target->serialize_members(in);
        EXPECT_TRUE(in.diagnostics().empty()) << class_name;
        EXPECT_EQ(target->get_pedestals(), source->get_pedestals());
        EXPECT_EQ(target->substructure_info().bridge_part, source->substructure_info().bridge_part);
        EXPECT_EQ(target->substructure_info().scale, source->substructure_info().scale);
        EXPECT_EQ(target->substructure_info().cover, source->substructure_info().cover);
        EXPECT_EQ(target->substructure_info().custom_note, source->substructure_info().custom_note);

        auto copied = make_substructure_drawing(source->Get_Type(), "", "", 0, "", 0, {});
        copied->copy(*source, false);
        std::vector<ds_gz_data> pedestals;
        EXPECT_TRUE(copied->Get_DS(pedestals));
        EXPECT_EQ(pedestals, source->get_pedestals());
        EXPECT_EQ(copied->substructure_info().type_name, source->substructure_info().type_name);
    }
    EXPECT_EQ(CString(pier()->GetRuntimeClass()->m_lpszClassName), CString("QD_pier_graph_data"));
    EXPECT_EQ(CString(abutment()->GetRuntimeClass()->m_lpszClassName), CString("QT_abutment_graph_data"));
    std::vector<ds_gz_data> none{{}};
    EXPECT_FALSE(make_substructure_drawing(0, "", "", 0, "", 0, {})->Get_DS(none));
    EXPECT_TRUE(none.empty());
}

TEST(SampleBridge, AbutmentsStandOnOneSideAndEveryTagGoesWithItsDrawing)
{
    {
        registered_substructures bridge = sample_bridge::build();
        ASSERT_EQ(bridge.size(), 5u);
        const std::vector<CString> names = {"主线0号台", "主线1号墩", "主线2号墩", "主线3号墩", "主线4号台"};
        for (std::size_t i = 0; i < bridge.size(); ++i) {
            EXPECT_EQ(bridge[i].get_node_name(), names[i]);
            EXPECT_EQ(data_center::get_data_node(bridge[i].get_node_tag()), &bridge[i]);
        }
        EXPECT_EQ(bridge[0].Get_Type(), 1);
        EXPECT_TRUE(all_positions(bridge[0], true));
        EXPECT_TRUE(all_positions(bridge[4], false));
        for (std::size_t i = 1; i <= 3; ++i) {
            EXPECT_EQ(bridge[i].Get_Type(), 0);
            EXPECT_EQ(bridge[i].get_pedestals().size(), 4u);
            EXPECT_FALSE(all_positions(bridge[i], true) || all_positions(bridge[i], false));
        }
    }
    for (const CString& tag : data_center::get_all_tags()) EXPECT_NE(tag.Find("sample_"), 0) << tag;
}
