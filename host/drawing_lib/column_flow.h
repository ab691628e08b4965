// column_flow: the page-flow engine of the drawing sheets. It places tables,
// wrapped notes and fixed-height blocks top-down into columns, and opens a
// continuation sheet "(续n)" when the columns of a sheet are full, so a group
// of any number of rows stays on paper. A table's header repeats in every
// column it continues into.
#pragma once

#include <optional>
#include <vector>

#include "host/afx/cstring.h"
#include "host/drawing_lib/sheet_tables.h"
#include "host/sheet_model/sheet_frame.h"
#include "host/sheet_model/sheet_model.h"

namespace VQDraw_DS_GJNA {

/// A sheet under construction with what its title block will say.
struct pending_sheet {
    ds_sheet::sheet page;
    ds_sheet::title_block_text block;
};

/// Row height and text heights of placed tables and notes (Chinese text no lower than 3.5 mm).
inline constexpr double table_row_height = 6.5;
inline constexpr double table_text_height = 3.5;
inline constexpr double note_text_height = 3.5;
inline constexpr double note_pitch = 5.5;

class column_flow {
public:
    column_flow(std::vector<pending_sheet>& sheets, ds_sheet::title_block_text block, std::vector<ds_sheet::box> first_columns,
                std::vector<ds_sheet::box> next_columns);

    /// A table; its header repeats in every column it continues into.
    void place(const table_content& content);
    /// Lines of text under a heading, wrapped to the column.
    void place(const CString& title, const std::vector<CString>& paragraphs);
    /// `height` mm of a column under a heading: of the current column when it
    /// has them, else of the next one (a continuation sheet when need be);
    /// nothing when even an empty column is lower.
    std::optional<ds_sheet::box> take(const CString& title, double height);
    /// Height left in the current column under a heading, mm.
    double room_under_heading() const;
    /// Moves on to the next column (a continuation sheet when the sheet's columns are full).
    void next_column();
    /// The sheet being filled.
    ds_sheet::sheet& page() { return m_sheets.back().page; }

private:
    const ds_sheet::box& column() const { return m_columns[m_col]; }
    void heading(const CString& title);

    std::vector<pending_sheet>& m_sheets;
    ds_sheet::title_block_text m_block;
    std::vector<ds_sheet::box> m_columns;
    std::vector<ds_sheet::box> m_next_columns;
    std::size_t m_col = 0;
    double m_y = 0.0;
    int m_continuations = 0;
};

}  // namespace VQDraw_DS_GJNA
