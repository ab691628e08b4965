// Header, tables and objects of the sheet DXF files.
#include "host/sheet_dxf/dxf_sections.h"

#include <cstdio>

#include <cmath>
#include <tuple>

#include "host/sheet_model/layer_style.h"

namespace ds_sheet::dxf {

namespace {

/// Handles dxflib gives its fixed objects end below this one.
constexpr unsigned long first_free_handle = 0x100;

void point_value(writer& dw, int code, point p)
{
    dw.dxfReal(code, p.x);
    dw.dxfReal(code + 10, p.y);
    dw.dxfReal(code + 20, 0.0);
}

void header_point(writer& dw, const char* name, point p)
{
    dw.dxfString(9, name);
    point_value(dw, 10, p);
}

/// The active viewport shows the whole sheet when the file is opened.
void write_viewport(writer& dw, const drawing_facts& facts)
{
    dw.dxfString(0, "TABLE");
    dw.dxfString(2, "VPORT");
    dw.dxfHex(5, 0x8);
    dw.dxfString(100, "AcDbSymbolTable");
    dw.dxfInt(70, 1);
    dw.dxfString(0, "VPORT");
    dw.handle();
    dw.dxfHex(330, 0x8);
    dw.dxfString(100, "AcDbSymbolTableRecord");
    dw.dxfString(100, "AcDbViewportTableRecord");
    dw.dxfString(2, "*Active");
    dw.dxfInt(70, 0);
    const double width = facts.extent_max.x - facts.extent_min.x, height = facts.extent_max.y - facts.extent_min.y;
    for (const auto& [code, x, y] : {std::tuple{10, 0.0, 0.0}, std::tuple{11, 1.0, 1.0},
                                     std::tuple{12, facts.extent_min.x + width / 2, facts.extent_min.y + height / 2},
                                     std::tuple{13, 0.0, 0.0}, std::tuple{14, 10.0, 10.0}, std::tuple{15, 10.0, 10.0}}) {
        dw.dxfReal(code, x);
        dw.dxfReal(code + 10, y);
    }
    point_value(dw, 16, {0.0, 0.0});
    dw.dxfReal(36, 1.0);
    point_value(dw, 17, {0.0, 0.0});
    dw.dxfReal(40, height * 1.05);
    dw.dxfReal(41, height > 0 ? width / height : 1.0);
    dw.dxfReal(42, 50.0);
    for (const int code : {43, 44, 50, 51}) dw.dxfReal(code, 0.0);
    for (const auto& [code, value] : {std::pair{71, 0}, std::pair{72, 100}, std::pair{73, 1}, std::pair{74, 3},
                                      std::pair{75, 0}, std::pair{76, 0}, std::pair{77, 0}, std::pair{78, 0}})
        dw.dxfInt(code, value);
    dw.tableEnd();
}

void write_linetypes(DL_Dxf& dxf, writer& dw)
{
    dw.tableLinetypes(4);
    dxf.writeLinetype(dw, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    double pattern[std::size(dash_dot_pattern)];
    double total = 0.0;
    for (std::size_t i = 0; i < std::size(dash_dot_pattern); ++i) {
        pattern[i] = i % 2 ? -dash_dot_pattern[i] : dash_dot_pattern[i];  // gaps are negative in DXF
        total += dash_dot_pattern[i];
    }
    dxf.writeLinetype(dw, DL_LinetypeData("CENTER", "Center ____ . ____ . ____", 0,
                                          static_cast<int>(std::size(pattern)), total, pattern));
    dw.tableEnd();
}

void write_layers(DL_Dxf& dxf, writer& dw)
{
    dw.tableLayers(static_cast<int>(layer_styles().size()) + 1);
    dxf.writeLayer(dw, DL_LayerData("0", 0), DL_Attributes("", 7, 18, "CONTINUOUS", 1.0));
    for (const layer_style& s : layer_styles())
        dxf.writeLayer(dw, DL_LayerData(s.name, 0),
                       DL_Attributes("", s.aci, static_cast<int>(std::lround(s.weight * 100)),
                                     s.pattern == line_pattern::dash_dot ? "CENTER" : "CONTINUOUS", 1.0));
    dw.tableEnd();
}

/// The text styles; returns the handle of FANGSONG.
unsigned long write_styles(writer& dw)
{
    dw.tableStyle(2);
    unsigned long fangsong = 0;
    for (const char* name : {"Standard", text_style}) {
        dw.dxfString(0, "STYLE");
        const unsigned long h = dw.handle();
        if (std::string(name) == text_style) fangsong = h;
        dw.dxfHex(330, 3);
        dw.dxfString(100, "AcDbSymbolTableRecord");
        dw.dxfString(100, "AcDbTextStyleTableRecord");
        dw.dxfString(2, name);
        dw.dxfInt(70, 0);
        dw.dxfReal(40, 0.0);
        dw.dxfReal(41, width_factor);
        dw.dxfReal(50, 0.0);
        dw.dxfInt(71, 0);
        dw.dxfReal(42, 3.5);
        dw.dxfString(3, text_font);
        dw.dxfString(4, "");
    }
    dw.tableEnd();
    return fangsong;
}

void write_dimension_style(writer& dw, const std::string& name, int scale, unsigned long style)
{
    dw.dxfString(0, "DIMSTYLE");
    dw.handle(105);
    dw.dxfHex(330, 0xA);
    dw.dxfString(100, "AcDbSymbolTableRecord");
    dw.dxfString(100, "AcDbDimStyleTableRecord");
    dw.dxfString(2, name);
    dw.dxfInt(70, 0);
    dw.dxfReal(40, scale);   // DIMSCALE: sizes below are on paper
    dw.dxfReal(41, 2.0);     // DIMASZ
    dw.dxfReal(42, 1.0);     // DIMEXO: extension lines stop short of the object
    dw.dxfReal(44, 1.5);     // DIMEXE: and run past the dimension line
    dw.dxfReal(140, 3.5);    // DIMTXT
    dw.dxfReal(142, 1.2);    // DIMTSZ: oblique ticks, not arrows
    dw.dxfReal(144, 1.0);    // DIMLFAC: the measured length is the true length
    dw.dxfReal(147, 0.8);    // DIMGAP
    dw.dxfInt(73, 0);        // DIMTIH: texts aligned with the line
    dw.dxfInt(74, 0);        // DIMTOH
    dw.dxfInt(77, 1);        // DIMTAD: text above the line
    dw.dxfInt(271, 0);       // DIMDEC: whole millimetres
    dw.dxfInt(278, 46);      // DIMDSEP '.'
    dw.dxfHex(340, static_cast<int>(style));  // DIMTXSTY
}

void write_dimension_styles(writer& dw, const drawing_facts& facts, unsigned long style)
{
    dw.dxfString(0, "TABLE");
    dw.dxfString(2, "DIMSTYLE");
    dw.dxfHex(5, 0xA);
    dw.dxfString(100, "AcDbSymbolTable");
    dw.dxfInt(70, static_cast<int>(facts.dimension_scales.size()) + 1);
    dw.dxfString(100, "AcDbDimStyleTable");
    dw.dxfInt(71, 0);
    write_dimension_style(dw, "Standard", facts.sheet_scale, style);
    for (const int n : facts.dimension_scales) write_dimension_style(dw, dimension_style(n), n, style);
    dw.tableEnd();
}

/// One object of the OBJECTS section: type, handle, owner, then its groups.
void object_head(writer& dw, const char* type, int handle, int owner)
{
    dw.dxfString(0, type);
    dw.dxfHex(5, handle);
    dw.dxfHex(330, owner);
}

void dictionary(writer& dw, int handle, int owner, std::initializer_list<std::pair<const char*, int>> entries)
{
    object_head(dw, "DICTIONARY", handle, owner);
    dw.dxfString(100, "AcDbDictionary");
    dw.dxfInt(281, 1);
    for (const auto& [name, entry] : entries) {
        dw.dxfString(3, name);
        dw.dxfHex(350, entry);
    }
}

/// A layout bound to its block record; the paper size of Layout1 is A3.
void layout(writer& dw, int handle, const char* name, int tab, int block_record)
{
    object_head(dw, "LAYOUT", handle, 0x1A);
    dw.dxfString(100, "AcDbPlotSettings");
    dw.dxfString(1, "");
    dw.dxfString(2, "none_device");
    dw.dxfString(4, "");
    dw.dxfString(6, "");
    for (int code = 40; code <= 49; ++code) dw.dxfReal(code, 0.0);
    dw.dxfReal(140, 0.0);
    dw.dxfReal(141, 0.0);
    dw.dxfReal(142, 1.0);
    dw.dxfReal(143, 1.0);
    dw.dxfInt(70, tab == 0 ? 1712 : 688);
    dw.dxfInt(72, 1);  // millimetres
    dw.dxfInt(73, 0);
    dw.dxfInt(74, tab == 0 ? 0 : 5);
    dw.dxfString(7, "");
    dw.dxfInt(75, tab == 0 ? 0 : 16);
    dw.dxfReal(147, 1.0);
    dw.dxfReal(148, 0.0);
    dw.dxfReal(149, 0.0);
    dw.dxfString(100, "AcDbLayout");
    dw.dxfString(1, name);
    dw.dxfInt(70, 1);
    dw.dxfInt(71, tab);
    point_value(dw, 10, {0.0, 0.0});
    dw.dxfReal(11, 420.0);
    dw.dxfReal(21, 297.0);
    point_value(dw, 12, {0.0, 0.0});
    point_value(dw, 14, {0.0, 0.0});
    point_value(dw, 15, {0.0, 0.0});
    dw.dxfReal(146, 0.0);
    point_value(dw, 13, {0.0, 0.0});
    point_value(dw, 16, {1.0, 0.0});
    point_value(dw, 17, {0.0, 1.0});
    dw.dxfInt(76, 0);
    dw.dxfHex(330, block_record);
}

}  // namespace

std::string dimension_style(int scale) { return "1-" + std::to_string(scale); }

void write_header(DL_Dxf& dxf, writer& dw, const drawing_facts& facts)
{
    dxf.writeHeader(dw);
    dw.dxfString(9, "$DWGCODEPAGE");
    dw.dxfString(3, "ANSI_936");
    dw.dxfString(9, "$INSUNITS");
    dw.dxfInt(70, 4);
    dw.dxfString(9, "$MEASUREMENT");
    dw.dxfInt(70, 1);
    dw.dxfString(9, "$LUNITS");
    dw.dxfInt(70, 2);
    dw.dxfString(9, "$LTSCALE");
    dw.dxfReal(40, facts.sheet_scale);
    dw.dxfString(9, "$DIMSCALE");
    dw.dxfReal(40, facts.sheet_scale);
    dw.dxfString(9, "$DIMSTYLE");
    dw.dxfString(2, "Standard");
    dw.dxfString(9, "$TEXTSTYLE");
    dw.dxfString(7, text_style);
    dw.dxfString(9, "$LWDISPLAY");
    dw.dxfInt(290, 1);
    header_point(dw, "$EXTMIN", facts.extent_min);
    header_point(dw, "$EXTMAX", facts.extent_max);
    header_point(dw, "$LIMMIN", facts.extent_min);
    header_point(dw, "$LIMMAX", facts.extent_max);
    dw.sectionEnd();
}

void write_tables(DL_Dxf& dxf, writer& dw, const drawing_facts& facts)
{
    dw.sectionTables();
    write_viewport(dw, facts);
    write_linetypes(dxf, dw);
    write_layers(dxf, dw);
    dw.skip_handles_to(first_free_handle);
    const unsigned long style = write_styles(dw);
    dxf.writeView(dw);
    dxf.writeUcs(dw);
    dw.tableAppid(1);
    dxf.writeAppid(dw, "ACAD");
    dw.tableEnd();
    write_dimension_styles(dw, facts, style);
    dxf.writeBlockRecord(dw);
    for (const std::string& block : facts.dimension_blocks) dxf.writeBlockRecord(dw, block);
    dw.tableEnd();
    dw.sectionEnd();
}

void write_objects(writer& dw)
{
    dw.sectionObjects();
    dictionary(dw, 0xC, 0, {{"ACAD_GROUP", 0xD}, {"ACAD_LAYOUT", 0x1A}, {"ACAD_MLINESTYLE", 0x17},
                            {"ACAD_PLOTSETTINGS", 0x19}, {"ACAD_PLOTSTYLENAME", 0xE}});
    dictionary(dw, 0xD, 0xC, {});
    object_head(dw, "ACDBDICTIONARYWDFLT", 0xE, 0xC);
    dw.dxfString(100, "AcDbDictionary");
    dw.dxfInt(281, 1);
    dw.dxfString(3, "Normal");
    dw.dxfHex(350, 0xF);
    dw.dxfString(100, "AcDbDictionaryWithDefault");
    dw.dxfHex(340, 0xF);
    object_head(dw, "ACDBPLACEHOLDER", 0xF, 0xE);
    dictionary(dw, 0x17, 0xC, {{"Standard", 0x18}});
    object_head(dw, "MLINESTYLE", 0x18, 0x17);
    dw.dxfString(100, "AcDbMlineStyle");
    dw.dxfString(2, "STANDARD");
    dw.dxfInt(70, 0);
    dw.dxfString(3, "");
    dw.dxfInt(62, 256);
    dw.dxfReal(51, 90.0);
    dw.dxfReal(52, 90.0);
    dw.dxfInt(71, 2);
    for (const double offset : {0.5, -0.5}) {
        dw.dxfReal(49, offset);
        dw.dxfInt(62, 256);
        dw.dxfString(6, "BYLAYER");
    }
    dictionary(dw, 0x19, 0xC, {});
    dictionary(dw, 0x1A, 0xC, {{"Layout1", 0x1E}, {"Layout2", 0x26}, {"Model", 0x22}});
    layout(dw, 0x1E, "Layout1", 1, 0x1B);
    layout(dw, 0x22, "Model", 0, 0x1F);
    layout(dw, 0x26, "Layout2", 2, 0x23);
    dw.sectionEnd();
}

void writer::group_code(int gc) const
{
    // Group codes right-aligned in three columns, as dxflib writes them.
    if (gc < 10) m_text += "  ";
    else if (gc < 100) m_text += ' ';
    m_text += std::to_string(gc);
    m_text += '\n';
}

void writer::dxfString(int gc, const char* value) const
{
    group_code(gc);
    m_text += value ? value : "";
    m_text += '\n';
}

void writer::dxfString(int gc, const std::string& value) const { dxfString(gc, value.c_str()); }

void writer::dxfInt(int gc, int value) const { dxfString(gc, std::to_string(value)); }

void writer::dxfHex(int gc, int value) const
{
    char text[16];
    std::snprintf(text, sizeof text, "%0X", static_cast<unsigned>(value));
    dxfString(gc, text);
}

void writer::dxfReal(int gc, double value) const
{
    // Sixteen decimals with the zeros after the first decimal cut away:
    // "1.5", "2.0", "0.1000000000000001", as dxflib writes a real.
    char text[512];
    std::snprintf(text, sizeof text, "%.16f", value);
    std::string number(text);
    const std::size_t dot = number.find('.');
    if (dot != std::string::npos) {
        std::size_t end = dot + 2;
        for (std::size_t i = dot + 1; i < number.size(); ++i)
            if (number[i] != '0') end = i + 1;
        if (end < number.size()) number.resize(end);
    }
    dxfString(gc, number);
}

}  // namespace ds_sheet::dxf
