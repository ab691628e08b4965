// The whole pedestal rebar reaching the sheets: mesh, L-shaped vertical bars and
// closed ties counted and measured (recomputed here by hand from the rules),
// the engineer's cover, mesh layers per height, numbered pedestals, bars the
// library cannot draw, and views that share one scale.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "host/pedestal_design/rebar_cage.h"
#include "host/drawing_lib/rx_component.h"
#include "host/drawing_lib/rx_component_dsgj.h"
#include "host/fields/input_limits.h"
#include "host/rebar/steel_data_transform.h"
#include "host/sheet_model/sheet_primitives.h"
#include "host/sheet_model/text_metrics.h"
#include "host/text/encoding.h"
#include "support/component_sheets.h"

namespace VQDraw_DS_GJNA {
namespace {

/// Sets the cover for one test and puts the default back.
struct cover_scope {
    explicit cover_scope(double mm) { RXDSGNMOD::set_rebar_cover(mm); }
    ~cover_scope() { RXDSGNMOD::set_rebar_cover(0.0); }
};

const RXDSGNMOD::CRXComponentSteelP0* rebar(std::vector<steel_bar_row> bars = {})
{
    steel_data steel;
    steel.set_default_value();  // N1, N2 Φ12 mesh at 100; N3 8 Φ16 L-shaped; N4 Φ10 ties at 100
    steel.m_bars.insert(steel.m_bars.end(), bars.begin(), bars.end());
    std::vector<RXDSGNMOD::CRXComponentSteelP0*> groups;
    steel_data_transform::get_steel_data_group(steel, groups);
    return groups.at(0);
}

DS_draw_data one_row(std::vector<double> heights, double width = 560, double length = 460, double angle = 90)
{
    DS_steel_pram_parameter p;
    p.m_strSupportType = "桥墩";
    p.m_strName = "主线";
    p.m_iPierNum = 1;
    p.m_iCount = static_cast<int>(heights.size());
    p.m_dWidth = width;
    p.m_dLength = length;
    p.m_dAngle = angle;
    p.m_vecHeights = std::move(heights);
    p.m_pSteelGroup = rebar();
    DS_draw_data data;
    data.m_strPierName = "主线1号墩";
    data.m_strConcreteType = "C40";
    data.m_vecParamGroups = {{p}};
    return data;
}

group_quantities designed(const DS_draw_data& data)
{
    CRXComponent_DSGJ component(data);
    EXPECT_TRUE(component.Design());
    return component.GetGroupQuantities().at(0);
}

const bar_quantity& line(const group_quantities& q, const char* mark)
{
    const auto found = std::find_if(q.bars.begin(), q.bars.end(), [&](const bar_quantity& b) { return b.mark == mark; });
    EXPECT_NE(found, q.bars.end()) << mark;
    return *found;
}

TEST(PedestalRebar, EveryBarOfTheSampleIsCountedAndMeasured)
{
    // 560 x 460 x 200, clear cover 40. By hand:
    // N1 Φ12 across: ends 40 in -> 560 - 80 = 480; axes 46 in: (460 - 92) / 100 -> 4 bars a layer.
    // N2 Φ12 along: 460 - 80 = 380; (560 - 92) / 100 -> 5 bars a layer.
    // Layers: (200 - 80 - 12) / 100 -> 2.
    // N3 Φ16 L: 40 below the top down to 30d = 480 into the cap, foot 10d = 160: 160 + 480 + 160 = 800; 8 bars.
    // N4 Φ10 ties: axis 45 in: 470 x 370, hooks 2 x 100: 1880; from 95 below the top (between the mesh
    // layers) down to 45 above the bottom: 60 mm of room -> 1 tie.
    const group_quantities q = designed(one_row({200}));
    struct expected {
        const char* mark;
        double length;
        std::int64_t count;
    };
    for (const expected& e : {expected{"N1", 480, 8}, {"N2", 380, 10}, {"N3", 800, 8}, {"N4", 1880, 1}}) {
        SCOPED_TRACE(e.mark);
        EXPECT_DOUBLE_EQ(line(q, e.mark).one_length, e.length);
        EXPECT_EQ(line(q, e.mark).count, e.count);
        EXPECT_NEAR(line(q, e.mark).weight, bar_weight(line(q, e.mark).diameter, e.length * e.count / 1000), 1e-9);
    }
    EXPECT_EQ(q.bars.size(), 4u);
    EXPECT_DOUBLE_EQ(line(q, "N3").leg, 160);
    EXPECT_DOUBLE_EQ(line(q, "N4").hook, 100);
    EXPECT_NEAR(unit_weight(12), 0.888, 5e-4) << "the 7850 kg/m3 convention";

    // Pedestals of different heights: the vertical bars keep one line, 800~900 long, adding each bar's own length.
    const group_quantities two = designed(one_row({200, 300}));
    EXPECT_EQ(std::count_if(two.bars.begin(), two.bars.end(), [](const auto& b) { return b.mark == "N3"; }), 1);
    EXPECT_DOUBLE_EQ(line(two, "N3").one_length, 800);
    EXPECT_DOUBLE_EQ(line(two, "N3").longest, 900);
    EXPECT_EQ(line(two, "N3").count, 16);
    EXPECT_NEAR(line(two, "N3").total_length, 8 * (0.8 + 0.9), 1e-9);
    EXPECT_EQ(two.rows.at(0).layers, (std::vector<std::int64_t>{2, 3}));
}

TEST(PedestalRebar, TheEngineersCoverMovesTheBars)
{
    {
        cover_scope cover(50);
        const group_quantities q = designed(one_row({200}));
        EXPECT_DOUBLE_EQ(line(q, "N1").one_length, 460) << "560 - 2 x 50";
        // The mesh lies inside the ties (10) and verticals (16): (460 - 2 x (50 + 10 + 16 + 6)) / 100 -> 3 bars.
        EXPECT_EQ(line(q, "N1").count, 3) << "(460 - 164) / 100 -> 3 bars, (200 - 112) / 100 -> one layer";
        EXPECT_TRUE(RXDSGNMOD::GetRebarCover().given);
    }
    for (double not_given : {0.0, -5.0, static_cast<double>(NAN), 1e9}) {
        cover_scope cover(not_given);
        EXPECT_FALSE(RXDSGNMOD::GetRebarCover().given) << not_given;
        EXPECT_DOUBLE_EQ(cover_mm(), RXDSGNMOD::default_rebar_cover_mm);
    }
    cover_scope none(0.0);
    CRXComponent_DSGJ component(one_row({200}));
    std::vector<RXDSGNMOD::CRXPaper*> raw;
    component.CreatPaper(raw);
    std::vector<std::unique_ptr<RXDSGNMOD::CRXPaper>> papers(raw.begin(), raw.end());
    const auto& texts = papers.at(0)->sheet.texts;
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const auto& t) { return t.value.Find("未给定保护层厚度") >= 0; }))
        << "a cover the settings do not give is said to be the default";
}

