// dxf_writer: a sheet as a DXF file a CAD user can work in, through dxflib.
//
// AutoCAD 2000 (AC1015) layout, millimetre units ($INSUNITS 4), texts in GBK
// under $DWGCODEPAGE ANSI_936 (the code page CAD programs read Chinese
// drawings in). The views are at true size in model space, the paper around
// them enlarged by the sheet scale (dxf_model_space.h). One layer per kind of
// entity, styled from the layer style table, and entities BYLAYER in colour,
// line type and (except where the layer keeps entity weights) weight. Texts
// use the CJK style FANGSONG and go through dxf_text's rules, so no text can
// break the file's group structure. Dimensions are DIMENSION entities
// (rotated linear) measured from the object's points, each with its anonymous
// block "*Dn" holding the picture every reader shows; the sheet's value text
// is kept as the measured value "<>" when it says the measured length in
// whole millimetres, else as an override (a value in centimetres, "5×100").
// Dimension styles and the other tables: dxf_sections.h.
#pragma once

#include <filesystem>

#include "host/sheet_model/sheet_primitives.h"

namespace ds_sheet {

/// Writes a flattened sheet to `path`. The file is first written beside the
/// target and then renamed over it, so a failure leaves an existing file
/// intact. Throws ds_file::file_error when the file cannot be written and
/// ds_text::conversion_error when a text has no GBK form.
void write_dxf(const flat_sheet& flat, const std::filesystem::path& path);
/// write_dxf of `page`, flattened here.
void write_dxf(const sheet& page, const std::filesystem::path& path);

}  // namespace ds_sheet
