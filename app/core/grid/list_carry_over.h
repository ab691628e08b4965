// Keeping what a parametric drawing's list rows hold beyond the cells of a
// table, when the list comes back from a spreadsheet or the grid.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/core/project/step_report.h"
#include "host/framework/graph_data_base.h"

namespace ds_app {

/// What the carry-over did with one row of the new list.
struct carried_row {
    std::size_t index = 0;     ///< 0-based position in the new list
    std::string name;          ///< "主线 1" (UTF-8)
    bool matched = false;      ///< a row of the old list had its bridge part and number, or its place (below)
    std::string was;           ///< when matched by place: the old row's name, "主线 4"
    std::vector<std::string> carried;  ///< captions of the members taken from that row
};

/// The module builds each row of a list that comes back from a table from a
/// default row, so the members the table has no cell for (type, kind, sizes,
/// angle, position, notes, rebar: all but the fields the field catalogue
/// places in `table`) fall back to the row defaults. For each row of
/// `drawing`'s list whose bridge part AND number match a row of `before`'s list
/// (the n-th such row taking the n-th), every member without a cell is taken
/// from that row. A row whose bridge part or number the engineer changed
/// (renumbering pier 4 as 5) matches no row so; when the list keeps its
/// length and every matched row its place, it is the row at its place before
/// and takes that row's members. When rows lost their match and the list was
/// also lengthened, shortened or reordered, which row became which cannot be
/// told: refused (std::runtime_error naming the first such row) rather than
/// dropping its type, sizes and rebar. Works on the stored form, the only view
/// of the rows the host has. A drawing without a list is left alone.
std::vector<carried_row> carry_over_list_rows(graph_data_base& drawing, const graph_data_base& before, const char* table);
/// carry_over_list_rows with `before`'s stored form (stored_form) at hand.
std::vector<carried_row> carry_over_list_rows(graph_data_base& drawing, const nlohmann::ordered_json& stored_before,
                                              const char* table);

/// Reports what carry_over_list_rows did: one line for the rows that kept their
/// fields, one per row that matched nothing and took the row defaults.
void report_carried_rows(const std::vector<carried_row>& rows, step_report& report);

}  // namespace ds_app
