// dxf_sections: the header, tables and objects of the sheet DXF files (used
// by dxf_writer only).
//
// dxflib writes the entities and the fixed parts of an AutoCAD 2000 file; the
// parts it writes without owner handles or without the values a CAD user
// needs are written here with its writer's group-code calls:
// - the text style FANGSONG: TrueType 仿宋 (simfang.ttf), width factor 0.8.
//   仿宋 is the face GB/T 14691 prescribes for drawings and ships with every
//   Chinese Windows, so AutoCAD, ZWCAD and the DWG viewers show the texts
//   without the SHX files (gbenor/gbcbig) a plain installation lacks; readers
//   without it substitute their own CJK face (ezdxf through matplotlib).
// - one dimension style per scale in use, "1-n": 45-degree ticks (DIMTSZ),
//   text above the line in FANGSONG, DIMSCALE n so ticks and texts plot at
//   their paper size, DIMLFAC 1 so the measured value is the true length;
// - the layers from the layer style table (colour, weight, line type), the
//   line type CENTER (dash-dot) scaled by $LTSCALE to the sheet scale;
// - the OBJECTS section (root dictionary, layouts, styles) with every object's
//   owner, which dxflib's version leaves out.
#pragma once

#include <dxflib/dl_dxf.h>
#include <dxflib/dl_writer_ascii.h>

#include <string>
#include <vector>

#include "host/sheet_model/sheet_model.h"

namespace ds_sheet::dxf {

/// Name of the text style every text and dimension uses.
inline constexpr const char* text_style = "FANGSONG";
inline constexpr const char* text_font = "simfang.ttf";
/// The family of text_font (仿宋) as fontconfig finds it, else the face a CAD program on Linux stands in
/// for it: a Song face of fonts-noto-cjk (the default sans would give wider Latin digits than 仿宋 has).
inline constexpr const char* text_family = "FangSong,Noto Serif CJK SC";
inline constexpr double width_factor = 0.8;

/// dxflib's ASCII writer with a say over the next handle, so handles of the
/// parts written here never meet the fixed handles dxflib gives its own. It
/// writes into memory, not into dxflib's file stream: dxflib flushes that
/// stream on every real number, which makes a sheet a hundred thousand small
/// writes. The text is the same as dxflib's writer gives, group code by group
/// code; the file is written in one go from text().
class writer : public DL_WriterA {
public:
    explicit writer(DL_Codes::version version) : DL_WriterA("/dev/null", version) {}
    /// The next handle is at least `h`.
    void skip_handles_to(unsigned long h)
    {
        if (m_handle < h) m_handle = h;
    }
    void dxfReal(int gc, double value) const override;
    void dxfInt(int gc, int value) const override;
    void dxfHex(int gc, int value) const override;
    void dxfString(int gc, const char* value) const override;
    void dxfString(int gc, const std::string& value) const override;
    /// Everything written so far.
    const std::string& text() const { return m_text; }

private:
    void group_code(int gc) const;
    mutable std::string m_text;
};

/// What the header and tables depend on.
struct drawing_facts {
    int sheet_scale = 1;
    point extent_min, extent_max;   ///< model-space extents
    std::vector<int> dimension_scales;  ///< distinct, the sheet scale among them
    std::vector<std::string> dimension_blocks;  ///< "*D1" ...
};

/// Dimension style name of scale 1:n.
std::string dimension_style(int scale);

void write_header(DL_Dxf& dxf, writer& dw, const drawing_facts& facts);
void write_tables(DL_Dxf& dxf, writer& dw, const drawing_facts& facts);
void write_objects(writer& dw);

}  // namespace ds_sheet::dxf
