// sheet_primitives: a sheet reduced to lines, polylines, circles, hatches and
// texts, which is all a writer has to know how to write.
//
// Dimensions and tables are drawn here once, the same way for every format:
// both writers show the same ticks, extension lines and ruled cells.
#pragma once

#include <vector>

#include "host/sheet_model/sheet_model.h"

namespace ds_sheet {

/// The simple entities of one sheet.
struct primitives {
    std::vector<line> lines;
    std::vector<polyline> polylines;
    std::vector<circle> circles;
    std::vector<hatch> hatches;
    std::vector<text> texts;
};

/// Everything on `page` as simple entities: its own, then its dimensions
/// (layer dimension) and tables (layer table) drawn out.
primitives flatten(const sheet& page);

/// A sheet made ready for writers, once for all of them: the simple entities
/// of everything but the dimensions, and each dimension with its drawing kept
/// apart, so a CAD writer can write it as a dimension entity whose picture is
/// that drawing while a paper writer draws the two lists.
struct flat_sheet {
    const sheet* page = nullptr;
    primitives body;
    std::vector<primitives> dimensions;  ///< dimensions[i] draws page->dimensions[i]
};

/// `page` flattened; the result refers to `page`, which must outlive it.
flat_sheet flatten_for_writers(const sheet& page);

}  // namespace ds_sheet
