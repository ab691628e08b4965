// MQR_GRID::CGridDataBase: the row-and-cell model under every grid table.
//
// Rows are addressed absolutely: the first GetFixedRowCount() rows are header
// rows, the rest are data rows. Each row carries a tag (property tables tag a
// row with its key) and one cell per column. Structural edits made by the
// program do not count as user edits; the user-modified mark is set only
// through the user-edit operations of the table (see CVQDataBase).
#pragma once

#include <vector>

#include "host/afx/cstring.h"
#include "host/grid/cvq_variant.h"
#include "host/grid/nm_vqgrid.h"

namespace MQR_GRID {

class CGridDataBase {
public:
    CGridDataBase() = default;
    virtual ~CGridDataBase() = default;
    CGridDataBase(const CGridDataBase&) = default;
    CGridDataBase& operator=(const CGridDataBase&) = default;

    /// All rows, header rows included.
    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    /// Header rows at the top of the table.
    int GetFixedRowCount() const { return m_fixed_rows; }
    /// Data rows (all rows after the header rows).
    int GetNumberRows() const { return GetRowCount() - m_fixed_rows; }
    int GetColumnCount() const { return m_columns; }

    /// Removes `count` rows starting at absolute row `row`. Header rows are never
    /// removed: the range is clipped to the data rows. The two texts name the
    /// operation for the control's undo history, which this grid does not keep.
    /// True when at least one row went.
    bool RemoveRowsAt(int row, int count, const CString& undo_name, const CString& undo_note);

    /// Inserts `count` blank, untagged rows after absolute row `row`; -1 inserts
    /// at the top. New rows always land among the data rows: a position inside
    /// the header rows is moved down to the first data row, one past the end
    /// appends. So InsertRowPost(GetFixedRowCount() - 1, n, ...) makes data rows
    /// 0 to n-1. The texts are as for RemoveRowsAt. True when rows were added.
    bool InsertRowPost(int row, int count, const CString& undo_name, const CString& undo_note);

    /// Tag of the row named by the notification; "" for a null notification or a row out of range.
    CString GetRowTag(const NM_VQGRID* notify) const;

    /// 0 clears the user-modified mark, any other value sets it.
    void SetUserModify(int modified) { m_user_modified = modified != 0; }
    /// Non-zero when the user changed the table since the mark was last cleared.
    int IsUserModifyData() const { return m_user_modified ? 1 : 0; }

    /// Cell at an absolute position, or null outside the table.
    const CVQVariant* get_cell(int row, int column) const;
    /// Writes a cell at an absolute position; false outside the table.
    bool set_cell(int row, int column, const CVQVariant& value);

    /// Tag of an absolute row ("" out of range).
    CString get_row_tag(int row) const;
    /// First row carrying `tag`, or -1. Empty tags are never found.
    int find_row_by_tag(const CString& tag) const;

protected:
    /// Builders for the tables above this model.
    void set_column_count(int columns);
    void set_fixed_row_count(int rows);
    /// Appends a row at the end and returns its absolute index.
    int append_row(const CString& tag);

private:
    struct grid_row {
        CString tag;
        std::vector<CVQVariant> cells;
    };
    grid_row blank_row() const;

    std::vector<grid_row> m_rows;
    int m_columns = 0;
    int m_fixed_rows = 0;
    bool m_user_modified = false;
};

}  // namespace MQR_GRID
