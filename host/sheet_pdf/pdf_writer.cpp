// PDF output of a set of sheets with cairo and Pango.
#include "host/sheet_pdf/pdf_writer.h"

#include <utility>

#include <cairo-pdf.h>
#include <pango/pangocairo.h>

#include <cmath>
#include <string>

#include "host/framework/atomic_file.h"
#include "host/sheet_model/layer_style.h"
#include "host/sheet_model/markup_text.h"

namespace ds_sheet {

namespace {

constexpr double points_per_mm = 72.0 / 25.4;
/// Texts are laid out this many times larger and drawn scaled back, so that
/// Pango's whole-unit rounding of sizes and positions stays far below 0.01 mm.
constexpr double text_zoom = 100.0;

cairo_status_t append(void* closure, const unsigned char* data, unsigned int length)
{
    try {
        static_cast<ds_file::atomic_writer*>(closure)->write({reinterpret_cast<const char*>(data), length});
        return CAIRO_STATUS_SUCCESS;
    } catch (const std::exception&) {
        return CAIRO_STATUS_WRITE_ERROR;
    }
}

void set_colour(cairo_t* cr, const char* rgb)
{
    const unsigned long v = std::stoul(std::string(rgb + 1), nullptr, 16);
    cairo_set_source_rgb(cr, ((v >> 16) & 255) / 255.0, ((v >> 8) & 255) / 255.0, (v & 255) / 255.0);
}

void set_pen(cairo_t* cr, const layer_style& style, double own)
{
    set_colour(cr, style.rgb);
    cairo_set_line_width(cr, pen_width(style.kind, own));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    if (style.pattern == line_pattern::dash_dot)
        cairo_set_dash(cr, dash_dot_pattern, static_cast<int>(std::size(dash_dot_pattern)), 0.0);
    else
        cairo_set_dash(cr, nullptr, 0, 0.0);
}

void path_of(cairo_t* cr, const std::vector<point>& points, bool closed)
{
    for (std::size_t i = 0; i < points.size(); ++i)
        (i ? cairo_line_to : cairo_move_to)(cr, points[i].x, points[i].y);
    if (closed) cairo_close_path(cr);
}

void draw_text(cairo_t* cr, PangoLayout* layout, const text& t, const layer_style& style)
{
    const std::string value = plain_text(t.value);
    if (value.empty()) return;
    PangoFontDescription* font = pango_font_description_from_string(pdf_font_family);
    pango_font_description_set_absolute_size(font, t.height * text_zoom * PANGO_SCALE);
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);
    pango_layout_set_text(layout, value.c_str(), static_cast<int>(value.size()));
    PangoRectangle ink, logical;
    pango_layout_get_extents(layout, &ink, &logical);
    const double width = logical.width / double(PANGO_SCALE), height = logical.height / double(PANGO_SCALE);
    const double baseline = pango_layout_get_baseline(layout) / double(PANGO_SCALE);
    const double dx = t.h == h_align::left ? 0.0 : t.h == h_align::center ? -width / 2 : -width;
    const double dy = t.v == v_align::baseline ? -baseline : t.v == v_align::middle ? -height / 2 : 0.0;
    cairo_save(cr);
    cairo_translate(cr, t.at.x, t.at.y);
    cairo_rotate(cr, t.angle_deg * M_PI / 180.0);
    cairo_scale(cr, 1.0 / text_zoom, -1.0 / text_zoom);  // the page's y points up, text's down
    cairo_move_to(cr, dx, dy);
    set_colour(cr, style.rgb);
    pango_cairo_update_layout(cr, layout);
    pango_cairo_show_layout(cr, layout);
    cairo_restore(cr);
}

void draw_layer(cairo_t* cr, PangoLayout* layout, const primitives& all, const layer_style& style)
{
    for (const line& l : all.lines)
        if (l.on == style.kind) {
            set_pen(cr, style, l.weight);
            path_of(cr, {l.a, l.b}, false);
            cairo_stroke(cr);
        }
    for (const polyline& p : all.polylines)
        if (p.on == style.kind) {
            set_pen(cr, style, p.weight);
            path_of(cr, p.points, p.closed);
            cairo_stroke(cr);
        }
    for (const circle& c : all.circles)
        if (c.on == style.kind) {
            set_pen(cr, style, c.weight);
            cairo_new_sub_path(cr);
            cairo_arc(cr, c.centre.x, c.centre.y, c.radius, 0.0, 2 * M_PI);
            cairo_stroke(cr);
        }
    for (const hatch& h : all.hatches)
        if (h.on == style.kind) {
            set_colour(cr, style.rgb);
            path_of(cr, h.loop, true);
            cairo_fill(cr);
        }
    for (const text& t : all.texts)
        if (t.on == style.kind) draw_text(cr, layout, t, style);
}

}  // namespace

struct pdf_book::state {
    explicit state(const std::filesystem::path& path) : file(path) {}
    ~state()
    {
        if (layout) g_object_unref(layout);
        if (cr) cairo_destroy(cr);
        if (surface) cairo_surface_destroy(surface);
    }
    ds_file::atomic_writer file;
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    PangoLayout* layout = nullptr;
    std::filesystem::path path;
};

