// SVG output of a sheet.
#include "host/sheet_svg/svg_writer.h"

#include <sstream>

#include "host/framework/atomic_file.h"
#include "host/sheet_model/layer_style.h"
#include "host/sheet_model/markup_text.h"
#include "host/text/encoding.h"
#include "host/text/number_format.h"

namespace ds_sheet {

namespace {

class svg_builder {
public:
    explicit svg_builder(double paper_height) : m_height(paper_height) {}

    std::string x(double v) const { return number(v); }
    std::string y(double v) const { return number(m_height - v); }
    static std::string number(double v) { return number_format::fixed_trimmed(v, 3); }

    void line(std::ostream& out, const ds_sheet::line& l) const
    {
        out << "<line x1=\"" << x(l.a.x) << "\" y1=\"" << y(l.a.y) << "\" x2=\"" << x(l.b.x) << "\" y2=\"" << y(l.b.y)
            << "\" stroke-width=\"" << number(pen_width(l.on, l.weight)) << "\"/>\n";
    }

    void points(std::ostream& out, const std::vector<point>& pts) const
    {
        for (std::size_t i = 0; i < pts.size(); ++i) out << (i ? " " : "") << x(pts[i].x) << "," << y(pts[i].y);
    }

    void polyline(std::ostream& out, const ds_sheet::polyline& p) const
    {
        out << (p.closed ? "<polygon" : "<polyline") << " fill=\"none\" stroke-width=\"" << number(pen_width(p.on, p.weight))
            << "\" points=\"";
        points(out, p.points);
        out << "\"/>\n";
    }

    void circle(std::ostream& out, const ds_sheet::circle& c) const
    {
        out << "<circle fill=\"none\" cx=\"" << x(c.centre.x) << "\" cy=\"" << y(c.centre.y) << "\" r=\""
            << number(c.radius) << "\" stroke-width=\"" << number(pen_width(c.on, c.weight)) << "\"/>\n";
    }

    void hatch(std::ostream& out, const ds_sheet::hatch& h, const char* colour) const
    {
        out << "<polygon stroke=\"none\" fill=\"" << colour << "\" points=\"";
        points(out, h.loop);
        out << "\"/>\n";
    }

    void text(std::ostream& out, const ds_sheet::text& t, const char* colour) const
    {
        const char* anchor = t.h == h_align::left ? "start" : t.h == h_align::center ? "middle" : "end";
        const char* baseline = t.v == v_align::baseline ? "alphabetic" : t.v == v_align::middle ? "central" : "hanging";
        out << "<text x=\"" << x(t.at.x) << "\" y=\"" << y(t.at.y) << "\" font-size=\"" << number(t.height)
            << "\" text-anchor=\"" << anchor << "\" dominant-baseline=\"" << baseline << "\" stroke=\"none\" fill=\"" << colour << "\"";
        if (t.angle_deg != 0.0)
            out << " transform=\"rotate(" << number(-t.angle_deg) << " " << x(t.at.x) << " " << y(t.at.y) << ")\"";
        out << ">" << markup_text(t.value) << "</text>\n";
    }

private:
    double m_height;
};

template <class T>
bool on(const T& item, layer kind)
{
    return item.on == kind;
}

/// The group of one layer: its colour, pen and dash, and the font of its texts.
void open_layer(std::ostream& out, const layer_style& style)
{
    out << "<g id=\"" << style.name << "\" stroke=\"" << style.rgb << "\" stroke-linecap=\"round\"";
    if (style.pattern == line_pattern::dash_dot) {
        out << " stroke-dasharray=\"";
        for (std::size_t i = 0; i < std::size(dash_dot_pattern); ++i) out << (i ? " " : "") << dash_dot_pattern[i];
        out << "\"";
    }
    out << " font-family=\"" << svg_font_family << "\">\n";
}

void write_layer(std::ostream& out, const svg_builder& b, const primitives& all, const layer_style& style)
{
    for (const auto& l : all.lines) if (on(l, style.kind)) b.line(out, l);
    for (const auto& p : all.polylines) if (on(p, style.kind)) b.polyline(out, p);
    for (const auto& c : all.circles) if (on(c, style.kind)) b.circle(out, c);
    for (const auto& h : all.hatches) if (on(h, style.kind)) b.hatch(out, h, style.rgb);
    for (const auto& t : all.texts) if (on(t, style.kind)) b.text(out, t, style.rgb);
}

}  // namespace

std::string svg_document(const flat_sheet& flat)
{
    const sheet& page = *flat.page;
    const svg_builder b(page.height);
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << b.number(page.width) << "mm\" height=\""
        << b.number(page.height) << "mm\" viewBox=\"0 0 " << b.number(page.width) << " " << b.number(page.height)
        << "\">\n<title>" << markup_text(page.title) << "</title>\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    for (const layer_style& style : layer_styles()) {
        open_layer(out, style);
        write_layer(out, b, flat.body, style);
        for (const primitives& dim : flat.dimensions) write_layer(out, b, dim, style);
        out << "</g>\n";
    }
    out << "</svg>\n";
    return out.str();
}

std::string svg_document(const sheet& page) { return svg_document(flatten_for_writers(page)); }

void write_svg(const flat_sheet& flat, const std::filesystem::path& path)
{
    ds_file::write_file_atomically(path, svg_document(flat));
}

}  // namespace ds_sheet
