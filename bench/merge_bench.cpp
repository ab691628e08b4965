// How the check and the merge of single pedestal drawings grow with the
// number of drawings selected.
//
// Every drawing serves one pier; pedestal numbers repeat every hundred
// drawings, so the check compares drawings within groups of a shared number,
// as a real selection of many piers with a few pedestal types does.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "data/ds_ui_csh_data.h"
#include "data/ds_ui_data.h"
#include "host/framework/data_center.h"
#include "host/framework/string_tools.h"
#include "methods/ds_ui_merge_method_base.h"

namespace {

using VQDraw_DS_UINA::DS_ui_data;

/// Single drawings registered in the data centre for the whole run. They are
/// made once for the largest selection, and each benchmark selects the first
/// n of them: the check and the merge only look at the tags they are given.
/// (Made once also because taking a node out of the data centre costs a scan
/// of all its tags, which would make every teardown quadratic.)
class single_drawing_pool {
public:
    static const single_drawing_pool& instance()
    {
        static const single_drawing_pool pool(100000);
        return pool;
    }

    /// The tags of the first `count` drawings.
    std::vector<CString> first(std::int64_t count) const
    {
        return {m_tags.begin(), m_tags.begin() + std::min<std::int64_t>(count, std::ssize(m_tags))};
    }

private:
    explicit single_drawing_pool(int count)
    {
        DS_ui_data prototype;
        prototype.set_default_value();  // once: it builds a rebar table from the host's sample
        m_nodes.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            auto node = std::make_unique<DS_ui_data>(prototype);
            node->m_draw_data.m_drawSet.m_DS_number = string_tools::num_to_string(i % 100);
            node->m_draw_data.m_drawSet.com_drawset.m_merge_infos = {
                {"桥墩", "主线", string_tools::num_to_string(i + 1), "1", "1~2"}};
            node->set_node_tag("bench_single_" + string_tools::num_to_string(i));
            data_center::register_node(node->get_node_tag(), node.get());
            m_tags.push_back(node->get_node_tag());
            m_nodes.push_back(std::move(node));
        }
    }

    std::vector<std::unique_ptr<DS_ui_data>> m_nodes;
    std::vector<CString> m_tags;
};

void BM_is_all_single_graph_can_merge(benchmark::State& state)
{
    const std::vector<CString> graphs = single_drawing_pool::instance().first(state.range(0));
    const VQDraw_DS_UINA::DS_ui_merge_method_base method;
    std::vector<CString> messages;
    for (auto _ : state) benchmark::DoNotOptimize(method.is_all_single_graph_can_merge(graphs, messages));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_is_all_single_graph_can_merge)->RangeMultiplier(10)->Range(1000, 100000)->Complexity();

void BM_merge_drawing_graph(benchmark::State& state)
{
    const std::vector<CString> graphs = single_drawing_pool::instance().first(state.range(0));
    VQDraw_DS_UINA::DS_ui_merge_method_base method;
    for (auto _ : state) {
        parameters_graph_data_base* merged = nullptr;
        benchmark::DoNotOptimize(method.merge_drawing_graph(merged, graphs));
        state.PauseTiming();
        delete merged;  // the host's part, not the merge's
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_merge_drawing_graph)->RangeMultiplier(10)->Range(1000, 100000)->Complexity();

}  // namespace
