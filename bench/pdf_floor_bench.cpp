// The floor under a set's PDF: the PDF library writing a given number of
// pages of real sheets and nothing else — no project, no layout, no other
// format. The sheets are those of a parametric drawing, flattened once and
// written over and over; bench/sheet_set_bench.sh sets ds-host's sheets
// per second beside it.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "bench/parametric_sample.h"
#include "drawing/ds_ui_csh_drawing_strategy.h"
#include "host/drawing_lib/rx_component.h"
#include "host/sheet_pdf/pdf_writer.h"

namespace {

void BM_pdf_pages_floor(benchmark::State& state)
{
    VQDraw_DS_UINA::DS_ui_CSH_data drawing = ds_bench::parametric_drawing(20, 10);
    VQDraw_DS_UINA::DS_ui_CSH_drawing_strategy strategy;
    strategy.set_graph_data(&drawing);
    std::vector<RXDSGNMOD::CRXPaper*> raw;
    strategy.GetComponent()->CreatPaper(raw);
    std::vector<std::unique_ptr<RXDSGNMOD::CRXPaper>> papers(raw.begin(), raw.end());
    std::vector<ds_sheet::flat_sheet> flats;
    for (const auto& paper : papers) flats.push_back(ds_sheet::flatten_for_writers(paper->sheet));
    const std::filesystem::path pdf = std::filesystem::temp_directory_path() / "ds-bench-floor.pdf";
    const auto pages = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        ds_sheet::pdf_book book(pdf);
        for (std::size_t i = 0; i < pages; ++i) book.add(flats[i % flats.size()]);
        book.finish("floor");
    }
    std::filesystem::remove(pdf);
    state.counters["pages/s"] = benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_pdf_pages_floor)->Arg(1500)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
