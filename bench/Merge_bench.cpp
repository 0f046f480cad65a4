// The roll-up of counters: a folder merging many files whose "#if" counters test names
// out of a large set, as at the root of a big tree. The folder's list of names grows to
// tens of thousands, so finding a name must not walk the list.
//
//   build/release/bench/varnik-bench --benchmark_filter=Merge

#include "engine/parsers/FileCounters.h"
#include "engine/tree/Data_Folder.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace
{

constexpr int FILES = 10000;
constexpr int NAMES_PER_FILE = 50;
constexpr int DISTINCT_NAMES = 50000;

std::vector<std::unique_ptr<Vn::Data_Node>> MakeFiles()
{
    std::mt19937 random(42);
    std::vector<std::unique_ptr<Vn::Data_Node>> files;
    Vn::FileCounters counters;
    for (int file = 0; file < FILES; file++)
    {
        auto node = std::make_unique<Vn::Data_Node>("file.c");
        node->mCounts.Start("c");
        counters.Start(*node, true);
        for (int name = 0; name < NAMES_PER_FILE; name++)
        {
            counters.CountCondition();
            counters.CountName("CONFIG_OPTION_" + std::to_string(random() % DISTINCT_NAMES));
        }
        node->mCounts.EndReading();
        files.push_back(std::move(node));
    }
    return files;
}

void Merge_TenThousandFiles(benchmark::State& state)
{
    for (auto _ : state)
    {
        state.PauseTiming();
        auto files = MakeFiles();
        Vn::Data_Folder folder("root");
        state.ResumeTiming();

        for (auto& file : files)
            folder.AddNode(std::move(file));
        benchmark::DoNotOptimize(folder.mCounters.size());
    }
    state.SetItemsProcessed(state.iterations() * FILES * NAMES_PER_FILE);
}
BENCHMARK(Merge_TenThousandFiles)->Unit(benchmark::kMillisecond);

} // namespace