pdf_book::pdf_book(const std::filesystem::path& path) : m_state(std::make_unique<state>(path))
{
    m_state->path = path;
    m_state->surface = cairo_pdf_surface_create_for_stream(append, &m_state->file, 420 * points_per_mm, 297 * points_per_mm);
    cairo_pdf_surface_restrict_to_version(m_state->surface, CAIRO_PDF_VERSION_1_5);
    m_state->cr = cairo_create(m_state->surface);
    m_state->layout = pango_cairo_create_layout(m_state->cr);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    pango_cairo_context_set_font_options(pango_layout_get_context(m_state->layout), options);
    cairo_font_options_destroy(options);
    if (cairo_status(m_state->cr) != CAIRO_STATUS_SUCCESS)
        throw ds_file::file_error("cannot start the PDF " + path.string() + ": " +
                                  cairo_status_to_string(cairo_status(m_state->cr)));
}

pdf_book::~pdf_book() = default;

void pdf_book::stamp_date(const std::string& iso_date)
{
    const std::string stamp = iso_date + "T00:00:00";
    cairo_pdf_surface_set_metadata(m_state->surface, CAIRO_PDF_METADATA_CREATE_DATE, stamp.c_str());
}

void pdf_book::add(const flat_sheet& flat, const CString& outline)
{
    const sheet& page = *flat.page;
    cairo_t* cr = m_state->cr;
    cairo_pdf_surface_set_size(m_state->surface, page.width * points_per_mm, page.height * points_per_mm);
    cairo_save(cr);
    cairo_scale(cr, points_per_mm, -points_per_mm);  // millimetres, y up as in the sheet
    cairo_translate(cr, 0.0, -page.height);
    for (const layer_style& style : layer_styles()) {
        draw_layer(cr, m_state->layout, flat.body, style);
        for (const primitives& dim : flat.dimensions) draw_layer(cr, m_state->layout, dim, style);
    }
    cairo_restore(cr);
    // Each page is listed in the reader's outline under its sheet's title.
    const std::string target = "page=" + std::to_string(m_pages + 1);
    if (!outline.IsEmpty())
        m_parent = cairo_pdf_surface_add_outline(m_state->surface, CAIRO_PDF_OUTLINE_ROOT, plain_text(outline).c_str(),
                                                 target.c_str(), static_cast<cairo_pdf_outline_flags_t>(0));
    cairo_pdf_surface_add_outline(m_state->surface, m_parent ? m_parent : CAIRO_PDF_OUTLINE_ROOT,
                                  plain_text(page.title).c_str(), target.c_str(), CAIRO_PDF_OUTLINE_FLAG_OPEN);
    cairo_show_page(cr);
    ++m_pages;
}

void pdf_book::finish(const CString& title)
{
    cairo_pdf_surface_set_metadata(m_state->surface, CAIRO_PDF_METADATA_TITLE, plain_text(title).c_str());
    cairo_surface_finish(m_state->surface);
    const cairo_status_t status = cairo_surface_status(m_state->surface);
    if (status != CAIRO_STATUS_SUCCESS)
        throw ds_file::file_error("cannot write the PDF " + m_state->path.string() + ": " + cairo_status_to_string(status));
    m_state->file.commit();
}

namespace {

class pdf_set final : public sheet_set_writer {
public:
    explicit pdf_set(const std::filesystem::path& path) : m_book(path) {}
    void add(const flat_sheet& flat, const set_sheet& sheet) override { m_book.add(flat, sheet.outline); }
    void stamp_date(const std::string& iso_date) override { m_book.stamp_date(iso_date); }
    std::string finish(const CString& heading, const std::vector<std::filesystem::path>&) override
    {
        m_book.finish(heading);
        return std::to_string(m_book.pages()) + " page(s)";
    }

private:
    pdf_book m_book;
};

}  // namespace

std::unique_ptr<sheet_set_writer> open_pdf_set(const std::filesystem::path& path) { return std::make_unique<pdf_set>(path); }

namespace {

/// Size at which texts are measured: large, so that rounding to Pango units does not show.
constexpr double measuring_size = 1000.0;

/// The ink and logical extents of `utf8` in `family` at measuring_size, from one layout on a font map of its own.
std::pair<PangoRectangle, PangoRectangle> measured(const char* family, const std::string& utf8)
{
    static PangoFontMap* map = pango_cairo_font_map_new();
    static PangoContext* context = pango_font_map_create_context(map);
    static PangoLayout* layout = pango_layout_new(context);
    PangoFontDescription* font = pango_font_description_from_string(family);
    pango_font_description_set_absolute_size(font, measuring_size * PANGO_SCALE);
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);
    pango_layout_set_text(layout, utf8.c_str(), static_cast<int>(utf8.size()));
    PangoRectangle ink, logical;
    pango_layout_get_extents(layout, &ink, &logical);
    return {ink, logical};
}

}  // namespace

double font_advance_em(const char* family, const std::string& utf8)
{
    return measured(family, utf8).second.width / double(PANGO_SCALE) / measuring_size;
}

double font_cap_height_em(const char* family)
{
    return measured(family, "H").first.height / double(PANGO_SCALE) / measuring_size;
}

}  // namespace ds_sheet
