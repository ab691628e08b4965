// The drawing check on sheets made wrong on purpose (each fault found, a clean
// sheet passing), on cages that clash, and over a matrix of pedestal variants
// whose sheets must carry none of the faults a checker found before signing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>

#include "host/pedestal_design/drawing_check.h"
#include "host/drawing_lib/rx_component.h"
#include "host/drawing_lib/rx_component_dsgj.h"
#include "host/drawing_lib/sheet_tables.h"
#include "host/pedestal_design/view_marks.h"
#include "host/rebar/steel_data_transform.h"
#include "host/sheet_svg/svg_writer.h"
#include "host/text/encoding.h"

namespace VQDraw_DS_GJNA {
namespace {

using namespace ds_sheet;

bool any_has(const std::vector<CString>& lines, const char* part)
{
    return std::any_of(lines.begin(), lines.end(), [&](const CString& l) { return l.Find(part) >= 0; });
}

std::string listed(const std::vector<CString>& lines)
{
    std::string out;
    for (const CString& l : lines) out += ds_text::to_utf8(l) + "\n";
    return out;
}

/// A view at 1:5 of a 560 x 220 pedestal with the height chain 46 + 100 + 74 and its overall 220: checks clean.
sheet clean_sheet()
{
    sheet page;
    page.views.push_back({"立面", {0, 0}, {200, 150}, {50, 50}, 5});
    page.polylines.push_back({{{50, 50}, {162, 50}, {162, 94}, {50, 94}}, true, layer::outline, 0.5});
    const auto dim = [&](double y0, double y1, const char* value) {
        page.dimensions.push_back({{50, y0}, {50, y1}, {40, y0}, {40, y1}, value, digit_height});
    };
    dim(50, 59.2, "46");
    dim(59.2, 79.2, "100");
    dim(79.2, 94, "74");
    page.dimensions.push_back({{50, 50}, {50, 94}, {33, 50}, {33, 94}, "220", digit_height});
    page.texts.push_back(make_text({150, 120}, hanzi_height, "盖梁顶"));
    return page;
}

TEST(DrawingCheck, FindsEachFaultOfASheetMadeWrongOnPurpose)
{
    EXPECT_EQ(listed(check_sheet(clean_sheet())), "");

    // At 1:20 the middle 46 mm segment is 2.3 mm: its value cannot stand in it, and beyond either end it reaches a neighbour's span.
    sheet crowded = clean_sheet();
    crowded.views[0].scale = 20;
    crowded.dimensions.clear();
    const auto dim = [&](double y0, double y1, const char* value) {
        crowded.dimensions.push_back({{50, y0}, {50, y1}, {40, y0}, {40, y1}, value, digit_height});
    };
    dim(50, 53.7, "74");
    dim(53.7, 56, "46");
    dim(56, 61, "120");  // 5 mm at 1:20 is 100
    EXPECT_TRUE(any_has(check_sheet(crowded), "不在其尺寸线范围内，落在尺寸「120」之内")) << listed(check_sheet(crowded));
    EXPECT_TRUE(any_has(check_sheet(crowded), "尺寸「120」与所注距离100不符"));

    sheet not_adding = clean_sheet();
    not_adding.dimensions[3].value = "221";
    EXPECT_TRUE(any_has(check_sheet(not_adding), "与总尺寸221不符"));
    not_adding.dimensions[3].value = "220.4";
    EXPECT_TRUE(any_has(check_sheet(not_adding), "非整毫米"));

    sheet over = clean_sheet();
    over.texts.push_back(make_text({151, 121}, hanzi_height, "横桥向"));
    over.lines.push_back({{140, 121}, {180, 121}, layer::rebar, 0.35});
    over.lines.push_back({{100, 100}, {100, 140}, layer::outline, 0.7});
    over.texts.push_back(make_text({99.8, 110}, digit_height, "I"));  // its stroke runs through x = 100
    const auto found = check_sheet(over);
    EXPECT_TRUE(any_has(found, "文字「盖梁顶」与「横桥向」重叠")) << listed(found);
    EXPECT_TRUE(any_has(found, "文字「盖梁顶」压在钢筋上"));
    EXPECT_TRUE(any_has(found, "文字「I」压在剖切符号上"));

    sheet small = clean_sheet();
    small.views[0].scale = 50;
    small.polylines[0].points = {{50, 50}, {61, 50}, {61, 54.4}, {50, 54.4}};
    small.texts.push_back(make_text({150, 20}, 2.5, "顺桥向"));
    EXPECT_TRUE(any_has(check_sheet(small), "按1:50仅4.4mm"));
    EXPECT_TRUE(any_has(check_sheet(small), "「顺桥向」高2.5mm"));
}

const RXDSGNMOD::CRXComponentSteelP0* rebar(std::vector<steel_bar_row> bars)
{
    steel_data steel;
    steel.m_bars = std::move(bars);
    std::vector<RXDSGNMOD::CRXComponentSteelP0*> groups;
    steel_data_transform::get_steel_data_group(steel, groups);
    return groups.at(0);
}

std::vector<steel_bar_row> sample_bars(double tie_spacing = 100, double vertical_d = 16, double mesh_d = 12)
{
    return {{"N1", mesh_d, "HRB400", 0, 100, "直线", "钢筋网"},
            {"N2", mesh_d, "HRB400", 0, 100, "直线", "钢筋网"},
            {"N3", vertical_d, "HRB400", 8, 0, "L形", "竖向钢筋"},
            {"N4", 10, "HPB300", 0, tie_spacing, "封闭箍筋", "箍筋"}};
}

TEST(DrawingCheck, TheCageIsLaidOutClearAndACageMadeWrongIsFound)
{
    const std::vector<steel_bar_row> bars = sample_bars(50);
    const cage_layout cage = lay_out_cage(bars, {560, 460, 90}, 200);
    EXPECT_EQ(listed(check_cage(cage, "")), "");
    // Five N2 spread over the width put one at mid-width, where the front face's middle N3 would
    // stand: that N3 stands in the mesh opening beside it instead, and ties every 50 mm keep off
    // the mesh layers without losing one.
    const vertical_bars& n3 = cage.verticals.at(0);
    const auto front = std::find(n3.face.begin(), n3.face.end(), 0);
    ASSERT_NE(front, n3.face.end());
    const point& moved = n3.positions[static_cast<std::size_t>(front - n3.face.begin())];
    EXPECT_GE(std::fabs(moved.x - 280.0), (12 + 16) / 2.0);
    EXPECT_EQ(cage.ties.count, ties_of(bars[3], {560, 460, 90}, 200, true).count);
    EXPECT_EQ(cage.ties.levels.size(), static_cast<std::size_t>(cage.ties.count));
    // The mesh lies inside the verticals: its edge bars touch them, no nearer.
    const double inset = cage.parts.mesh_inset();
    EXPECT_DOUBLE_EQ(inset, 40 + 10 + 16);
    for (const auto& [a, b] : cage.mesh.at(0)) EXPECT_GE(a.y, inset + 6 - 1e-9);        // N1 runs across
    for (const auto& [a, b] : cage.mesh.at(1)) EXPECT_GE(a.x, inset + 6 - 1e-9);        // N2 runs along

    // Made wrong on purpose: that N3 back at mid-width, the second tie in the lower mesh layer.
    cage_layout wrong = cage;
    wrong.verticals.at(0).positions[static_cast<std::size_t>(front - n3.face.begin())].x = 280.0;
    wrong.ties.levels.at(1) = wrong.layer_levels.at(1) + 2;
    const auto found = check_cage(wrong, "");
    EXPECT_TRUE(any_has(found, "钢筋N2与N3轴线相距0mm")) << listed(found);
    EXPECT_TRUE(any_has(found, "钢筋N4与N1轴线相距2mm"));
    wrong.verticals.at(0).positions.at(1) = wrong.verticals.at(0).positions.at(0);
    EXPECT_TRUE(any_has(check_cage(wrong, ""), "钢筋N3与N3轴线相距0mm"));
}

struct variant {
    const char* name;
    double width = 560, length = 460, angle = 90, cover = 40;
    std::vector<double> heights{200};
    int scale = 50;
    double vertical_d = 16, mesh_d = 12;
};

DS_draw_data record_of(const variant& v, const std::vector<steel_bar_row>& bars)
{
    DS_steel_pram_parameter p;
    p.m_strSupportType = "桥墩";
    p.m_strName = "主线";
    p.m_iPierNum = 1;
    p.m_iCount = static_cast<int>(v.heights.size());
    p.m_dWidth = v.width;
    p.m_dLength = v.length;
    p.m_dAngle = v.angle;
    p.m_vecHeights = v.heights;
    p.m_pSteelGroup = rebar(bars);
    DS_draw_data data;
    data.m_strPierName = "主线1号墩";
    data.m_strConcreteType = "C40";
    data.m_iScalePlan = v.scale;
    data.m_vecParamGroups = {{p}};
    data.m_vecGroupNotes = {{"本图尺寸除钢筋直径以毫米计外，余均以毫米计"}};
    return data;
}

/// The drawing messages and sheets of one variant.
struct checked {
    std::vector<CString> messages;
    std::vector<sheet> sheets;
};

checked check_variant(const variant& v)
{
    RXDSGNMOD::set_rebar_cover(v.cover);
    CRXComponent_DSGJ component(record_of(v, sample_bars(100, v.vertical_d, v.mesh_d)));
    std::vector<RXDSGNMOD::CRXPaper*> raw;
    component.CreatPaper(raw);
    std::vector<std::unique_ptr<RXDSGNMOD::CRXPaper>> papers(raw.begin(), raw.end());
    RXDSGNMOD::set_rebar_cover(0.0);
    checked out{component.GetDrawingMessages(), {}};
    for (const auto& p : papers) out.sheets.push_back(p->sheet);
    return out;
}

TEST(DrawingCheck, LowPedestalsWithoutTiesAreNotCalledAlikeAndEveryBarIsShown)
{
    variant low{"heights 120/150"};
    low.heights = {120, 150};
    const checked c = check_variant(low);
    EXPECT_FALSE(any_has(c.messages, "未在任何视图中示出")) << listed(c.messages);
    EXPECT_FALSE(any_has(c.messages, "构造相同")) << listed(c.messages);
    const auto& texts = c.sheets.at(0).texts;
    EXPECT_TRUE(std::none_of(texts.begin(), texts.end(), [](const text& t) { return t.value.Find("构造相同") >= 0; }));
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const text& t) { return t.value.Find("图示2#垫石") >= 0; }));

    variant alike{"heights 200/300"};
    alike.heights = {200, 300};
    const checked both = check_variant(alike);
    const auto& same = both.sheets.at(0).texts;
    EXPECT_TRUE(std::any_of(same.begin(), same.end(), [](const text& t) { return t.value.Find("构造相同") >= 0; }));
}

