// dxf_model_space: where a sheet's entities go in the model space of a DXF.
//
// A CAD user measures the object, so every view drawn to scale goes into
// model space at true size (1:1, millimetres): an edge drawn 112 mm long at
// 1:5 measures 560. The paper around the views (frame, title block, tables,
// notes) is drawn enlarged by the sheet scale M, the largest scale 1:M among
// its views, which is how Chinese highway drawing sets lay a sheet out in one
// model space (the frame "scaled to the drawing"): plotting the model at 1:M
// gives back the sheet. A view at 1:M then sits exactly where it sits on
// paper; a view at a finer scale 1:n (n < M) keeps its object origin where it
// is on paper and is drawn at true size around it, so it comes out n/M of its
// paper size and stays inside its own rectangle; its caption still states
// 1:n, the scale of the paper sheets. Paper-space viewports would print every
// view at its own scale, but dxflib writes no layouts or viewports, and a
// layout written by hand around it is what made files fail audits before.
//
// An entity belongs to the view whose paper rectangle holds its anchor (a
// line's midpoint, a text's insertion point, a dimension's measured points'
// midpoint, the first point of anything else) and is moved whole by that
// view's mapping, so nothing is torn at a view's border. Text heights scale
// with their entity, line weights do not (they are pen widths).
#pragma once

#include <vector>

#include "host/sheet_model/sheet_model.h"

namespace ds_sheet {

/// The mapping of one sheet's paper into model space.
class model_space_mapping {
public:
    explicit model_space_mapping(const std::vector<view_frame>& views);

    /// One region's mapping: model = offset + paper * factor.
    struct placement {
        point offset;
        double factor = 1.0;
        int scale = 1;  ///< the 1:n this region is drawn at on paper
        point at(point p) const { return {offset.x + p.x * factor, offset.y + p.y * factor}; }
    };

    /// The placement of whatever is anchored at paper point `anchor`.
    placement place(point anchor) const;
    /// The sheet scale M.
    int sheet_scale() const { return m_sheet_scale; }

private:
    const std::vector<view_frame>& m_views;
    int m_sheet_scale = 1;
};

}  // namespace ds_sheet
