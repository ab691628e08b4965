// The sheet writers on a small hand-made sheet: escaping of every format on
// its own, DXF model space and dimensions read back with dxflib's reader, the
// PDF, and file names made from titles.
#include <gtest/gtest.h>

#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>
#include <pugixml.hpp>

#include <cmath>
#include <set>

#include "host/framework/atomic_file.h"
#include "host/sheet_dxf/dxf_model_space.h"
#include "host/sheet_dxf/dxf_text.h"
#include "host/sheet_dxf/dxf_writer.h"
#include "host/sheet_html/html_index.h"
#include "host/sheet_model/layer_style.h"
#include "host/sheet_model/markup_text.h"
#include "host/sheet_model/sheet_file_name.h"
#include "host/sheet_pdf/pdf_writer.h"
#include "host/sheet_svg/svg_writer.h"
#include "host/text/encoding.h"
#include "support/temp_folder.h"

namespace ds_sheet {
namespace {

/// A text meant to break out of its place in a file.
const CString hostile("A&B <b>\"q\"\x01\x1b\r\n  0\nLINE\n  8\nEVIL\n");

/// One view at 1:5 whose object origin is paper (100, 100): a 560 x 460
/// outline, one bar, a dimension of the 560 edge, and a hostile note outside.
sheet hand_made()
{
    sheet page;
    page.title = hostile;
    page.views.push_back({"PLAN", {90, 90}, {250, 220}, {100, 100}, 5});
    page.polylines.push_back({{{100, 100}, {212, 100}, {212, 192}, {100, 192}}, true, layer::outline, 0.5});
    page.lines.push_back({{104, 110}, {208, 110}, layer::rebar, 0.2});
    page.dimensions.push_back({{100, 100}, {212, 100}, {100, 95}, {212, 95}, "560", 3.5});
    page.texts.push_back({{20, 20}, 3.5, hostile});
    page.texts.push_back({{20, 40}, 3.5, "one line\tonly"});
    return page;
}

TEST(SheetEscaping, MarkupEscapesTheFiveMarkupCharactersAndReplacesWhatXmlForbids)
{
    const struct {
        std::string in, out;
    } rows[] = {
        {"a&b", "a&amp;b"},
        {"<script>", "&lt;script&gt;"},
        {"say \"hi\"", "say &quot;hi&quot;"},
        {"bell\x07", "bell\xEF\xBF\xBD"},
        {std::string("nul\0x", 5), "nul\xEF\xBF\xBDx"},
        {"two\r\nlines\tand tab", "two  lines and tab"},
        {"\xEF\xBF\xBE\xEF\xBF\xBF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"\xE5\x9E\xAB\xE7\x9F\xB3", "\xE5\x9E\xAB\xE7\x9F\xB3"},  // Chinese stays as it is
    };
    for (const auto& row : rows) EXPECT_EQ(markup_escaped(row.in), row.out) << row.in;
}

TEST(SheetEscaping, SvgOfHostileTextsIsWellFormedAndKeepsTheTextsAsText)
{
    const std::string svg = svg_document(hand_made());
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(svg.c_str())) << svg.substr(0, 400);
    EXPECT_TRUE(ds_text::is_utf8(svg));
    EXPECT_EQ(std::string(doc.child("svg").child("title").text().get()),
              "A&B <b>\"q\"\xEF\xBF\xBD\xEF\xBF\xBD    0 LINE   8 EVIL ");
    EXPECT_TRUE(doc.select_nodes("//script").empty());
    // REBAR is drawn heavier than OUTLINE whatever weights the entities carry.
    const auto rebar = doc.select_node("//g[@id='REBAR']/line").node();
    const auto outline = doc.select_node("//g[@id='OUTLINE']/polygon").node();
    EXPECT_GT(rebar.attribute("stroke-width").as_double(), outline.attribute("stroke-width").as_double());
}

TEST(SheetEscaping, DxfTextsHoldNoLineBreakAndMultiLineTextsBecomeMText)
{
    EXPECT_EQ(dxf_line_text("a\r\n  0\nLINE\tx\x01"), "a  0LINE x");
    EXPECT_EQ(dxf_mtext("a\r\nb\rc\nd\\{e}"), "a\\Pb\\Pc\\Pd\\\\\\{e\\}");
    // The second byte of a GBK character may be a backslash: it is not escaped.
    EXPECT_EQ(dxf_mtext(CString(std::string_view("\x81\x5C" "x"))), "\x81\x5C" "x");
    std::string chinese;
    for (int i = 0; i < 200; ++i) chinese += "\x81\x5C";
    for (const std::string& piece : dxf_pieces("a" + chinese, 7)) {
        EXPECT_LE(piece.size(), 7u);
        EXPECT_NE(static_cast<unsigned char>(piece.back()), 0x81) << "a character was cut";
    }
}

/// What dxflib's reader finds in a file.
struct read_back : DL_CreationAdapter {
    std::set<std::string> layers;
    std::vector<DL_LineData> rebar_lines;
    std::vector<std::pair<DL_DimensionData, DL_DimLinearData>> dimensions;
    std::vector<std::string> texts;
    double outline_edge = 0.0;
    std::vector<DL_VertexData> vertices;
    void addLayer(const DL_LayerData& d) override { layers.insert(d.name); }
    void addLine(const DL_LineData& d) override
    {
        layers.insert(getAttributes().getLayer());
        if (getAttributes().getLayer() == "REBAR") rebar_lines.push_back(d);
    }
    void addVertex(const DL_VertexData& d) override
    {
        if (getAttributes().getLayer() == "OUTLINE") vertices.push_back(d);
    }
    void addText(const DL_TextData& d) override { texts.push_back(d.text); }
    void addMText(const DL_MTextData& d) override { texts.push_back(d.text); }
    void addDimLinear(const DL_DimensionData& d, const DL_DimLinearData& l) override { dimensions.push_back({d, l}); }
};

class SheetFiles : public ds_test::temp_folder_test {};

TEST_F(SheetFiles, DxfPutsViewsAtTrueSizeWritesMeasuredDimensionsAndInjectsNothing)
{
    write_dxf(hand_made(), m_dir / "s.dxf");
    const std::string bytes = ds_file::read_whole_file(m_dir / "s.dxf");
    EXPECT_EQ(bytes.find('\r'), std::string::npos);
    read_back got;
    DL_Dxf dxf;
    ASSERT_TRUE(dxf.in((m_dir / "s.dxf").string(), &got));
    EXPECT_FALSE(got.layers.contains("EVIL"));
    ASSERT_EQ(got.rebar_lines.size(), 1u);  // the hostile texts made no LINE
    const DL_LineData& bar = got.rebar_lines[0];
    EXPECT_NEAR(bar.x2 - bar.x1, 520.0, 1e-6);  // 104 mm of paper at 1:5
    ASSERT_GE(got.vertices.size(), 2u);
    EXPECT_NEAR(got.vertices[1].x - got.vertices[0].x, 560.0, 1e-6);
    ASSERT_EQ(got.dimensions.size(), 1u);
    const DL_DimLinearData& dim = got.dimensions[0].second;
    EXPECT_NEAR(std::hypot(dim.dpx2 - dim.dpx1, dim.dpy2 - dim.dpy1), 560.0, 1e-6);
    EXPECT_EQ(got.dimensions[0].first.text, "");  // "560" is the measured value
    std::size_t multi = 0;
    for (const std::string& t : got.texts) multi += t.find("\\P") != std::string::npos;
    EXPECT_EQ(multi, 1u);  // the hostile note, as MTEXT
}

TEST_F(SheetFiles, PdfHoldsAPagePerSheetAndAppearsOnlyWhenFinished)
{
    const sheet page = hand_made();
    const flat_sheet flat = flatten_for_writers(page);
    {
        pdf_book unfinished(m_dir / "gone.pdf");
        unfinished.add(flat);
    }
    EXPECT_EQ(files_in_dir(), 0u);
    pdf_book book(m_dir / "set.pdf");
    book.add(flat);
    book.add(flat);
    book.finish("set");
    const std::string pdf = ds_file::read_whole_file(m_dir / "set.pdf");
    EXPECT_TRUE(pdf.starts_with("%PDF-"));
    EXPECT_EQ(book.pages(), 2);
    EXPECT_NE(pdf.find("/FontFile"), std::string::npos) << "the font is embedded";
    EXPECT_NE(pdf.find("/Outlines"), std::string::npos) << "the pages are listed by title";
}

TEST_F(SheetFiles, HtmlIndexIsUtf8WithEveryTextEscaped)
{
    const std::vector<indexed_sheet> sheets{{"D<1>", hostile, "a b.svg", "a b.dxf"}};
    const std::string page = ds_file::read_whole_file(write_html_index(m_dir, "<h1>&", sheets, "sets/all.pdf"));
    EXPECT_TRUE(ds_text::is_utf8(page));
    EXPECT_EQ(page.find("<b>"), std::string::npos);
    EXPECT_EQ(page.find("EVIL\n"), std::string::npos);
    EXPECT_NE(page.find("&lt;h1&gt;&amp;"), std::string::npos);
    EXPECT_NE(page.find("href=\"sets/all.pdf\""), std::string::npos);
    EXPECT_NE(page.find("href=\"a%20b.dxf\""), std::string::npos);
}

TEST(SheetModelSpace, ViewsKeepTheirOriginAndTrueSizeAndPaperIsEnlargedByTheSheetScale)
{
    const std::vector<view_frame> views{{"PLAN", {90, 90}, {250, 220}, {100, 100}, 5},
                                        {"DETAIL", {280, 90}, {400, 200}, {300, 100}, 2}};
    const model_space_mapping map(views);
    EXPECT_EQ(map.sheet_scale(), 5);
    const struct {
        point paper, model;
    } rows[] = {
        {{100, 100}, {500, 500}},    // the plan's origin: at 1:5 view and paper agree
        {{212, 100}, {1060, 500}},   // 112 mm of paper at 1:5 is 560
        {{300, 100}, {1500, 500}},   // the detail's origin stays where the paper puts it
        {{310, 110}, {1520, 520}},   // and 10 mm of paper at 1:2 is 20
        {{20, 20}, {100, 100}},      // paper outside every view: enlarged by 5
    };
    for (const auto& row : rows) {
        const point got = map.place(row.paper).at(row.paper);
        EXPECT_NEAR(got.x, row.model.x, 1e-9) << row.paper.x << "," << row.paper.y;
        EXPECT_NEAR(got.y, row.model.y, 1e-9) << row.paper.x << "," << row.paper.y;
    }
}

TEST(SheetFileNames, TitlesBecomeSafeFileNamesAndNeverShareOne)
{
    const struct {
        std::string title, stem;
    } rows[] = {
        {"a/b\\c", "a-b-c"},
        {std::string("p.json\0x", 8), "p.json-x"},
        {"tab\there\r\n", "tab-here--"},
        {"con", "sheet-con"},
        {"LPT1.txt", "sheet-LPT1.txt"},
        {"..hidden. ", "hidden"},
        {"", "sheet"},
        {"a:b*c?d\"e<f>g|h", "a-b-c-d-e-f-g-h"},
    };
    for (const auto& row : rows) EXPECT_EQ(safe_file_stem(CString(std::string_view(row.title))), row.stem) << row.title;

    std::string long_title;
    for (int i = 0; i < 200; ++i) long_title += "\xB3\xA4";  // GBK of a Chinese character
    const std::string stem = safe_file_stem(CString(std::string_view(long_title)));
    EXPECT_LE(stem.size(), max_file_stem);
    EXPECT_TRUE(ds_text::is_utf8(stem));

    file_name_register names;
    std::set<std::string> given;
    for (const char* title : {"a/b", "a-b", "A-B", "a-b", "a-b"}) given.insert(names.claim("D", title));
    EXPECT_EQ(given.size(), 5u);
}

}  // namespace
}  // namespace ds_sheet
