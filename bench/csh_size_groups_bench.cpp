// The size grouping of a parametric list on its own: the indexed grouping the
// strategy uses against the literal walk (every group's first row compared
// with every later row), on a list where every row has a size of its own.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "drawing/ds_csh_groups.h"

namespace {

using VQDraw_DS_UINA::DS_CSH_LB_Data;

std::vector<DS_CSH_LB_Data> rows_of_distinct_sizes(std::int64_t count)
{
    std::vector<DS_CSH_LB_Data> rows(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i].m_dWid = 1000.0 + 0.5 * static_cast<double>(i);
    return rows;
}

void BM_csh_size_groups_indexed(benchmark::State& state)
{
    const std::vector<DS_CSH_LB_Data> rows = rows_of_distinct_sizes(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(VQDraw_DS_UINA::ds_group_rows_by_size(rows));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_csh_size_groups_indexed)->RangeMultiplier(10)->Range(1000, 100000)->Complexity();

// Stops at 10 000 rows: at 100 000 one run takes several seconds.
void BM_csh_size_groups_literal(benchmark::State& state)
{
    const std::vector<DS_CSH_LB_Data> rows = rows_of_distinct_sizes(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(VQDraw_DS_UINA::ds_csh_group_detail::group_rows_by_scanning(rows));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_csh_size_groups_literal)->RangeMultiplier(10)->Range(1000, 10000)->Complexity();

}  // namespace
