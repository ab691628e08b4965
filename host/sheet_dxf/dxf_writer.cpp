// DXF output of a sheet with dxflib's writer.
#include "host/sheet_dxf/dxf_writer.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "host/framework/atomic_file.h"
#include "host/sheet_dxf/dxf_model_space.h"
#include "host/sheet_dxf/dxf_sections.h"
#include "host/sheet_dxf/dxf_text.h"
#include "host/sheet_model/layer_style.h"

namespace ds_sheet {

namespace {

using placement = model_space_mapping::placement;

point midpoint(point a, point b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }

/// Entities BYLAYER; an explicit weight only where the layer keeps entity weights and this one differs.
DL_Attributes attributes(layer kind, double own = -1.0)
{
    const layer_style& s = style_of(kind);
    const double pen = pen_width(kind, own);
    const int width = std::fabs(pen - s.weight) < 1e-9 ? -1 : static_cast<int>(std::lround(pen * 100.0));
    return DL_Attributes(s.name, 256, width, "BYLAYER", 1.0);
}

class entity_writer {
public:
    entity_writer(DL_Dxf& dxf, dxf::writer& dw, const model_space_mapping& map) : m_dxf(dxf), m_dw(dw), m_map(map) {}

    /// Every entity of `all`, each placed by its own anchor, or all by `fixed` when given.
    void write(const primitives& all, const placement* fixed = nullptr) const
    {
        auto at = [&](point anchor) { return fixed ? *fixed : m_map.place(anchor); };
        for (const line& l : all.lines) {
            const placement p = at(midpoint(l.a, l.b));
            const point a = p.at(l.a), b = p.at(l.b);
            m_dxf.writeLine(m_dw, DL_LineData(a.x, a.y, 0.0, b.x, b.y, 0.0), attributes(l.on, l.weight));
        }
        for (const polyline& pl : all.polylines) {
            if (pl.points.empty()) continue;
            const placement p = at(pl.points.front());
            m_dxf.writePolyline(m_dw, DL_PolylineData(static_cast<int>(pl.points.size()), 0, 0, pl.closed ? 1 : 0),
                                attributes(pl.on, pl.weight));
            for (const point& v : pl.points) {
                const point m = p.at(v);
                m_dxf.writeVertex(m_dw, DL_VertexData(m.x, m.y, 0.0, 0.0));
            }
            m_dxf.writePolylineEnd(m_dw);
        }
        for (const circle& c : all.circles) {
            const placement p = at(c.centre);
            const point m = p.at(c.centre);
            m_dxf.writeCircle(m_dw, DL_CircleData(m.x, m.y, 0.0, c.radius * p.factor), attributes(c.on, c.weight));
        }
        for (const hatch& h : all.hatches)
            if (!h.loop.empty()) write_hatch(h, at(h.loop.front()));
        for (const text& t : all.texts) write_text(t, at(t.at));
    }

private:
    void write_hatch(const hatch& h, const placement& p) const
    {
        DL_HatchData data(1, true, 1.0, 0.0, "SOLID");
        m_dxf.writeHatch1(m_dw, data, attributes(h.on));
        DL_HatchLoopData loop(static_cast<int>(h.loop.size()));
        m_dxf.writeHatchLoop1(m_dw, loop);
        for (std::size_t i = 0; i < h.loop.size(); ++i) {
            const point a = p.at(h.loop[i]), b = p.at(h.loop[(i + 1) % h.loop.size()]);
            m_dxf.writeHatchEdge(m_dw, DL_HatchEdgeData(a.x, a.y, b.x, b.y));
        }
        m_dxf.writeHatchLoop2(m_dw, loop);
        m_dxf.writeHatch2(m_dw, data, attributes(h.on));
    }

    void write_text(const text& t, const placement& p) const
    {
        const point at = p.at(t.at);
        if (has_line_break(t.value)) return write_mtext(t, at, t.height * p.factor);
        const int h = t.h == h_align::left ? 0 : t.h == h_align::center ? 1 : 2;
        const int v = t.v == v_align::baseline ? 0 : t.v == v_align::middle ? 2 : 3;
        m_dxf.writeText(m_dw,
                        DL_TextData(at.x, at.y, 0.0, at.x, at.y, 0.0, t.height * p.factor, dxf::width_factor, 0, h, v,
                                    dxf_line_text(t.value), dxf::text_style, t.angle_deg * M_PI / 180.0),
                        attributes(t.on));
    }

    /// A text of several lines, as MTEXT with \P between its lines.
    void write_mtext(const text& t, point at, double height) const
    {
        const int column = t.h == h_align::left ? 1 : t.h == h_align::center ? 2 : 3;
        const int row = t.v == v_align::top ? 0 : t.v == v_align::middle ? 1 : 2;
        m_dw.entity("MTEXT");
        m_dw.dxfString(100, "AcDbEntity");
        m_dw.dxfString(8, style_of(t.on).name);
        m_dw.dxfString(100, "AcDbMText");
        m_dw.dxfReal(10, at.x);
        m_dw.dxfReal(20, at.y);
        m_dw.dxfReal(30, 0.0);
        m_dw.dxfReal(40, height);
        m_dw.dxfInt(71, row * 3 + column);
        m_dw.dxfInt(72, 1);
        const std::vector<std::string> pieces = dxf_pieces(dxf_mtext(t.value));
        for (std::size_t i = 0; i + 1 < pieces.size(); ++i) m_dw.dxfString(3, pieces[i]);
        m_dw.dxfString(1, pieces.back());
        m_dw.dxfString(7, dxf::text_style);
        const double a = t.angle_deg * M_PI / 180.0;
        m_dw.dxfReal(11, std::cos(a));
        m_dw.dxfReal(21, std::sin(a));
        m_dw.dxfReal(31, 0.0);
    }

