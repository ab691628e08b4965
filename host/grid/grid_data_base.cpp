// MQR_GRID::CGridDataBase: absolute row arithmetic and cell storage.
#include "host/grid/grid_data_base.h"

#include <algorithm>

namespace MQR_GRID {

CGridDataBase::grid_row CGridDataBase::blank_row() const
{
    return grid_row{CString(), std::vector<CVQVariant>(static_cast<std::size_t>(m_columns))};
}

bool CGridDataBase::RemoveRowsAt(int row, int count, const CString&, const CString&)
{
    if (count <= 0) return false;
    // 64-bit end so a huge count cannot overflow.
    const long long first = std::max<long long>(row, m_fixed_rows);
    const long long last = std::min<long long>(static_cast<long long>(row) + count, GetRowCount());
    if (first >= last) return false;
    m_rows.erase(m_rows.begin() + first, m_rows.begin() + last);
    return true;
}

bool CGridDataBase::InsertRowPost(int row, int count, const CString&, const CString&)
{
    if (count <= 0) return false;
    const long long wanted = static_cast<long long>(row) + 1;
    const long long at = std::clamp<long long>(wanted, m_fixed_rows, GetRowCount());
    m_rows.insert(m_rows.begin() + at, static_cast<std::size_t>(count), blank_row());
    return true;
}

CString CGridDataBase::GetRowTag(const NM_VQGRID* notify) const
{
    return notify ? get_row_tag(notify->iRow) : CString();
}

const CVQVariant* CGridDataBase::get_cell(int row, int column) const
{
    if (row < 0 || row >= GetRowCount() || column < 0 || column >= m_columns) return nullptr;
    return &m_rows[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)];
}

bool CGridDataBase::set_cell(int row, int column, const CVQVariant& value)
{
    if (row < 0 || row >= GetRowCount() || column < 0 || column >= m_columns) return false;
    m_rows[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)] = value;
    return true;
}

CString CGridDataBase::get_row_tag(int row) const
{
    if (row < 0 || row >= GetRowCount()) return CString();
    return m_rows[static_cast<std::size_t>(row)].tag;
}

int CGridDataBase::find_row_by_tag(const CString& tag) const
{
    if (tag.IsEmpty()) return -1;
    for (int row = 0; row < GetRowCount(); ++row)
        if (m_rows[static_cast<std::size_t>(row)].tag == tag) return row;
    return -1;
}

void CGridDataBase::set_column_count(int columns)
{
    m_columns = std::max(columns, 0);
    for (auto& row : m_rows) row.cells.resize(static_cast<std::size_t>(m_columns));
}

void CGridDataBase::set_fixed_row_count(int rows)
{
    rows = std::max(rows, 0);
    // Header rows sit at the top: grow or shrink the header block in place.
    if (rows > m_fixed_rows) {
        m_rows.insert(m_rows.begin() + m_fixed_rows, static_cast<std::size_t>(rows - m_fixed_rows), blank_row());
    } else {
        m_rows.erase(m_rows.begin() + rows, m_rows.begin() + m_fixed_rows);
    }
    m_fixed_rows = rows;
}

int CGridDataBase::append_row(const CString& tag)
{
    grid_row row = blank_row();
    row.tag = tag;
    m_rows.push_back(std::move(row));
    return GetRowCount() - 1;
}

}  // namespace MQR_GRID