TEST(PedestalRebar, AbsurdTieAndVerticalSpacingsAreClamped)
{
    const pedestal_plan plan{560, 460, 90};
    const steel_bar_row tie{"N4", 10, "HRB400", 0, 1e-300, "封闭箍筋", "箍筋"};
    const steel_bar_row vertical{"N3", 16, "HRB400", 0, 1e-300, "L形", "竖向钢筋"};
    EXPECT_EQ(ties_of(tie, plan, 200, true).count, input_limits::max_bars_per_line);
    EXPECT_LE(verticals_of(vertical, plan, 200, 10).positions.size(), static_cast<std::size_t>(input_limits::max_bars_per_line + 4));
    EXPECT_EQ(ties_of(tie, {NAN, 460, 90}, 200, true).count, 0);
}

TEST(PedestalRebar, MeshLayersFollowEachHeight)
{
    // Φ12 mesh, cover 40: the lowest layer's axis stays 46 above the bottom.
    const std::pair<double, std::int64_t> cases[] = {{91, 0}, {92, 1}, {191, 1}, {192, 2}, {200, 2}, {300, 3}, {1000, 10}};
    for (const auto& [height, layers] : cases) EXPECT_EQ(mesh_layers(height, 12), layers) << height;
}

using ds_test::sheets_of;

const ds_sheet::table* table_headed(const ds_sheet::sheet& page, const char* first_cell)
{
    for (const auto& t : page.tables)
        if (!t.rows.empty() && !t.rows[0].empty() && t.rows[0][0] == first_cell && t.rows[0].size() == 4) return &t;
    return nullptr;
}

