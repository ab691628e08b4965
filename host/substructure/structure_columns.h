// structure_columns: the columns of the structure table (墩台表) in their order,
// each the field catalogue's field shown on that sheet. Shared by the table's
// reader, writer and sheet layout, so all three put the same caption over
// the same value.
#pragma once

#include <array>
#include <cstddef>

#include "host/afx/cstring.h"
#include "host/fields/field_catalogue.h"

namespace structure_table {

/// Column positions in table order.
enum column : std::size_t {
    col_part, col_number, col_type, col_concrete, col_scale, col_cover, col_row, col_position,
    col_count, col_width, col_length, col_heights, col_angle, col_note, column_count
};

/// What a column shows and what an engineer's table may leave out.
struct column_entry {
    const char* field_name;   ///< the catalogue field's stable id
    const char* default_text; ///< value of a column the table leaves out; null when it must be there
};

/// The columns, in table order.
const std::array<column_entry, column_count>& column_layout();

/// The catalogue field of a column.
const field_catalogue::field& column_field(std::size_t column);

/// The caption of a column, as the catalogue places the field on the structure sheet.
const CString& column_caption(std::size_t column);

}  // namespace structure_table
