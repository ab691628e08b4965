// Small objects read and parsed after one wide object, beside the same small
// objects alone: the wide object's key index must not be what each later
// object pays for, so the two columns should grow alike.
#include <benchmark/benchmark.h>

#include <string>

#include "host/json/json_flat_tree.h"
#include "host/json/json_read_stream.h"
#include "host/json/json_text.h"

namespace {

constexpr int wide_members = 400000;

std::string item(int i) { return "item_" + std::to_string(i); }

/// A tree of `rows` objects of one member "a", the first with `wide` members
/// more before it, all under "item_N" keys at one depth.
ds_json::flat_tree rows_after(int wide, int rows)
{
    ds_json::flat_tree tree;
    tree.open(false);
    for (int i = 0; i < rows; ++i) {
        tree.key(item(i));
        tree.open(false);
        for (int j = 0; i == 0 && j < wide; ++j) {
            tree.key("junk" + std::to_string(j));
            tree.add_integer(j);
        }
        tree.key("a");
        tree.add_integer(1);
        tree.close();
    }
    tree.close();
    return tree;
}

/// Reads the rows; the wide first one is read out of order, so its keys are indexed.
void BM_read_rows(benchmark::State& state, int wide)
{
    const int rows = static_cast<int>(state.range(0));
    const ds_json::flat_tree tree = rows_after(wide, rows);
    for (auto _ : state) {
        ds_json::json_read_stream stream(tree, 0);
        int a = 0;
        for (int i = 0; i < rows; ++i) {
            const CString key(item(i).c_str());
            stream.mark(key, x_mark_object_begin);
            stream.read("a", a);
            stream.mark(key, x_mark_object_end);
        }
        stream.finish();
        benchmark::DoNotOptimize(a);
    }
}

/// Parses "[{wide members..., "a": 1}, {"a": 1}, ...]".
void BM_parse_rows(benchmark::State& state, int wide)
{
    std::string text = "[{";
    for (int i = 0; i < wide; ++i) text += "\"k" + std::to_string(i) + "\": 1,";
    text += "\"a\": 1}";
    for (int i = 1; i < state.range(0); ++i) text += ", {\"a\": 1}";
    text += "]";
    for (auto _ : state) benchmark::DoNotOptimize(ds_json::read_text(text));
}

}  // namespace

BENCHMARK_CAPTURE(BM_read_rows, alone, 0)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_read_rows, after_wide_object, wide_members)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_parse_rows, alone, 0)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_parse_rows, after_wide_object, wide_members)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