    DL_Dxf& m_dxf;
    dxf::writer& m_dw;
    const model_space_mapping& m_map;
};

/// The value a DIMENSION entity shows: "" (the measured value) when the
/// sheet's text is the measured length in whole millimetres, else the text.
std::string dimension_text(const dimension& dim, double measured)
{
    const std::string value = dxf_line_text(dim.value);
    return value == std::to_string(std::lround(measured)) ? std::string() : dxf_mtext(dim.value);
}

void write_dimension(dxf::writer& dw, const dimension& dim, const primitives& picture, const placement& p,
                     const std::string& block)
{
    const point from = p.at(dim.from), to = p.at(dim.to), line_to = p.at(dim.line_to);
    const double angle = std::atan2(dim.line_to.y - dim.line_from.y, dim.line_to.x - dim.line_from.x);
    const double measured = std::fabs((to.x - from.x) * std::cos(angle) + (to.y - from.y) * std::sin(angle));
    const point text_at = picture.texts.empty() ? midpoint(line_to, p.at(dim.line_from)) : p.at(picture.texts.back().at);
    dw.entity("DIMENSION");
    dw.dxfString(100, "AcDbEntity");
    dw.dxfString(8, style_of(layer::dimension).name);
    dw.dxfString(100, "AcDbDimension");
    dw.dxfString(2, block);
    dw.dxfReal(10, line_to.x);
    dw.dxfReal(20, line_to.y);
    dw.dxfReal(30, 0.0);
    dw.dxfReal(11, text_at.x);
    dw.dxfReal(21, text_at.y);
    dw.dxfReal(31, 0.0);
    dw.dxfInt(70, 32);  // rotated linear, its block drawn for it alone
    dw.dxfInt(71, 5);
    dw.dxfString(1, dimension_text(dim, measured));
    dw.dxfString(3, dxf::dimension_style(p.scale));
    dw.dxfString(100, "AcDbAlignedDimension");
    for (const auto& [code, q] : {std::pair{13, from}, std::pair{14, to}}) {
        dw.dxfReal(code, q.x);
        dw.dxfReal(code + 10, q.y);
        dw.dxfReal(code + 20, 0.0);
    }
    dw.dxfReal(50, angle * 180.0 / M_PI);
    dw.dxfString(100, "AcDbRotatedDimension");
}

/// The whole file's text, made with dxflib's entity calls.
std::string dxf_text(const flat_sheet& flat)
{
    const sheet& page = *flat.page;
    const model_space_mapping map(page.views);
    dxf::drawing_facts facts;
    facts.sheet_scale = map.sheet_scale();
    facts.extent_max = {page.width * facts.sheet_scale, page.height * facts.sheet_scale};
    facts.dimension_scales.push_back(facts.sheet_scale);
    std::vector<placement> places;
    for (std::size_t i = 0; i < page.dimensions.size(); ++i) {
        places.push_back(map.place(midpoint(page.dimensions[i].from, page.dimensions[i].to)));
        if (std::find(facts.dimension_scales.begin(), facts.dimension_scales.end(), places.back().scale) ==
            facts.dimension_scales.end())
            facts.dimension_scales.push_back(places.back().scale);
        facts.dimension_blocks.push_back("*D" + std::to_string(i + 1));
    }

    DL_Dxf dxf;
    dxf::writer dw(DL_Codes::AC1015);
    dxf::write_header(dxf, dw, facts);
    dxf::write_tables(dxf, dw, facts);
    const entity_writer entities(dxf, dw, map);
    dw.sectionBlocks();
    for (const char* name : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
        dxf.writeBlock(dw, DL_BlockData(name, 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(dw, name);
    }
    for (std::size_t i = 0; i < flat.dimensions.size(); ++i) {
        dxf.writeBlock(dw, DL_BlockData(facts.dimension_blocks[i], 1, 0.0, 0.0, 0.0));
        entities.write(flat.dimensions[i], &places[i]);
        dxf.writeEndBlock(dw, facts.dimension_blocks[i]);
    }
    dw.sectionEnd();
    dw.sectionEntities();
    entities.write(flat.body);
    for (std::size_t i = 0; i < flat.dimensions.size(); ++i)
        write_dimension(dw, page.dimensions[i], flat.dimensions[i], places[i], facts.dimension_blocks[i]);
    dw.sectionEnd();
    dxf::write_objects(dw);
    dw.dxfEOF();
    return dw.text();
}

}  // namespace

void write_dxf(const flat_sheet& flat, const std::filesystem::path& path)
{
    // The whole file is made in memory and written in one go, atomically.
    const std::string text = dxf_text(flat);
    ds_file::atomic_writer file(path);
    file.write(text);
    file.commit();
}

void write_dxf(const sheet& page, const std::filesystem::path& path) { write_dxf(flatten_for_writers(page), path); }

}  // namespace ds_sheet
