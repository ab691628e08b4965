// bar_details: the bar details (钢筋大样) of a sheet: one row per bar mark of
// the quantity table (a mark whose bars grow with the pedestal's height shows
// its lengths as "least~most"), the bar drawn in its shape (straight, with bent ends,
// L-shaped, closed tie with its hooks) not to scale, each straight part and
// hook labelled with its length in mm, the mark, grade and diameter, and the
// bar's length.
#pragma once

#include "host/drawing_lib/column_flow.h"
#include "host/pedestal_design/quantity_table.h"

namespace VQDraw_DS_GJNA {

/// Row height of one bar detail, mm.
inline constexpr double detail_row = 10.0;

/// The bar details under the tables, when the column has room for them all.
void place_bar_details(column_flow& flow, const group_quantities& q);

}  // namespace VQDraw_DS_GJNA
