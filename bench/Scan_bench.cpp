// Scan throughput: how many megabytes of source a scan reads and classifies per second,
// on a generated tree of C sources and on /usr/include. The figure counts the bytes of
// the files that a parser reads; files that are only counted do not add to it.
//
//   build/release/bench/varnik-bench [--benchmark_filter=Scan]

#include "bench/SourceTree.h"
#include "engine/scan/FolderParser.h"

#include <benchmark/benchmark.h>

using VarnikBench::SourceTree;

namespace
{

void Scan(benchmark::State& state, const std::string& root, const Vn::AnalysisOptions& options = {})
{
    Vn::FileParser_List parsers;
    parsers.CreateParsers(options);
    int64_t bytes = 0;
    const auto files = SourceTree::ParsedFiles(root, parsers, bytes);
    if (files.empty())
    {
        state.SkipWithError(("no source files under " + root).c_str());
        return;
    }
    Vn::FolderParser folders(&parsers);
    for (auto _ : state)
        benchmark::DoNotOptimize(folders.Parse(root.c_str()));
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["files"] = static_cast<double>(files.size());
}

// The parsers alone, without the walk: every file of the tree, listed beforehand.
void ParseFiles(benchmark::State& state, const std::string& root,
                const Vn::AnalysisOptions& options = {})
{
    Vn::FileParser_List parsers;
    parsers.CreateParsers(options);
    int64_t bytes = 0;
    const auto files = SourceTree::ParsedFiles(root, parsers, bytes);
    Vn::ReadingContext context;
    for (auto _ : state)
    {
        for (const std::string& file : files)
            benchmark::DoNotOptimize(parsers.Parse(file.c_str(), context));
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_Scan_Generated(benchmark::State& state)
{
    Scan(state, SourceTree::Shared());
}

void BM_Scan_UsrInclude(benchmark::State& state)
{
    Scan(state, "/usr/include");
}

void BM_ParseFiles_Generated(benchmark::State& state)
{
    ParseFiles(state, SourceTree::Shared());
}

// The same with every analysis option that the parsers take: more file types, modern C++.
void BM_Scan_Generated_Precise(benchmark::State& state)
{
    Scan(state, SourceTree::Shared(), Vn::AnalysisOptions::Precise());
}

void BM_Scan_UsrInclude_Precise(benchmark::State& state)
{
    Scan(state, "/usr/include", Vn::AnalysisOptions::Precise());
}

void BM_ParseFiles_Generated_Precise(benchmark::State& state)
{
    ParseFiles(state, SourceTree::Shared(), Vn::AnalysisOptions::Precise());
}

} // namespace

BENCHMARK(BM_Scan_Generated)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scan_UsrInclude)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseFiles_Generated)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scan_Generated_Precise)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scan_UsrInclude_Precise)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseFiles_Generated_Precise)->Unit(benchmark::kMillisecond);
