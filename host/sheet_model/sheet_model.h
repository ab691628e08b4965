// ds_sheet: the drawing sheet model, in millimetres of paper.
//
// A sheet is what a layout step builds and a writer turns into a file: lines,
// polylines, circles, solid hatches, texts, dimensions and ruled tables, each
// on a layer that says what kind of thing it is. The model knows nothing of
// pedestals, and nothing of file syntax. Coordinates have their origin at the
// lower left corner of the paper with y pointing up, as in a CAD program; a
// writer whose format points y down flips it.
#pragma once

#include <utility>
#include <vector>

#include "host/afx/cstring.h"

namespace ds_sheet {

/// A point on the paper, mm.
struct point {
    double x = 0.0;
    double y = 0.0;
};

/// What an entity is; every writer keeps one layer per kind.
enum class layer { frame, outline, rebar, dimension, text, table, centre };

/// Every layer, in the order writers declare them.
inline constexpr layer all_layers[] = {layer::frame, layer::outline, layer::rebar, layer::dimension,
                                       layer::text,  layer::table,   layer::centre};

/// Layer name used in files: "FRAME", "OUTLINE", "REBAR", "DIMENSION", "TEXT", "TABLE",
/// "CENTRE" (centre lines and axes, drawn dash-dot).
const char* layer_name(layer kind);

enum class h_align { left, center, right };
/// Vertical anchor of a text: its baseline, its middle or its top.
enum class v_align { baseline, middle, top };

struct line {
    point a, b;
    layer on = layer::outline;
    /// Pen width, mm. Writers draw with the layer's weight instead, except on
    /// the layers that keep entity weights (frame, text, table: layer_style.h).
    double weight = 0.25;
};

struct polyline {
    std::vector<point> points;
    bool closed = false;
    layer on = layer::outline;
    double weight = 0.25;
};

struct circle {
    point centre;
    double radius = 0.0;
    layer on = layer::outline;
    double weight = 0.25;
};

/// A solid fill of one closed loop (bar sections, tick marks).
struct hatch {
    std::vector<point> loop;
    layer on = layer::rebar;
};

/// One line of text. The height is the height of a capital letter or a
/// Chinese character, mm; the angle turns it counter-clockwise about `at`.
struct text {
    point at;
    double height = 3.0;
    CString value;  ///< narrow (host code page) text
    h_align h = h_align::left;
    v_align v = v_align::baseline;
    double angle_deg = 0.0;
    layer on = layer::text;
};

/// A text entity on layer `on`, anchored at `at` (turn it with angle_deg afterwards).
inline text make_text(point at, double height, CString value, h_align h = h_align::left, v_align v = v_align::baseline,
                      layer on = layer::text)
{
    return text{at, height, std::move(value), h, v, 0.0, on};
}

/// A linear dimension: the measured points on the object, the two ends of the
/// dimension line, and the value text written above that line. Extension lines
/// run from each measured point to its end of the dimension line; both ends get
/// the 45-degree tick of building drawings.
struct dimension {
    point from, to;          ///< measured points on the object
    point line_from, line_to;  ///< ends of the dimension line
    CString value;
    double text_height = 2.5;
};

/// A ruled table: column widths, one height for every row, cell texts centred
/// (a row may hold fewer cells than there are columns).
struct table {
    point top_left;
    std::vector<double> columns;
    double row_height = 6.0;
    double text_height = 3.0;
    std::vector<std::vector<CString>> rows;
};

/// A view drawn to scale: the paper rectangle its drawing occupies and how a
/// point of the paper maps back to the object. A paper point p inside the
/// rectangle shows the object point (p - paper_origin) * scale, mm, in the
/// view's own axes. Writers that keep true sizes (CAD model space) place the
/// view's entities by it; writers of paper (SVG, PDF) ignore it. Entities
/// outside every view (frame, title block, tables, notes) are paper.
struct view_frame {
    CString name;             ///< the view's caption, e.g. "平面", "立面", "I-I"
    point lower_left;         ///< paper rectangle of the view's drawing, mm
    point upper_right;
    point paper_origin;       ///< paper point of the object's origin
    int scale = 1;            ///< drawn at 1:scale
};

/// One sheet of paper with everything drawn on it.
struct sheet {
    CString title;            ///< what the title block says; also names the file
    double width = 420.0;     ///< paper size, mm (A3 landscape unless a layout says otherwise)
    double height = 297.0;
    std::vector<line> lines;
    std::vector<polyline> polylines;
    std::vector<circle> circles;
    std::vector<hatch> hatches;
    std::vector<text> texts;
    std::vector<dimension> dimensions;
    std::vector<table> tables;
    std::vector<view_frame> views;  ///< the views drawn to scale on this sheet
};

}  // namespace ds_sheet
