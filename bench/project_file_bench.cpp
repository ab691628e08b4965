// Project load and save at growing sizes, each beside the floor: the bare
// library parse and dump of the same text, measured in the same run.
//
// Two shapes: many single drawings (1 000 to 100 000 nodes), and one
// parametric drawing whose list holds 30 000 rows. Load and save are measured
// apart, since a long list once made loading far slower than saving. The
// library's bare scan of the text, which builds nothing, shows how much of a
// load no reader on this library can avoid.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "bench/parametric_sample.h"
#include "data/ds_ui_csh_data.h"
#include "data/ds_ui_data.h"
#include "host/project/project_file.h"
#include "host/framework/string_tools.h"

namespace {

using VQDraw_DS_UINA::DS_ui_CSH_data;
using VQDraw_DS_UINA::DS_ui_data;

constexpr int parametric_rows = 30000;

/// Nodes and the text they are saved as.
struct sample_project {
    std::vector<std::unique_ptr<data_node_base>> nodes;
    std::vector<const data_node_base*> pointers;
    std::string text;
};

sample_project finish(std::vector<std::unique_ptr<data_node_base>> nodes)
{
    sample_project project;
    project.nodes = std::move(nodes);
    for (const auto& n : project.nodes) project.pointers.push_back(n.get());
    project.text = ds_project::project_text(project.pointers);
    return project;
}

sample_project single_drawings(int count)
{
    DS_ui_data prototype;
    prototype.set_default_value();
    std::vector<std::unique_ptr<data_node_base>> nodes;
    for (int i = 0; i < count; ++i) {
        auto node = std::make_unique<DS_ui_data>(prototype);
        node->set_node_tag("DS_ui_data_" + string_tools::num_to_string(i + 1));
        node->set_node_name("垫石 " + string_tools::num_to_string(i + 1));
        node->m_draw_data.m_drawSet.m_DS_number = string_tools::num_to_string(i % 100);
        nodes.push_back(std::move(node));
    }
    return finish(std::move(nodes));
}

sample_project parametric_project(int rows)
{
    auto node = std::make_unique<DS_ui_CSH_data>(ds_bench::parametric_drawing(rows, 50));
    node->set_node_tag("DS_ui_CSH_data_1");
    node->set_node_name("[参数化] 垫石");
    std::vector<std::unique_ptr<data_node_base>> nodes;
    nodes.push_back(std::move(node));
    return finish(std::move(nodes));
}

/// Sample projects by size (0: the parametric drawing), made once each.
const sample_project& project_of(std::int64_t size)
{
    static std::map<std::int64_t, sample_project> made;
    auto it = made.find(size);
    if (it == made.end())
        it = made.emplace(size, size == 0 ? parametric_project(parametric_rows) : single_drawings(static_cast<int>(size)))
                 .first;
    return it->second;
}

void label(benchmark::State& state, const sample_project& project)
{
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(project.text.size()));
    state.SetLabel(state.range(0) == 0 ? std::to_string(parametric_rows) + " rows" : "single drawings");
}

void BM_project_load(benchmark::State& state)
{
    const sample_project& project = project_of(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(ds_project::load_project_text(project.text, "bench"));
    label(state, project);
}

void BM_project_save(benchmark::State& state)
{
    const sample_project& project = project_of(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(ds_project::project_text(project.pointers, project.text.size()));
    label(state, project);
}

/// The floor: what the library alone takes to parse the text and dump it again.
void BM_json_parse_dump_floor(benchmark::State& state)
{
    const sample_project& project = project_of(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(nlohmann::json::parse(project.text).dump(2));
    label(state, project);
}

/// Reads every token and builds nothing: the part of any load that no reader
/// on this library can go below.
struct token_counter {
    using json = nlohmann::json;
    std::size_t tokens = 0;
    bool count() { return ++tokens > 0; }
    bool null() { return count(); }
    bool boolean(bool) { return count(); }
    bool number_integer(json::number_integer_t) { return count(); }
    bool number_unsigned(json::number_unsigned_t) { return count(); }
    bool number_float(json::number_float_t, const std::string&) { return count(); }
    bool string(std::string&) { return count(); }
    bool binary(json::binary_t&) { return count(); }
    bool start_object(std::size_t) { return count(); }
    bool start_array(std::size_t) { return count(); }
    bool end_object() { return count(); }
    bool end_array() { return count(); }
    bool key(std::string&) { return count(); }
    template <class Exception>
    bool parse_error(std::size_t, const std::string&, const Exception&) { return false; }
};

void BM_json_scan_floor(benchmark::State& state)
{
    const sample_project& project = project_of(state.range(0));
    for (auto _ : state) {
        token_counter counter;
        benchmark::DoNotOptimize(nlohmann::json::sax_parse(project.text, &counter));
        benchmark::DoNotOptimize(counter.tokens);
    }
    label(state, project);
}

/// For each size (0: the parametric drawing), the floor, load and save one
/// after another, so that the three see the same load of a shared machine.
[[maybe_unused]] const bool registered = [] {
    for (const std::int64_t size : {1000, 10000, 100000, 0}) {
        benchmark::RegisterBenchmark("BM_json_parse_dump_floor", BM_json_parse_dump_floor)->Arg(size)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_json_scan_floor", BM_json_scan_floor)->Arg(size)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_project_load", BM_project_load)->Arg(size)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_project_save", BM_project_save)->Arg(size)->Unit(benchmark::kMillisecond);
    }
    return true;
}();

}  // namespace
