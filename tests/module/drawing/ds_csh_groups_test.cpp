// Size groups of a parametric list: the indexed grouping against the literal
// walk, on lists built to hit the tolerance's non-transitive cases.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "drawing/ds_csh_groups.h"
#include "host/math/vq_math.h"

namespace VQDraw_DS_UINA {
namespace {

using ds_csh_group_detail::group_rows_by_scanning;

DS_CSH_LB_Data sized(double wid, double len, double angle, int count)
{
    DS_CSH_LB_Data row;
    row.m_dWid = wid;
    row.m_dLen = len;
    row.m_dAngle = angle;
    row.m_iCount = count;
    return row;
}

/// True when some row stands in more than one group.
bool has_shared_row(const ds_csh_groups& groups, std::size_t rows)
{
    std::vector<int> seen(rows, 0);
    for (const auto& group : groups)
        for (const ds_csh_group_member& member : group)
            if (++seen[member.row] > 1) return true;
    return false;
}

TEST(CshSizeGroups, ToleranceChainsAndSizesThatAreNotNumbers)
{
    const double step = 0.6 * VQMATH::kTolerance;
    // Row 1 is within the tolerance of row 0 and row 2, which are not within it of each other.
    const std::vector<DS_CSH_LB_Data> rows{sized(1100, 1700, 120, 2), sized(1100, 1700 + 2 * step, 120, 3),
                                           sized(1100, 1700 + step, 120, 4), sized(1100, 1700, 120, 0)};
    const ds_csh_groups expected{{{0, 2}, {2, 4}, {3, 0}}, {{1, 3}, {2, 0}}};
    EXPECT_EQ(group_rows_by_scanning(rows), expected);
    EXPECT_EQ(ds_group_rows_by_size(rows), expected);

    // Sizes that are not numbers stand alone.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<DS_CSH_LB_Data> odd{sized(nan, 1, 1, 1), sized(nan, 1, 1, 1), sized(inf, 1, 1, 1),
                                           sized(inf, 1, 1, 1), sized(1, 1, nan, 0)};
    const ds_csh_groups alone{{{0, 1}}, {{1, 1}}, {{2, 1}}, {{3, 1}}};
    EXPECT_EQ(group_rows_by_scanning(odd), alone);
    EXPECT_EQ(ds_group_rows_by_size(odd), alone);
}

TEST(CshSizeGroups, IndexedGroupingMatchesTheWalkOnRandomLists)
{
    std::mt19937 random(20240611);
    const double tol = VQMATH::kTolerance;
    // Bases far apart, near cell borders, at large and negative magnitudes and
    // around zero; offsets of fractions of the tolerance chain rows together.
    const double bases[] = {1100.0, 1200.0, 0.0, -0.0, -350.0, 3 * tol, 1e9, 2.5e12, 123456789.123};
    const double offsets[] = {0.0, 0.4 * tol, 0.6 * tol, 0.9 * tol, 1.0 * tol, 1.2 * tol, 1.7 * tol, -0.6 * tol, 5 * tol};
    auto pick = [&](const auto& values) { return values[random() % std::size(values)]; };
    int trials_with_shared_rows = 0;
    for (int trial = 0; trial < 400; ++trial) {
        std::vector<DS_CSH_LB_Data> rows;
        const std::size_t n = 1 + random() % 40;
        // Few distinct bases per list, so rows meet.
        const double wid = pick(bases), len = pick(bases), angle = pick(bases);
        for (std::size_t i = 0; i < n; ++i) {
            const int count = static_cast<int>(random() % 5) - 1;
            rows.push_back(sized(wid + pick(offsets), (random() % 4 ? len : 1700.0) + pick(offsets),
                                 angle + pick(offsets), count));
        }
        const ds_csh_groups expected = group_rows_by_scanning(rows);
        ASSERT_EQ(ds_group_rows_by_size(rows), expected) << "trial " << trial;
        if (has_shared_row(expected, rows.size())) ++trials_with_shared_rows;
    }
    // The lists did reach the case where the tolerance is not transitive.
    EXPECT_GT(trials_with_shared_rows, 10);
}

}  // namespace
}  // namespace VQDraw_DS_UINA
