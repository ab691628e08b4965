// How laying out and writing the sheets of a parametric drawing grows with its
// list: the strategy's component makes the sheets (tables continue on further
// sheets), then every sheet is written as SVG text and as a DXF file.
//
// The list repeats ten pedestal sizes, so each of the ten groups gathers many
// rows and its parameter table runs over many continuation sheets.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "bench/parametric_sample.h"
#include "drawing/ds_ui_csh_drawing_strategy.h"
#include "host/drawing_lib/rx_component.h"
#include "host/sheet_dxf/dxf_writer.h"
#include "host/sheet_svg/svg_writer.h"

namespace {

void BM_parametric_sheets_layout_and_write(benchmark::State& state)
{
    VQDraw_DS_UINA::DS_ui_CSH_data drawing = ds_bench::parametric_drawing(static_cast<int>(state.range(0)), 10);
    VQDraw_DS_UINA::DS_ui_CSH_drawing_strategy strategy;
    strategy.set_graph_data(&drawing);
    const std::filesystem::path dxf = std::filesystem::temp_directory_path() / "ds-bench-sheet.dxf";
    std::size_t sheets = 0;
    for (auto _ : state) {
        std::vector<RXDSGNMOD::CRXPaper*> raw;
        strategy.GetComponent()->CreatPaper(raw);
        std::vector<std::unique_ptr<RXDSGNMOD::CRXPaper>> papers(raw.begin(), raw.end());
        for (const auto& paper : papers) {
            benchmark::DoNotOptimize(ds_sheet::svg_document(paper->sheet));
            ds_sheet::write_dxf(paper->sheet, dxf);
        }
        sheets = papers.size();
    }
    std::filesystem::remove(dxf);
    state.counters["sheets"] = static_cast<double>(sheets);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_parametric_sheets_layout_and_write)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
