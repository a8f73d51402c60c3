// tree.txt of a generated sheet: N items in N/50 folders, read and written.
#include <benchmark/benchmark.h>

#include <string>

#include "core/FolderTree.h"

namespace {

std::string TreeFile(int items) {
    std::string text;
    for (int i = 0; i < items; ++i) {
        if (i % 50 == 0) text += "#folder" + std::to_string(i / 50) + "\r\n";
        text += "\tkey" + std::to_string(i) + "\r\n";
    }
    return text;
}

void BM_TreeRead(benchmark::State& state) {
    const std::string file = TreeFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        zanmel::FolderTree tree;
        benchmark::DoNotOptimize(zanmel::ReadTreeText(file, tree));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_TreeRead)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_TreeWrite(benchmark::State& state) {
    zanmel::FolderTree tree;
    zanmel::ReadTreeText(TreeFile(static_cast<int>(state.range(0))), tree);
    for (auto _ : state) benchmark::DoNotOptimize(zanmel::WriteTreeText(tree));
}
BENCHMARK(BM_TreeWrite)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
