// sheet_tables: the texts of a sheet's parameter table, quantity table and
// notes, before they are placed.
#pragma once

#include <vector>

#include "host/afx/cstring.h"
#include "host/pedestal_design/ds_gj_draw_data.h"
#include "host/pedestal_design/quantity_table.h"

namespace VQDraw_DS_GJNA {

/// A table's title, column widths (mm), header row and body rows.
struct table_content {
    CString title;
    std::vector<double> columns;
    std::vector<CString> header;
    std::vector<std::vector<CString>> rows;
};

/// One line per pedestal row: name, pier or abutment number, kind (桥墩 or 桥台,
/// else the pedestal type), position, count, width, length, heights, the angle
/// θ between side and front faces. The height column is captioned with the
/// group's height label ("h") when it has one. A row's heights print one by
/// one while they fit the cell, else as "least~most".
/// `support_type` is the drawing's (used for rows that name none).
table_content parameter_table(const std::vector<DS_steel_pram_parameter>& group, const CString& height_label,
                              const CString& support_type = {});

/// The bar list (mark, grade, diameter, one bar's length, count, total length,
/// unit weight, weight), then the total per diameter, the steel total and the
/// concrete (grade, volume).
table_content quantity_table(const group_quantities& quantities, const CString& concrete_grade);

/// The pedestals of a one-row group numbered 1#...n#, each with its height,
/// mesh layers and ties: the elevation shows one of them.
table_content pedestal_numbers(const DS_steel_pram_parameter& row, const row_total& totals, const std::vector<steel_bar_row>* bars);

/// The steel and concrete of each pier or abutment of a group of several rows.
table_content per_pier_table(const std::vector<DS_steel_pram_parameter>& group, const group_quantities& quantities);

/// The notes of a sheet, numbered "1." ...: the group's notes exactly as the
/// record gives them, then the custom note, then the drawing library's own:
/// the unit (when no note states it), materials, the cover and what it is
/// measured to, what h and θ mean, the bar rules, and the construction notes.
std::vector<CString> sheet_notes(const DS_draw_data& data, std::size_t group);

/// One bar's length in whole mm, "800~849" for a line whose bars differ.
CString one_length_text(const bar_quantity& bar);

/// "Φ12": the diameter with the rebar symbol.
CString diameter_text(double diameter);

}  // namespace VQDraw_DS_GJNA
