// What a person waits for in `ds-host serve`: one cell edited and the answer
// with the drawing's new sheet, on a single drawing and on a parametric
// drawing of 1 000 list rows. In-process, through the served project's own
// edit step (observer, save, sheet) and the JSON the page receives; each
// iteration is timed alone so the 95th percentile can be reported.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/core/project/app_context.h"
#include "app/serve/serve_project.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

/// Milliseconds on the monotonic clock (<chrono> does not compile with the GBK execution charset).
double now_ms()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

std::string u8text(const char8_t* text) { return reinterpret_cast<const char*>(text); }

/// The project every benchmark serves: the sample bridge and a single drawing;
/// the parametric benchmarks add a parametric drawing whose list is pasted to
/// 1 000 rows through the page's paste step (after the single drawing's
/// benchmark, which thus saves a project of the usual size).
struct bench_project {
    ds_app::app_context context;
    fs::path dir = fs::temp_directory_path() / ("ds-serve-bench-" + std::to_string(getpid()));
    std::unique_ptr<ds_app::served_project> project;
    std::string single, parametric;

    bench_project()
    {
        fs::create_directories(dir);
        context.project().add_sample_bridge();
        context.project().save(dir / "p.json");
        project = std::make_unique<ds_app::served_project>(context, dir / "p.json");
        single = project->add_drawing({{"name", u8text(u8"垫石")}})["tag"];
    }
    ~bench_project()
    {
        project.reset();
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    const std::string& parametric_drawing()
    {
        if (!parametric.empty()) return parametric;
        parametric = project->add_drawing({{"name", "list"}, {"parametric", true}})["tag"];
        std::string rows;
        for (int i = 2; i <= 1000; ++i)
            rows += u8text(u8"桥墩\t主线\t") + std::to_string(i) + "\t6\t\t200,210\t" + std::to_string(1100 + i % 5) + "\t1700\t120\n";
        project->paste({{"tag", parametric}, {"version", version(parametric)}, {"table", u8text(u8"垫石-参数化列表")},
                        {"row", 2}, {"key", "m_Type"}, {"text", rows}});
        return parametric;
    }
    long version(const std::string& tag)
    {
        const json state = project->state();
        for (const auto& d : state["drawings"])
            if (d["tag"] == tag) return d["version"];
        return 0;
    }
};

bench_project& shared_project()
{
    static bench_project project;
    return project;
}

/// Edits `key` (of list row `row`, 0 for a property) back and forth between
/// two values; with `tables`, also asks for the tables as the page does next.
void edit_cell(benchmark::State& state, const std::string& tag, const std::string& table, int row, const std::string& key,
               const char* a, const char* b, bool tables = false)
{
    bench_project& p = shared_project();
    std::vector<double> ms;
    bool flip = false;
    for (auto _ : state) {
        const double start = now_ms();
        const json answer = p.project->edit({{"tag", tag}, {"version", p.version(tag)}, {"table", table}, {"row", row},
                                             {"key", key}, {"value", (flip = !flip) ? a : b}});
        std::string sent = answer.dump();
        if (tables) sent += p.project->drawing(tag, "", std::nullopt).dump();
        benchmark::DoNotOptimize(sent.data());
        ms.push_back(now_ms() - start);
    }
    std::sort(ms.begin(), ms.end());
    state.counters["p50_ms"] = ms[ms.size() / 2];
    state.counters["p95_ms"] = ms[std::min(ms.size() - 1, ms.size() * 95 / 100)];
}

void BM_serve_edit_single(benchmark::State& state)
{
    edit_cell(state, shared_project().single, u8text(u8"垫石-构造属性"), 0, "m_dWidth", "600", "610");
}
BENCHMARK(BM_serve_edit_single)->Unit(benchmark::kMillisecond)->Iterations(60);

void BM_serve_edit_parametric_1000_rows(benchmark::State& state)
{
    edit_cell(state, shared_project().parametric_drawing(), u8text(u8"垫石-参数化列表"), 500, "m_dWid", "1200", "1210");
}
BENCHMARK(BM_serve_edit_parametric_1000_rows)->Unit(benchmark::kMillisecond)->Iterations(40);

/// What the page waits for in all: the edit's answer, then the tables it shows again.
void BM_serve_edit_and_tables_parametric_1000_rows(benchmark::State& state)
{
    edit_cell(state, shared_project().parametric_drawing(), u8text(u8"垫石-参数化列表"), 500, "m_dWid", "1200", "1210", true);
}
BENCHMARK(BM_serve_edit_and_tables_parametric_1000_rows)->Unit(benchmark::kMillisecond)->Iterations(40);

}  // namespace

BENCHMARK_MAIN();
