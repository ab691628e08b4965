// The structure table at the size of a long bridge: 2 000 structures of two
// pedestal rows each (4 000 lines, about 10 000 pedestals) written to and read
// from CSV and XLSX files and imported into a project holding them, and 2 000
// single drawings on 2 000 structures brought up to date after every
// structure's width changed.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

#include "app/core/bridge/bridge_steps.h"
#include "app/core/project/runtime_objects.h"
#include "data/ds_ui_data.h"
#include "host/substructure/sample_bridge.h"
#include "host/substructure/structure_table_file.h"

namespace {

namespace st = structure_table;
namespace fs = std::filesystem;

constexpr int structures = 2000;

/// The random piers of scale runs, as the table shows them.
std::vector<st::structure> long_bridge()
{
    static const std::vector<st::structure> bridge = [] {
        std::vector<st::structure> out;
        const registered_substructures piers = sample_bridge::build_random_piers(structures, 2024);
        for (const auto& pier : piers.nodes()) out.push_back(st::structure_of(*pier));
        return out;
    }();
    return bridge;
}

fs::path bench_file(const char* extension)
{
    return fs::temp_directory_path() / ("ds_bridge_bench_" + std::to_string(::getpid()) + "." + extension);
}

const ds_spreadsheet::spreadsheet_format& format_of(const benchmark::State& state)
{
    return ds_spreadsheet::spreadsheet_formats().at(static_cast<std::size_t>(state.range(0)));
}

void set_label(benchmark::State& state) { state.SetLabel(std::string(format_of(state).name)); }

void BM_bridge_table_export(benchmark::State& state)
{
    const auto& format = format_of(state);
    const fs::path file = bench_file(std::string(format.name).c_str());
    ds_app::workspace project;
    for (const st::structure& s : long_bridge()) project.adopt(st::make_drawing(s));
    for (auto _ : state) benchmark::DoNotOptimize(ds_app::run_bridge_export(project, {file, &format, {}, {}}));
    fs::remove(file);
    set_label(state);
}
BENCHMARK(BM_bridge_table_export)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

/// Import of the project's own table: the file read, checked, compared and found unchanged.
void BM_bridge_table_import(benchmark::State& state)
{
    const auto& format = format_of(state);
    const fs::path file = bench_file(std::string(format.name).c_str());
    st::write_file(file, format, long_bridge());
    ds_app::workspace project;
    for (const st::structure& s : long_bridge()) project.adopt(st::make_drawing(s));
    for (auto _ : state) benchmark::DoNotOptimize(ds_app::run_bridge_import(project, {file, &format, {}, {}}, {}));
    fs::remove(file);
    set_label(state);
}
BENCHMARK(BM_bridge_table_import)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

/// A new project from the table: every structure added.
void BM_bridge_table_new_project(benchmark::State& state)
{
    const auto& format = format_of(state);
    const fs::path file = bench_file(std::string(format.name).c_str());
    st::write_file(file, format, long_bridge());
    for (auto _ : state) {
        ds_app::workspace project;
        benchmark::DoNotOptimize(ds_app::add_bridge_from_file(project, {file, &format, {}, {}}));
    }
    fs::remove(file);
    set_label(state);
}
BENCHMARK(BM_bridge_table_new_project)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

/// 2 000 single drawings, each on a structure of one row whose width has just changed.
void BM_bridge_refresh_single_drawings(benchmark::State& state)
{
    VQDraw_DS_UINA::DS_ui_data linked;  // the module's classes register with the program
    ds_app::workspace project;
    std::vector<st::structure> bridge = long_bridge();
    for (st::structure& s : bridge) s.rows.resize(1);
    for (const st::structure& s : bridge) project.adopt(st::make_drawing(s));
    ds_app::run_bridge_single_drawings(project);
    std::vector<substructure_graph_data*> drawings;
    for (const auto& node : project.nodes())
        if (auto* s = dynamic_cast<substructure_graph_data*>(node.get())) drawings.push_back(s);
    double width = 500;
    std::size_t refreshed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        width = width == 500 ? 510 : 500;
        for (std::size_t i = 0; i < drawings.size(); ++i) {
            bridge[i].rows.front().width = width;
            st::apply(bridge[i], *drawings[i]);
        }
        state.ResumeTiming();
        refreshed = ds_app::run_bridge_refresh(project).size();
    }
    state.counters["refreshed"] = static_cast<double>(refreshed);
}
BENCHMARK(BM_bridge_refresh_single_drawings)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
