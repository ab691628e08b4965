// layer_style: how each kind of entity looks, the one table every writer reads.
//
// Line weights follow GB/T 50105 (structural drawings) with the base width
// b = 0.7 mm of an A3 sheet: reinforcement is the heavy line (b), the visible
// concrete outline the medium line (0.5b = 0.35), dimensions, texts, hatches
// and table rules the thin line (0.25b ~ 0.18, the nearest standard pen),
// centre lines thin dash-dot. The frame keeps the three weights of GB/T 50001
// (border b, title block 0.7b, trim line thin) drawn by the layout, and the
// text layer the heavy-over-thin underline of a view's caption, tables their
// heavier outer rule: on those three
// layers an entity's own weight is kept, on every other layer the layer's
// weight is used whatever the entity says, so no layout can make an outline
// heavier than the bars. Colours are AutoCAD colour indexes with the RGB a
// paper writer uses (all near black except bars and centre lines in red and
// dimensions in dark green, as a plot on a monochrome pen table still reads).
#pragma once

#include <span>

#include "host/sheet_model/sheet_model.h"

namespace ds_sheet {

/// A line type: solid, or the dash-dot of centre lines.
enum class line_pattern { solid, dash_dot };

/// Dash-dot of a centre line on paper, mm: long dash, gap, dot, gap.
inline constexpr double dash_dot_pattern[] = {15.0, 3.0, 0.0, 3.0};

struct layer_style {
    layer kind;
    const char* name;       ///< name in files, as layer_name(kind)
    int aci;                ///< AutoCAD colour index
    const char* rgb;        ///< "#rrggbb" for paper writers
    double weight;          ///< pen width, mm (a standard DXF line weight)
    line_pattern pattern;
    bool entity_weights;    ///< entities keep their own weight on this layer
};

/// The style of `kind`.
const layer_style& style_of(layer kind);

/// Every layer's style, in all_layers order.
std::span<const layer_style> layer_styles();

/// The pen width an entity of `kind` carrying `own` weight is drawn with.
double pen_width(layer kind, double own);

}  // namespace ds_sheet
