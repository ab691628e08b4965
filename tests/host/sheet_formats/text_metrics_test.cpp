// Texts are measured in the fonts the writers set them in: a cell or a text box
// sized by the old estimate let "单根长(mm)" run out of its cell in a CAD
// program, because an "m" is far wider than a digit and CAD sizes a TrueType
// face by its capital letters.
#include <gtest/gtest.h>

#include "host/sheet_formats/sheet_formats.h"
#include "host/sheet_model/text_metrics.h"

namespace {

using ds_sheet::text_width;

TEST(TextMetrics, WidthsComeFromTheWritersFontsAndTheWidestWins)
{
    ds_sheet::install_text_metrics();  // as every entry point does
    // Noto Sans CJK sets a Chinese character one em wide, but a CAD program sizes the DXF's face by its
    // capital letters (0.73 em): at the style's width factor 0.8 the character is 1.1 heights wide there,
    // the widest of the writers. An "m" is wider than the estimate's 0.6.
    EXPECT_GT(text_width("钢", 1.0), 1.05);
    EXPECT_LT(text_width("钢", 1.0), 1.2);
    EXPECT_GT(text_width("mm", 1.0), 2 * 0.6 + 0.2);
    EXPECT_LT(text_width("I", 1.0), 0.6);
    // Widths add up and scale with the height; text made of two characters is their sum.
    EXPECT_NEAR(text_width("单根长(mm)", 3.5), 3.5 * text_width("单根长(mm)", 1.0), 1e-9);
    EXPECT_NEAR(text_width("N1N1", 2.5), 2 * text_width("N1", 2.5), 1e-9);
    // Wrapping uses the same widths: no line is wider than asked.
    for (const CString& line : ds_sheet::wrap_text("钢筋长度按中心线计mmmmmmmm，各段取整至1mm", 3.5, 30.0))
        EXPECT_LE(text_width(line, 3.5), 30.0 + 1e-9) << line.str();

    // A full stop or comma never starts a line: the character before it goes down with it.
    const CString note = "钢筋重量按钢材密度7850kg/m3、截面积π×d×d/4计。";
    for (double width = 20.0; width < 140.0; width += 0.5)
        for (const CString& line : ds_sheet::wrap_text(note, 3.5, width)) {
            EXPECT_FALSE(line.str().starts_with("。") || line.str().starts_with("、")) << width;
            EXPECT_LE(text_width(line, 3.5), width + 1e-9);
        }

    ds_sheet::set_advance_measure(nullptr);  // the estimate again, as a layout with no fonts would use
    EXPECT_DOUBLE_EQ(text_width("mm", 1.0), 1.2);
    ds_sheet::install_text_metrics();
}

}  // namespace