TEST(DrawingCheck, TheRecordsScaleIsKeptWhereItReadsAndReplacedAloud)
{
    variant sample{"sample at 1:50"};
    const checked c = check_variant(sample);
    EXPECT_TRUE(any_has(c.messages, "比例1:50不适合")) << listed(c.messages);
    EXPECT_TRUE(any_has(c.messages, "，改用1:15"));
    for (const view_frame& v : c.sheets.at(0).views) EXPECT_EQ(v.scale, 15);

    variant fine{"sample at 1:15"};
    fine.scale = 15;
    const checked kept = check_variant(fine);
    EXPECT_FALSE(any_has(kept.messages, "不适合")) << listed(kept.messages);
    for (const view_frame& v : kept.sheets.at(0).views) EXPECT_EQ(v.scale, 15);
}

TEST(DrawingCheck, NotesSayTheUnitOnceAndThatTheVerticalsAreCastInFirst)
{
    const checked c = check_variant({"sample"});
    const auto& texts = c.sheets.at(0).texts;
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const text& t) { return t.value.Find("前预埋") >= 0; }));
    EXPECT_TRUE(std::none_of(texts.begin(), texts.end(), [](const text& t) { return t.value.Find("余均以毫米计") >= 0; }));
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const text& t) { return t.value.Find("本图尺寸均以毫米计") >= 0; }));
}

