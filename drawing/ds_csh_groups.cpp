// Size groups of a parametric pedestal list.
#include "drawing/ds_csh_groups.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "host/math/vq_math.h"

namespace VQDraw_DS_UINA {

namespace {

bool same_size(const DS_CSH_LB_Data& a, const DS_CSH_LB_Data& b)
{
    return VQMATH::IsDoubleEqual(a.m_dWid, b.m_dWid) && VQMATH::IsDoubleEqual(a.m_dLen, b.m_dLen) &&
           VQMATH::IsDoubleEqual(a.m_dAngle, b.m_dAngle);
}

std::vector<int> working_counts(const std::vector<DS_CSH_LB_Data>& rows)
{
    std::vector<int> counts;
    counts.reserve(rows.size());
    for (const DS_CSH_LB_Data& row : rows) counts.push_back(row.m_iCount);
    return counts;
}

/// Adds `row` to `group` with its working count, then marks it taken.
void take(std::vector<ds_csh_group_member>& group, std::vector<int>& counts, std::size_t row)
{
    group.push_back({row, counts[row]});
    counts[row] = 0;
}

// ---- the grid of cells ---------------------------------------------------------

// Twice the tolerance: two sizes within the tolerance then lie in the same or
// in neighbouring cells even after the rounding of the division (their
// quotients differ by at most 0.5 plus a rounding error well below 0.5).
constexpr double cell_width = 2.0 * VQMATH::kTolerance;
static_assert(cell_width > 0.0, "the size grid needs a positive tolerance");

using cell_key = std::array<double, 3>;

/// The cell of one coordinate. Integral values kept as doubles, so sizes of
/// any magnitude have a key; +0.0 folds a negative zero into the same cell.
/// (Beyond about 1e302 mm the quotient overflows and those sizes share one
/// cell: still correct, only no longer fast.)
double cell_of(double value) { return std::floor(value / cell_width) + 0.0; }

/// The cell of a row, or none for a size that is not a finite number (which
/// IsDoubleEqual finds equal to nothing).
std::optional<cell_key> cell_of(const DS_CSH_LB_Data& row)
{
    if (!std::isfinite(row.m_dWid) || !std::isfinite(row.m_dLen) || !std::isfinite(row.m_dAngle)) return std::nullopt;
    return cell_key{cell_of(row.m_dWid), cell_of(row.m_dLen), cell_of(row.m_dAngle)};
}

/// The distinct cells next to `key`, itself included, in the first `count`
/// places. Past 2^53 a step of one cell is lost in rounding, hence the
/// removal of repeats. Kept off the heap: it is made once per group.
struct neighbourhood {
    std::array<cell_key, 27> cells;
    std::size_t count = 0;

    explicit neighbourhood(const cell_key& key)
    {
        for (double dw : {-1.0, 0.0, 1.0})
            for (double dl : {-1.0, 0.0, 1.0})
                for (double da : {-1.0, 0.0, 1.0}) cells[count++] = {key[0] + dw, key[1] + dl, key[2] + da};
        std::sort(cells.begin(), cells.end());
        count = static_cast<std::size_t>(std::unique(cells.begin(), cells.end()) - cells.begin());
    }
};

/// Rows sorted by cell, and within a cell by list position.
class size_grid {
public:
    explicit size_grid(const std::vector<DS_CSH_LB_Data>& rows) : m_cells(rows.size())
    {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            m_cells[i] = cell_of(rows[i]);
            if (m_cells[i]) m_sorted.push_back({*m_cells[i], i});
        }
        std::sort(m_sorted.begin(), m_sorted.end());
    }

    /// Replaces `found` with the rows after `starter` in the list that lie in
    /// a cell next to the starter's, in list order. Only these can be within
    /// the tolerance.
    void later_rows_near(std::size_t starter, std::vector<std::size_t>& found) const
    {
        found.clear();
        if (!m_cells[starter]) return;
        const neighbourhood near(*m_cells[starter]);
        for (std::size_t i = 0; i < near.count; ++i) {
            const cell_key& cell = near.cells[i];
            auto it = std::upper_bound(m_sorted.begin(), m_sorted.end(), entry{cell, starter});
            for (; it != m_sorted.end() && it->cell == cell; ++it) found.push_back(it->row);
        }
        std::sort(found.begin(), found.end());
    }

private:
    struct entry {
        cell_key cell;
        std::size_t row;
        auto operator<=>(const entry&) const = default;
    };

    std::vector<std::optional<cell_key>> m_cells;
    std::vector<entry> m_sorted;
};

}  // namespace

ds_csh_groups ds_group_rows_by_size(const std::vector<DS_CSH_LB_Data>& rows)
{
    const size_grid grid(rows);
    std::vector<int> counts = working_counts(rows);
    ds_csh_groups groups;
    std::vector<std::size_t> near;  // reused: one allocation for the whole list
    for (std::size_t starter = 0; starter < rows.size(); ++starter) {
        if (counts[starter] <= 0) continue;
        std::vector<ds_csh_group_member>& group = groups.emplace_back();
        group.push_back({starter, counts[starter]});
        grid.later_rows_near(starter, near);
        for (std::size_t later : near)
            if (same_size(rows[later], rows[starter])) take(group, counts, later);
    }
    return groups;
}

namespace ds_csh_group_detail {

ds_csh_groups group_rows_by_scanning(const std::vector<DS_CSH_LB_Data>& rows)
{
    std::vector<int> counts = working_counts(rows);
    ds_csh_groups groups;
    for (std::size_t starter = 0; starter < rows.size(); ++starter) {
        if (counts[starter] <= 0) continue;
        std::vector<ds_csh_group_member>& group = groups.emplace_back();
        group.push_back({starter, counts[starter]});
        for (std::size_t later = starter + 1; later < rows.size(); ++later)
            if (same_size(rows[later], rows[starter])) take(group, counts, later);
    }
    return groups;
}

}  // namespace ds_csh_group_detail

}  // namespace VQDraw_DS_UINA
