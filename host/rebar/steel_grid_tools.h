// steel_grid_tools: the rebar grid table and moving a rebar set in and out of it.
//
// The rebar table is a list table with one header row of captions and one
// data row per bar line; its columns are the bar fields (steel_bar_row), keyed
// by member name. A composite rebar table in the real grid has sub-sections
// (title, design notes, basic data, layout); here they are recorded as the
// table's section names and all bar lines live in the one list.
#pragma once

#include "host/grid/cvq_data_base.h"
#include "host/rebar/steel_data.h"

namespace steel_grid_tools {

/// A new rebar table, owned by the caller. The table is named after the first
/// non-empty name ("钢筋表" when all are empty); the non-empty names, in order,
/// become its section names.
/// `with_default_bars`: true fills the data rows with the default pedestal
/// rebar (steel_data::set_default_value); false leaves no data row.
/// `with_blank_row`: true adds one blank data row at the end for a new bar line.
/// Returns null while failing has been switched on with set_create_fails.
CVQDataBase* create_steel_grid(const CString& header_name, const CString& design_name, const CString& basic_name,
                               const CString& layout_name, const CString& extra_name_1, const CString& extra_name_2,
                               bool with_default_bars, bool with_blank_row);

/// Replaces the table's data rows with one row per bar line of `data`.
/// Leaves the user-modified mark alone. A null table is ignored.
void set_steel_data_to_grid(CVQDataBase* table, const steel_data& data);

/// Reads the bar lines of the table into `data`. Blank rows (every cell empty
/// or blanks) are skipped unless `keep_blank_rows`; a cell that does not read
/// keeps the value of a default bar line. With `append` false the table's
/// lines replace those of `data`, with true they are added after them.
/// A null table, or one without the bar-mark column, changes nothing and gives false.
bool get_steel_data_from_grid(CVQDataBase* table, steel_data& data, bool append, bool keep_blank_rows);

/// Test seam: while `fail` is true, create_steel_grid returns null.
void set_create_fails(bool fail);

}  // namespace steel_grid_tools
