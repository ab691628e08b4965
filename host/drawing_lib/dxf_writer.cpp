// DXF output of a sheet with dxflib's writer.
#include "host/drawing_lib/dxf_writer.h"

#include <dxflib/dl_dxf.h>
#include <dxflib/dl_writer_ascii.h>

#include <cmath>
#include <memory>
#include <unistd.h>

#include "host/drawing_lib/sheet_primitives.h"
#include "host/framework/atomic_file.h"
#include "host/text/encoding.h"

namespace ds_sheet {

namespace {

constexpr const char* text_style = "Standard";
/// A CJK TrueType face; CAD programs that lack it substitute their own CJK font.
constexpr const char* cjk_font = "NotoSansCJK-Regular.ttc";

/// AutoCAD colour index of each layer.
int layer_colour(layer kind)
{
    switch (kind) {
    case layer::frame: return 7;      // white on screen, black on paper
    case layer::outline: return 7;
    case layer::rebar: return 1;      // red
    case layer::dimension: return 3;  // green
    case layer::text: return 7;
    case layer::table: return 7;
    case layer::centre: return 1;
    }
    return 7;
}

/// Line weight in hundredths of a millimetre, as DXF stores it.
int weight_code(double mm) { return static_cast<int>(std::lround(mm * 100.0)); }

DL_Attributes attributes(layer kind, double weight = -1.0)
{
    // Colour 256 is BYLAYER; a weight of -1 too.
    return DL_Attributes(layer_name(kind), 256, weight < 0 ? -1 : weight_code(weight), "BYLAYER", 1.0);
}

void write_tables(DL_Dxf& dxf, DL_WriterA& dw)
{
    dw.sectionTables();
    dxf.writeVPort(dw);
    dw.tableLinetypes(3);
    dxf.writeLinetype(dw, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    dw.tableEnd();
    dw.tableLayers(static_cast<int>(std::size(all_layers)) + 1);
    dxf.writeLayer(dw, DL_LayerData("0", 0), DL_Attributes("", 7, 25, "CONTINUOUS", 1.0));
    for (const layer kind : all_layers)
        dxf.writeLayer(dw, DL_LayerData(layer_name(kind), 0),
                       DL_Attributes("", layer_colour(kind), kind == layer::outline ? 50 : 25, "CONTINUOUS", 1.0));
    dw.tableEnd();
    dw.tableStyle(1);
    dxf.writeStyle(dw, DL_StyleData(text_style, 0, 0.0, 0.8, 0.0, 0, 2.5, cjk_font, ""));
    dw.tableEnd();
    dxf.writeView(dw);
    dxf.writeUcs(dw);
    dw.tableAppid(1);
    dxf.writeAppid(dw, "ACAD");
    dw.tableEnd();
    dxf.writeDimStyle(dw, 2.5, 1.5, 1.0, 0.8, 2.5);
    dxf.writeBlockRecord(dw);
    dw.tableEnd();
    dw.sectionEnd();
}

void write_blocks(DL_Dxf& dxf, DL_WriterA& dw)
{
    dw.sectionBlocks();
    for (const char* name : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
        dxf.writeBlock(dw, DL_BlockData(name, 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(dw, name);
    }
    dw.sectionEnd();
}

void write_text(DL_Dxf& dxf, DL_WriterA& dw, const text& t)
{
    const int h = t.h == h_align::left ? 0 : t.h == h_align::center ? 1 : 2;
    const int v = t.v == v_align::baseline ? 0 : t.v == v_align::middle ? 2 : 3;
    dxf.writeText(dw,
                  DL_TextData(t.at.x, t.at.y, 0.0, t.at.x, t.at.y, 0.0, t.height, 0.8, 0, h, v,
                              ds_text::to_gbk(t.value.str()), text_style, t.angle_deg * M_PI / 180.0),
                  attributes(t.on));
}

void write_entities(DL_Dxf& dxf, DL_WriterA& dw, const primitives& all)
{
    dw.sectionEntities();
    for (const line& l : all.lines)
        dxf.writeLine(dw, DL_LineData(l.a.x, l.a.y, 0.0, l.b.x, l.b.y, 0.0), attributes(l.on, l.weight));
    for (const polyline& p : all.polylines) {
        dxf.writePolyline(dw, DL_PolylineData(static_cast<int>(p.points.size()), 0, 0, p.closed ? 1 : 0),
                          attributes(p.on, p.weight));
        for (const point& v : p.points) dxf.writeVertex(dw, DL_VertexData(v.x, v.y, 0.0, 0.0));
        dxf.writePolylineEnd(dw);
    }
    for (const circle& c : all.circles)
        dxf.writeCircle(dw, DL_CircleData(c.centre.x, c.centre.y, 0.0, c.radius), attributes(c.on, c.weight));
    for (const hatch& h : all.hatches) {
        DL_HatchData data(1, true, 1.0, 0.0, "SOLID");
        dxf.writeHatch1(dw, data, attributes(h.on));
        DL_HatchLoopData loop(static_cast<int>(h.loop.size()));
        dxf.writeHatchLoop1(dw, loop);
        for (std::size_t i = 0; i < h.loop.size(); ++i) {
            const point& a = h.loop[i];
            const point& b = h.loop[(i + 1) % h.loop.size()];
            dxf.writeHatchEdge(dw, DL_HatchEdgeData(a.x, a.y, b.x, b.y));
        }
        dxf.writeHatchLoop2(dw, loop);
        dxf.writeHatch2(dw, data, attributes(h.on));
    }
    for (const text& t : all.texts) write_text(dxf, dw, t);
    dw.sectionEnd();
}

/// Writes the whole file to `scratch` with dxflib.
void write_file(const sheet& page, const std::string& scratch)
{
    const primitives all = flatten(page);
    DL_Dxf dxf;
    std::unique_ptr<DL_WriterA> dw(dxf.out(scratch.c_str(), DL_Codes::AC1015));
    if (!dw || dw->openFailed()) throw ds_file::file_error("cannot write " + scratch);
    dxf.writeHeader(*dw);
    dw->dxfString(9, "$DWGCODEPAGE");
    dw->dxfString(3, "ANSI_936");
    dw->dxfString(9, "$INSUNITS");
    dw->dxfInt(70, 4);
    dw->dxfString(9, "$MEASUREMENT");
    dw->dxfInt(70, 1);
    dw->sectionEnd();
    write_tables(dxf, *dw);
    write_blocks(dxf, *dw);
    write_entities(dxf, *dw, all);
    dxf.writeObjects(*dw);
    dxf.writeObjectsEnd(*dw);
    dw->dxfEOF();
    dw->close();
}

}  // namespace

void write_dxf(const sheet& page, const std::filesystem::path& path)
{
    // dxflib writes only to a file name: it writes a scratch file, which then
    // replaces the target atomically.
    std::string scratch = (std::filesystem::temp_directory_path() / "ds-sheet-XXXXXX").string();
    const int fd = mkstemp(scratch.data());
    if (fd < 0) throw ds_file::file_error("cannot create a scratch file for " + path.string());
    close(fd);
    try {
        write_file(page, scratch);
        ds_file::write_file_atomically(path, ds_file::read_whole_file(scratch));
    } catch (...) {
        std::filesystem::remove(scratch);
        throw;
    }
    std::filesystem::remove(scratch);
}

}  // namespace ds_sheet
