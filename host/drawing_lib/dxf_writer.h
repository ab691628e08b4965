// dxf_writer: a sheet as a DXF file, through dxflib.
//
// AutoCAD 2000 (AC1015) layout, millimetre units ($INSUNITS 4), one layer per
// kind of entity (FRAME, OUTLINE, REBAR, DIMENSION, TEXT, TABLE) with its own
// colour and BYLAYER entities. Text is GBK and the header says so with
// $DWGCODEPAGE ANSI_936, the code page CAD programs read Chinese drawings in;
// the text style names a CJK TrueType face (Noto Sans CJK, which Linux
// readers find; others substitute their CJK font), at the 0.8 width factor
// of Chinese drawings. Dimensions are drawn out as lines and texts on the DIMENSION layer, so
// they look the same in every reader without dimension blocks.
#pragma once

#include <filesystem>

#include "host/drawing_lib/sheet_model.h"

namespace ds_sheet {

/// Writes `page` to `path`. The file is first written beside the target and
/// then renamed over it, so a failure leaves an existing file intact. Throws
/// ds_file::file_error when the file cannot be written and
/// ds_text::conversion_error when a text has no GBK form.
void write_dxf(const sheet& page, const std::filesystem::path& path);

}  // namespace ds_sheet
