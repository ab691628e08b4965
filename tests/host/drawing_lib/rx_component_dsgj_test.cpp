// The pedestal drawing component: design check, bar counts, sheets and quantities.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "host/drawing_lib/rx_component_dsgj.h"
#include "host/rebar/steel_data_transform.h"

namespace VQDraw_DS_GJNA {
namespace {

const RXDSGNMOD::CRXComponentSteelP0* mesh_group(double spacing = 100)
{
    steel_data steel;
    steel.m_bars = {{"N1", 12, "HRB400", 2, 0, "直线", "钢筋网"}, {"N2", 10, "HRB400", 0, spacing, "L形", "钢筋网"}};
    std::vector<RXDSGNMOD::CRXComponentSteelP0*> groups;
    steel_data_transform::get_steel_data_group(steel, groups);
    return groups.at(0);
}

DS_steel_pram_parameter pedestals(int count, double width, double length, std::vector<double> heights)
{
    DS_steel_pram_parameter param;
    param.m_strName = "主线";
    param.m_iPierNum = 2;
    param.m_iCount = count;
    param.m_dWidth = width;
    param.m_dLength = length;
    param.m_vecHeights = std::move(heights);
    param.m_pSteelGroup = mesh_group();
    return param;
}

DS_draw_data two_groups()
{
    DS_draw_data data;
    data.m_strPierName = "主线2号墩";
    data.m_strConcreteType = "C40";
    data.m_vecParamGroups = {{pedestals(2, 560, 1000, {200, 300}), pedestals(1, 560, 1000, {250})},
                             {pedestals(1, 400, 400, {100})}};
    data.m_vecHeightLabels = {"h", ""};
    data.m_vecGroupNotes = {{"本图尺寸除钢筋直径以毫米计外，余均以毫米计", "本图适用于主线2号墩"}, {}};
    return data;
}

double weight(double diameter, double metres) { return M_PI * diameter * diameter / 4e6 * metres * 7850; }

TEST(PedestalComponent, QuantitiesComeFromTheMeshAndFeedTheMaterialList)
{
    CRXComponent_DSGJ component(two_groups());
    ASSERT_TRUE(component.Design());
    // Group 1: mesh layers 2 + 3 + 2 (heights 200, 300, 250 at a 100 pitch, 40 cover), each with
    // N1 (2 bars) and N2 (480 mm over 100 -> 5 bars); group 2: one layer of 2 + 4 bars.
    EXPECT_EQ(component.GetGroupBarCounts(), (std::vector<std::int64_t>{49, 6}));

    const group_quantities& q = component.GetGroupQuantities()[0];
    ASSERT_EQ(q.bars.size(), 2u) << "rows of one size share their quantity lines";
    EXPECT_EQ(q.bars[0].count, 14);
    EXPECT_DOUBLE_EQ(q.bars[0].one_length, 480);
    EXPECT_DOUBLE_EQ(q.bars[1].one_length, 920 + 2 * 10 * 10) << "L-shaped bars get two bent ends";
    EXPECT_NEAR(q.bars[1].weight, weight(10, 35 * 1.12), 1e-9);
    EXPECT_NEAR(q.steel_weight, q.totals[0].weight + q.totals[1].weight, 1e-9);
    EXPECT_NEAR(q.concrete_volume, 0.56 * 1.0 * 0.75, 1e-12);

    std::vector<std::map<CString, CString>> rows;
    component.GetMaterialData(rows);
    ASSERT_EQ(rows.size(), 6u);  // per group: concrete and two bar lines
    EXPECT_EQ(rows[0].at("数量"), "0.42");
    EXPECT_EQ(rows[1].at("编号"), "N1");
    EXPECT_EQ(rows[1].at("根数"), "14");
    EXPECT_EQ(rows[2].at("规格"), "HRB400 Φ10");
    EXPECT_EQ(rows[5].at("根数"), "4");
}

// Records the module can produce or a hostile file can carry: each gives
// findings naming the place, field, value and limit, a sheet that shows them,
// and no quantities, without overflow or a crash.
TEST(PedestalComponent, BadRecordsGiveFindingsSheetsInsteadOfADrawing)
{
    struct bad_case {
        const char* what;
        void (*spoil)(DS_steel_pram_parameter&);
        const char* finding;
    };
    const bad_case cases[] = {
        {"huge width", [](auto& p) { p.m_dWidth = 1e308; }, "第1组第1行(主线 2号)：横桥向宽度 1e+308 超出范围 [0.001, 100000] mm"},
        {"no length", [](auto& p) { p.m_dLength = NAN; }, "顺桥向长度 nan 超出范围"},
        {"zero width", [](auto& p) { p.m_dWidth = 0; }, "横桥向宽度 0 超出范围"},
        {"sub-normal width", [](auto& p) { p.m_dWidth = 4.9e-324; }, "超出范围 [0.001, 100000] mm"},
        {"negative height", [](auto& p) { p.m_vecHeights = {-5, 200}; }, "高度 -5 超出范围"},
        {"heights missing", [](auto& p) { p.m_vecHeights.clear(); }, "高度个数 0 与垫石个数 2 不符"},
        {"too many pedestals", [](auto& p) { p.m_iCount = 200000; }, "垫石个数 200000 超出范围 0~1000"},
        {"no rebar", [](auto& p) { p.m_pSteelGroup = nullptr; }, "没有钢筋"},
        {"dense bars", [](auto& p) { p.m_dWidth = 1e5; p.m_pSteelGroup = mesh_group(1e-3); }, "钢筋N2每层根数"},
        {"too thin for a mesh", [](auto& p) { p.m_vecHeights = {50, 50}; }, "放不下一层钢筋网"},
        {"too small for a bar", [](auto& p) { p.m_dWidth = 60; }, "钢筋N1在此尺寸下一根也布置不下"},
        {"nearly flat skew", [](auto& p) { p.m_dAngle = 1e-300; }, "钢筋N1在此尺寸下一根也布置不下"},
        {"angle not a number", [](auto& p) { p.m_dAngle = NAN; }, "斜交角 nan 超出范围 (0, 180) 度"},
    };
    for (const bad_case& c : cases) {
        SCOPED_TRACE(c.what);
        DS_draw_data data = two_groups();
        c.spoil(data.m_vecParamGroups[0][0]);
        CRXComponent_DSGJ component(data);
        EXPECT_FALSE(component.Design());
        const auto& messages = component.GetDesignMessages();
        ASSERT_FALSE(messages.empty());
        EXPECT_GE(messages[0].Find(c.finding), 0) << messages[0];

        std::vector<RXDSGNMOD::CRXPaper*> raw;
        component.CreatPaper(raw);
        std::vector<std::unique_ptr<RXDSGNMOD::CRXPaper>> papers(raw.begin(), raw.end());
        ASSERT_EQ(papers.size(), 1u);
        const auto& texts = papers[0]->sheet.texts;
        EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [&](const auto& t) { return t.value.Find(c.finding) >= 0; }));
        std::vector<std::map<CString, CString>> rows;
        component.GetMaterialData(rows);
        EXPECT_TRUE(rows.empty());
    }
    CRXComponent_DSGJ empty{DS_draw_data{}};
    EXPECT_FALSE(empty.Design()) << "a drawing without parameters cannot be designed";
}

TEST(PedestalComponent, SheetsPerGroupAndDrawnOutlines)
{
    CRXComponent_DSGJ component(two_groups());
    std::vector<RXDSGNMOD::CRXPaper*> raw;
    component.CreatPaper(raw);
    std::vector<std::unique_ptr<RXDSGNMOD::CRXPaper>> papers(raw.begin(), raw.end());
    ASSERT_EQ(papers.size(), 2u);
    EXPECT_EQ(papers[0]->title(), "主线2号墩垫石钢筋构造图(560×1000)") << "sheets are numbered in the title block only";
    EXPECT_EQ(papers[1]->sheet.title, "主线2号墩垫石钢筋构造图(400×400)");

    EXPECT_FALSE(component.Draw(""));
    EXPECT_TRUE(component.Draw("图1"));
    EXPECT_EQ(component.GetDrawnItems().size(), 4u) << "one outline per pedestal";
}

}  // namespace
}  // namespace VQDraw_DS_GJNA
