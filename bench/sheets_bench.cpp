// How laying out and writing the sheets of a parametric drawing grows with its
// list: the strategy's component makes the sheets (tables continue on further
// sheets), then every sheet is written as SVG text and as a DXF file.
//
// The list repeats ten pedestal sizes, so each group gathers many rows and
// its parameter table runs over many continuation sheets.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "data/ds_ui_csh_data.h"
#include "drawing/ds_ui_csh_drawing_strategy.h"
#include "host/drawing_lib/dxf_writer.h"
#include "host/drawing_lib/rx_component.h"
#include "host/drawing_lib/svg_writer.h"

namespace {

using VQDraw_DS_UINA::DS_CSH_LB_Data;
using VQDraw_DS_UINA::DS_ui_CSH_data;

DS_ui_CSH_data parametric_drawing(int rows)
{
    DS_ui_CSH_data drawing;
    drawing.m_gz_data.set_default_value();
    DS_CSH_LB_Data row;
    row.set_default_value();
    row.m_Steel_P0.set_default_value();
    drawing.m_csh_data.reserve(static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i) {
        row.m_iNum = i + 1;
        row.m_strQF = "主线";
        row.m_Type = i % 7 ? "桥墩" : "桥台";
        row.m_dWid = 1000.0 + 100.0 * (i % 10);
        row.m_strH = i % 2 ? "200" : "200,250";
        drawing.m_csh_data.push_back(row);
    }
    return drawing;
}

void BM_parametric_sheets_layout_and_write(benchmark::State& state)
{
    DS_ui_CSH_data drawing = parametric_drawing(static_cast<int>(state.range(0)));
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
