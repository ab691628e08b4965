// Mesh geometry, sheet layout and the two writers of the drawing library.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "host/pedestal_design/rebar_geometry.h"
#include "host/drawing_lib/rx_component_dsgj.h"
#include "host/fields/input_limits.h"
#include "host/rebar/steel_data_transform.h"
#include "host/sheet_dxf/dxf_writer.h"
#include "host/sheet_model/sheet_frame.h"
#include "host/sheet_model/sheet_primitives.h"
#include "host/sheet_svg/svg_writer.h"
#include "host/text/encoding.h"
#include "support/component_sheets.h"
#include "support/temp_folder.h"

namespace VQDraw_DS_GJNA {
namespace {

using ds_sheet::point;

TEST(MeshGeometry, BarCountsAndLengthsFromSpacingCountAndCover)
{
    const steel_bar_row by_spacing{"N1", 12, "HRB400", 0, 100, "直线", "钢筋网"};
    const steel_bar_row by_count{"N2", 12, "HRB400", 3, 0, "直线", "钢筋网"};
    const steel_bar_row dense{"N3", 12, "HRB400", 0, 1e-300, "直线", "钢筋网"};
    const double s60 = std::sin(M_PI / 3);
    struct row {
        const char* what;
        const steel_bar_row& bar;
        std::size_t line;
        pedestal_plan plan;
        std::int64_t count;
        double length;
    };
    // Clear cover 40: bar ends 40 from the faces, Φ12 axes 46 from the faces beside them.
    const row rows[] = {
        {"across, spread over the length", by_spacing, 0, {560, 460, 90}, 4, 480},    // 368 / 100 -> 4 bars
        {"along, spread over the width", by_spacing, 1, {560, 460, 90}, 5, 380},      // 468 / 100 -> 5 bars
        {"a spacing that divides exactly", by_spacing, 1, {492, 460, 90}, 5, 380},    // 400 / 100 -> 5 bars
        {"a count is a count", by_count, 1, {5000, 460, 90}, 3, 380},
        {"skewed, spacing square to the bars", by_spacing, 1, {560, 460, 60}, 4, 380 / s60},  // 560 sin60 - 92 = 393
        {"skewed across bars lose the cover along the front", by_spacing, 0, {560, 460, 60}, 4, 560 - 80 / s60},
        {"too narrow for any bar", by_spacing, 0, {60, 460, 90}, 0, 0},
        {"not a number", by_spacing, 0, {NAN, 460, 90}, 0, 0},
        {"absurd spacing is clamped", dense, 0, {560, 460, 90}, input_limits::max_bars_per_line, 480},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        const layer_bars bars = bars_in_layer(r.bar, r.line, r.plan, cover_mm());
        EXPECT_EQ(bars.count, r.count);
        EXPECT_NEAR(bars.bar_length, r.length, 1e-9);
        EXPECT_EQ(bar_segments(r.bar, r.line, r.plan, cover_mm()).size(), static_cast<std::size_t>(r.count));
    }
    EXPECT_EQ(mesh_layers(200), 2);
    EXPECT_EQ(mesh_layers(79), 0);
    EXPECT_EQ(mesh_layers(1e308), 0);
}

TEST(MeshGeometry, SkewedOutlineKeepsItsFacesAndArea)
{
    const auto c = outline_corners({560, 460, 60});
    const double shift = 460 / std::tan(M_PI / 3);
    const point expected[] = {{0, 0}, {560, 0}, {560 + shift, 460}, {shift, 460}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(c[i].x, expected[i].x, 1e-9) << i;
        EXPECT_NEAR(c[i].y, expected[i].y, 1e-9) << i;
    }
    // Every bar of a skewed mesh stays inside the outline, a cover away from the side faces.
    const steel_bar_row along{"N2", 12, "HRB400", 0, 100, "直线", "钢筋网"};
    for (const auto& [a, b] : bar_segments(along, 1, {560, 460, 60}, cover_mm()))
        for (const point p : {a, b}) {
            const double from_left = (p.x - p.y / std::tan(M_PI / 3)) * std::sin(M_PI / 3);
            EXPECT_GE(from_left, 40 - 1e-9);
            EXPECT_LE(from_left, 560 * std::sin(M_PI / 3) - 40 + 1e-9);
        }
}

const RXDSGNMOD::CRXComponentSteelP0* sample_mesh()
{
    steel_data steel;
    steel.set_default_value();
    std::vector<RXDSGNMOD::CRXComponentSteelP0*> groups;
    steel_data_transform::get_steel_data_group(steel, groups);
    return groups.at(0);
}

/// One group of `rows` rows of one size with varying heights and long notes.
DS_draw_data parametric(std::size_t rows)
{
    DS_draw_data data;
    data.m_strConcreteType = "C40";
    data.m_vecHeightLabels = {"h"};
    data.m_vecGroupNotes = {{"本图尺寸除钢筋直径以毫米计外，余均以毫米计",
                             "本图适用于主线0号台大桩号侧,1~19号墩小桩号侧,1~19号墩大桩号侧,20号台小桩号侧"}};
    data.m_strCustomNote = "施工时必须保证支座垫石顶面水平";
    data.m_vecParamGroups.resize(1);
    for (std::size_t i = 0; i < rows; ++i) {
        DS_steel_pram_parameter p;
        p.m_strSupportType = "桥墩";
        p.m_strName = "主线";
        p.m_strPos = i % 2 ? "大桩号侧" : "小桩号侧";
        p.m_iPierNum = static_cast<int>(i);
        p.m_iCount = 4;
        p.m_dWidth = 1100;
        p.m_dLength = 700;
        p.m_dAngle = 75;
        p.m_vecHeights = {150.0 + static_cast<double>(i), 160, 170, 180};
        p.m_pSteelGroup = sample_mesh();
        data.m_vecParamGroups[0].push_back(p);
    }
    return data;
}

using ds_test::sheets_of;

TEST(SheetLayout, TwentyRowsLayOutWithoutTextsOverlapping)
{
    const auto sheets = sheets_of(parametric(20));
    ASSERT_LE(sheets.size(), 3u);
    const ds_sheet::box& frame = ds_sheet::a3::frame;
    for (const auto& page : sheets) {
        const auto texts = ds_sheet::flatten(page).texts;
        std::vector<ds_sheet::box> boxes;
        for (const auto& t : texts) boxes.push_back(ds_sheet::text_box(t));
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            EXPECT_TRUE(boxes[i].left >= frame.left && boxes[i].right <= frame.right && boxes[i].bottom >= frame.bottom &&
                        boxes[i].top <= frame.top)
                << ds_text::to_utf8(texts[i].value) << " leaves the frame";
            for (std::size_t j = i + 1; j < boxes.size(); ++j)
                EXPECT_FALSE(boxes[i].overlaps(boxes[j]))
                    << ds_text::to_utf8(texts[i].value) << " overlaps " << ds_text::to_utf8(texts[j].value);
        }
    }
}

TEST(SheetLayout, LongTablesContinueOnFurtherSheets)
{
    const auto sheets = sheets_of(parametric(150));
    ASSERT_GE(sheets.size(), 3u);
    EXPECT_EQ(sheets[1].title, "垫石钢筋构造图(续1)");
    std::size_t rows = 0;
    for (const auto& page : sheets)
        for (const auto& grid : page.tables) {
            if (grid.rows.empty() || grid.rows[0].size() != 9 || grid.rows[0][0] != "桥幅/墩台") continue;
            rows += grid.rows.size() - 1;
            const double bottom = grid.top_left.y - grid.row_height * static_cast<double>(grid.rows.size());
            EXPECT_GE(bottom, ds_sheet::a3::frame.bottom);
            if (grid.top_left.x + 150 > ds_sheet::a3::title_block.left) {
                EXPECT_GE(bottom, ds_sheet::a3::title_block.top) << "a table runs into the title block";
            }
        }
    EXPECT_EQ(rows, 150u) << "every row is on exactly one sheet";
    // Sheet i of n in every title block.
    const CString last = "共" + CString(std::to_string(sheets.size())) + "张";
    for (const auto& page : sheets)
        EXPECT_TRUE(std::any_of(page.tables.begin(), page.tables.end(), [&](const auto& t) {
            return t.rows.size() == 4 && t.rows[3][1] == last;
        }));
}

TEST(SheetLayout, AnAbsurdlyLongNoteIsCutNotSpreadOverThousandsOfSheets)
{
    DS_draw_data data = parametric(1);
    CString note;
    for (int i = 0; i < 20000; ++i) note += "附注过长";
    data.m_strCustomNote = note;
    const auto sheets = sheets_of(data);
    EXPECT_LE(sheets.size(), 6u);
    std::size_t cut = 0;
    for (const auto& page : sheets)
        for (const auto& t : ds_sheet::flatten(page).texts) cut += t.value == "(附注过长，以下从略)";
    EXPECT_EQ(cut, 1u);
}

class SheetWriters : public ds_test::temp_folder_test {};

// The texts, their encodings and the DXF code page are read back by ezdxf and
// Chromium in the sheets_in_real_clients test.
TEST_F(SheetWriters, SvgPageIsA3AndTheDxfIsWrittenWhole)
{
    const auto sheets = sheets_of(parametric(2));
    EXPECT_NE(ds_sheet::svg_document(sheets[0]).find("viewBox=\"0 0 420 297\""), std::string::npos);
    ds_sheet::write_dxf(sheets[0], m_dir / "sheet.dxf");
    EXPECT_EQ(files_in_dir(), 1u) << "no scratch file is left beside it";
    EXPECT_THROW(ds_sheet::write_dxf(sheets[0], m_dir / "missing" / "sheet.dxf"), std::exception);
}

}  // namespace
}  // namespace VQDraw_DS_GJNA
