// How the parametric drawing's component input grows with the length of its
// list: grouping by pedestal size, parameter records, labels and notes.
//
// Two lists: sizes repeating every fifty rows, so each group gathers many
// piers, as a long bridge with a few pedestal sizes gives (pier numbers run
// on, so the applicability notes name many numbers); and a size for every
// row, one group per row, where comparing every group's first row with every
// later row would cost n^2.
#include <benchmark/benchmark.h>

#include "bench/parametric_sample.h"
#include "data/ds_ui_csh_data.h"
#include "drawing/ds_ui_csh_drawing_strategy.h"

namespace {

void run_GetComponent(benchmark::State& state, int sizes)
{
    VQDraw_DS_UINA::DS_ui_CSH_data drawing = ds_bench::parametric_drawing(static_cast<int>(state.range(0)), sizes);
    VQDraw_DS_UINA::DS_ui_CSH_drawing_strategy strategy;
    strategy.set_graph_data(&drawing);
    for (auto _ : state) benchmark::DoNotOptimize(strategy.GetComponent());
    state.SetComplexityN(state.range(0));
}

void BM_csh_GetComponent_few_sizes(benchmark::State& state) { run_GetComponent(state, 50); }
BENCHMARK(BM_csh_GetComponent_few_sizes)->RangeMultiplier(10)->Range(1000, 100000)->Complexity();

void BM_csh_GetComponent_size_per_row(benchmark::State& state)
{
    run_GetComponent(state, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_csh_GetComponent_size_per_row)->RangeMultiplier(10)->Range(1000, 100000)->Complexity();

}  // namespace
