// The layer style table.
#include "host/sheet_model/layer_style.h"

namespace ds_sheet {

namespace {

constexpr layer_style styles[] = {
    {layer::frame, "FRAME", 7, "#000000", 0.50, line_pattern::solid, true},
    {layer::outline, "OUTLINE", 7, "#000000", 0.35, line_pattern::solid, false},
    {layer::rebar, "REBAR", 1, "#c00000", 0.70, line_pattern::solid, false},
    {layer::dimension, "DIMENSION", 3, "#1f5f1f", 0.18, line_pattern::solid, false},
    {layer::text, "TEXT", 7, "#000000", 0.18, line_pattern::solid, true},
    {layer::table, "TABLE", 7, "#000000", 0.18, line_pattern::solid, true},
    {layer::centre, "CENTRE", 1, "#c00000", 0.18, line_pattern::dash_dot, false},
};
static_assert(std::size(styles) == std::size(all_layers));

}  // namespace

const layer_style& style_of(layer kind)
{
    for (const layer_style& s : styles)
        if (s.kind == kind) return s;
    return styles[0];
}

std::span<const layer_style> layer_styles() { return styles; }

double pen_width(layer kind, double own)
{
    const layer_style& s = style_of(kind);
    return s.entity_weights && own > 0.0 ? own : s.weight;
}

const char* layer_name(layer kind) { return style_of(kind).name; }

}  // namespace ds_sheet