TEST(PedestalRebar, EightPedestalsAreNumberedWithTheirHeightsAndLayers)
{
    const auto sheets = sheets_of(one_row({200, 210, 220, 230, 240, 250, 260, 300}));
    const ds_sheet::table* numbers = table_headed(sheets.at(0), "编号");
    ASSERT_NE(numbers, nullptr);
    ASSERT_EQ(numbers->rows.size(), 9u);
    EXPECT_EQ(numbers->rows[1][0], "1#");
    EXPECT_EQ(numbers->rows[8][0], "8#");
    EXPECT_EQ(numbers->rows[8][1], "300");
    EXPECT_EQ(numbers->rows[8][2], "3") << "the 300 mm pedestal holds three layers";
    EXPECT_EQ(numbers->rows[1][2], "2");
}

TEST(PedestalRebar, ViewsShareOneScaleAndHoldTheirDimensions)
{
    for (double angle : {90.0, 60.0}) {
        SCOPED_TRACE(angle);
        const auto sheets = sheets_of(one_row({200, 250}, 1500, 1200, angle));
        const auto& views = sheets.at(0).views;
        // Square and skewed alike: plan and the sections I-I and II-II, both marked in the plan.
        ASSERT_EQ(views.size(), 3u);
        for (const auto& v : views) EXPECT_EQ(v.scale, views[0].scale) << "projected views share one scale";
        EXPECT_EQ(views[1].name, CString("I-I"));
        EXPECT_EQ(views[2].name, CString("II-II"));
        // II-II is as wide as a side face is long: the length over sin θ, to the whole millimetre.
        const auto side_width = std::any_of(sheets[0].dimensions.begin(), sheets[0].dimensions.end(), [&](const auto& d) {
            return d.value == ds_sheet::number_text(std::round(1200 / std::sin(angle * M_PI / 180.0)), 0);
        });
        EXPECT_TRUE(side_width);
        const auto rect = [](const ds_sheet::view_frame& v) {
            return ds_sheet::box{v.lower_left.x, v.lower_left.y, v.upper_right.x, v.upper_right.y};
        };
        for (std::size_t i = 0; i < views.size(); ++i)
            for (std::size_t j = i + 1; j < views.size(); ++j)
                EXPECT_FALSE(rect(views[i]).overlaps(rect(views[j]))) << "views " << i << " and " << j << " overlap";
        for (const auto& d : sheets[0].dimensions) {
            const bool inside = std::any_of(views.begin(), views.end(), [&](const auto& v) {
                return std::min(d.line_from.x, d.line_to.x) >= v.lower_left.x && std::max(d.line_from.x, d.line_to.x) <= v.upper_right.x &&
                       std::min(d.line_from.y, d.line_to.y) >= v.lower_left.y && std::max(d.line_from.y, d.line_to.y) <= v.upper_right.y;
            });
            EXPECT_TRUE(inside) << "dimension " << d.value.str() << " lies outside every view";
        }
    }
}

/// True when `value` holds a Chinese character (U+4000 to U+9FFF).
bool has_hanzi(const CString& value)
{
    const std::string utf8 = ds_text::to_utf8(value);
    return std::any_of(utf8.begin(), utf8.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b >= 0xE4 && b <= 0xE9;
    });
}

TEST(PedestalRebar, ChineseTextIsAtLeast3Point5AndDigitsAtLeast2Point5MillimetresHigh)
{
    DS_draw_data skewed = one_row({200, 210, 220, 230, 240, 250, 260, 300}, 1500, 1200, 60);
    skewed.m_vecGroupNotes = {{"本图尺寸除钢筋直径以毫米计外，余均以毫米计"}};
    for (const DS_draw_data& data : {one_row({200}), skewed})
        for (const auto& page : sheets_of(data))
            for (const auto& t : ds_sheet::flatten(page).texts) {
                EXPECT_GE(t.height, 2.5 - 1e-9) << ds_text::to_utf8(t.value);
                if (has_hanzi(t.value)) {
                    EXPECT_GE(t.height, 3.5 - 1e-9) << ds_text::to_utf8(t.value);
                }
            }
}

TEST(PedestalRebar, ABarOfUnknownShapeIsListedNotDropped)
{
    DS_draw_data data = one_row({200});
    data.m_vecParamGroups[0][0].m_pSteelGroup = rebar({{"N5", 20, "HRB400", 4, 0, "螺旋形", "螺旋筋"}});
    const auto sheets = sheets_of(data);
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[1].title, "主线1号墩垫石钢筋构造图(未绘钢筋)");
    EXPECT_TRUE(std::any_of(sheets[1].texts.begin(), sheets[1].texts.end(), [](const auto& t) { return t.value.Find("N5") >= 0; }));
}

}  // namespace
}  // namespace VQDraw_DS_GJNA
