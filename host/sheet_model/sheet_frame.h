// sheet_frame: the border, frame and title block of an A3 landscape sheet, and
// where the rest of a sheet may go.
//
// Binding margin 25 mm on the left, 10 mm elsewhere, as drawing offices bind
// their sets. The title block sits in the lower right corner: sheet title,
// project name, scale, drawing number, date, "sheet i of n", and the
// signature strip (design, check, approval) with the names the host gives.
// Chinese text is never below 3.5 mm.
#pragma once

#include "host/afx/cstring.h"
#include "host/sheet_model/sheet_model.h"
#include "host/sheet_model/text_metrics.h"

namespace ds_sheet {

/// Regions of an A3 landscape sheet, mm.
namespace a3 {
inline constexpr double width = 420.0;
inline constexpr double height = 297.0;
/// Inside of the drawing frame.
inline constexpr box frame{25.0, 10.0, 410.0, 287.0};
/// Title block with its signature strip.
inline constexpr box title_block{250.0, 10.0, 410.0, 46.0};
/// Column right of the views, above the title block: tables.
inline constexpr box right_column{250.0, 52.0, 405.0, 282.0};
/// Left part of the sheet: views and notes (or tables on a continuation sheet).
inline constexpr box left_area{30.0, 14.0, 240.0, 282.0};
}  // namespace a3

/// What the title block says.
struct title_block_text {
    CString title;
    CString scale;   ///< "1:10"
    CString number;  ///< drawing number
    int sheet_index = 1;
    int sheet_count = 1;
    CString project;   ///< project name, above the title
    CString date;
    CString designer, checker, approver;  ///< names in the signature strip; blank to sign by hand
};

/// Draws the paper border, the frame and the title block onto `page`.
void draw_frame(sheet& page, const title_block_text& block);

/// Rewrites the drawing number and "第i张 共n张" in the title block draw_frame
/// drew on `page`, so that a sheet made on its own can take its place in a
/// numbered set. False when `page` has no such title block.
bool renumber_title_block(sheet& page, const CString& number, int index, int count);

/// A view or table title in the style of building drawings: the name in large
/// text, underlined by a thick and a thin line, and the scale beside it when
/// `scale` is not empty. `centre_x` and `baseline` place the name.
void draw_caption(sheet& page, const CString& name, const CString& scale, double centre_x, double baseline);

}  // namespace ds_sheet