TEST(DrawingCheck, QuantityTotalsAddUpThePrintedRows)
{
    // Weights whose rounding does not add up: 3 x 0.04 kg prints 0.0 three times but totals 0.12.
    group_quantities q;
    for (const char* mark : {"N1", "N2", "N3"}) q.bars.push_back({mark, "HRB400", 12, 0, 0, 0, 0, 0, 0, 90, bar_kind::mesh, 1, 0, 0.04});
    q.bars.push_back({"N4", "HRB400", 10, 0, 0, 0, 0, 0, 0, 90, bar_kind::tie, 1, 0, 36.64});
    q.totals = {{10, 36.64}, {12, 0.12}};
    q.steel_weight = 36.76;
    const table_content t = quantity_table(q, "C40");
    std::vector<std::string> weights;
    for (const auto& row : t.rows) weights.push_back(ds_text::to_utf8(row.back()));
    EXPECT_EQ(weights, (std::vector<std::string>{"0.0", "0.0", "0.0", "36.6", "36.6", "0.0", "36.6", "0.000"}));
}

TEST(DrawingCheck, FeetOfTheVerticalBarsDoNotLieOnOneAnother)
{
    // The sample's mid-face N3 stands on the view's centre line; its foot runs along the bridge, square to the view.
    const checked c = check_variant({"sample"});
    const sheet& page = c.sheets.at(0);
    const view_frame& front = *std::find_if(page.views.begin(), page.views.end(), [](const view_frame& v) { return v.name == "I-I"; });
    double lowest = 1e300;
    std::vector<const line*> feet;
    for (const line& l : page.lines)
        if (l.on == layer::rebar && l.a.x >= front.lower_left.x && l.a.x <= front.upper_right.x && l.a.y >= front.lower_left.y)
            lowest = std::min({lowest, l.a.y, l.b.y});
    for (const line& l : page.lines)
        if (l.on == layer::rebar && std::fabs(l.a.y - lowest) < 1e-6 && std::fabs(l.b.y - lowest) < 1e-6 &&
            l.a.x >= front.lower_left.x && l.a.x <= front.upper_right.x)
            feet.push_back(&l);
    ASSERT_GE(feet.size(), 2u);
    for (std::size_t i = 0; i < feet.size(); ++i)
        for (std::size_t j = i + 1; j < feet.size(); ++j) {
            const auto [a0, a1] = std::minmax(feet[i]->a.x, feet[i]->b.x);
            const auto [b0, b1] = std::minmax(feet[j]->a.x, feet[j]->b.x);
            EXPECT_FALSE(a0 < b1 - 1e-6 && b0 < a1 - 1e-6) << a0 << "-" << a1 << " and " << b0 << "-" << b1;
        }
}


TEST(DrawingCheck, VariantMatrix)
{
    std::vector<variant> variants = {{"sample"}};
    const auto add = [&](const char* name, auto change) {
        variant v{name};
        change(v);
        variants.push_back(v);
    };
    add("200x200", [](variant& v) { v.width = v.length = 200; });
    add("1500x1500 1:50", [](variant& v) { v.width = v.length = 1500; });
    add("skew 60", [](variant& v) { v.angle = 60; });
    add("skew 120 cover 30", [](variant& v) { v.angle = 120, v.cover = 30; });
    add("cover 30", [](variant& v) { v.cover = 30; });
    add("cover 50", [](variant& v) { v.cover = 50; });
    add("2 pedestals", [](variant& v) { v.heights = {200, 200}; });
    add("8 pedestals", [](variant& v) { v.heights = std::vector<double>(8, 250); });
    add("20 pedestals", [](variant& v) { v.heights = std::vector<double>(20, 300); });
    add("heights 120/150", [](variant& v) { v.heights = {120, 150}; });
    add("heights 600/650", [](variant& v) { v.heights = {600, 650}; });
    add("d20 verticals d16 mesh", [](variant& v) { v.vertical_d = 20, v.mesh_d = 16; });
    add("scale 1:20", [](variant& v) { v.scale = 20; });
    add("skew 75 1100x700", [](variant& v) { v.angle = 75, v.width = 1100, v.length = 700, v.heights = {150, 160, 170, 180}; });
    add("skew 60 1500x1500 1:20", [](variant& v) { v.angle = 60, v.width = v.length = 1500, v.scale = 20; });
    // For a person to look at: the findings per variant, and each variant's first sheet as SVG.
    const bool table = std::getenv("DS_DRAWING_CHECK_TABLE") != nullptr;
    const char* pictures = std::getenv("DS_DRAWING_CHECK_SVG");
    for (const variant& v : variants) {
        SCOPED_TRACE(v.name);
        const checked c = check_variant(v);
        std::vector<CString> findings;  // the check's own, the notices of a replaced scale aside
        for (const CString& m : c.messages)
            if (m.Find("不适合") < 0) findings.push_back(m);
        EXPECT_EQ(listed(findings), "");
        if (table) std::cout << v.name << "\t" << c.messages.size() << "\n" << listed(c.messages);
        if (pictures) std::ofstream(std::string(pictures) + "/" + v.name + ".svg") << svg_document(c.sheets.at(0));
    }
}

}  // namespace
}  // namespace VQDraw_DS_GJNA
