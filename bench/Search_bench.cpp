// Search throughput, with case respected and ignored: megabytes of source searched per
// second, on the generated tree and on /usr/include. "include" stands near the top of
// most files, "total" in every function of the generated sources. With all zones
// selected a C source is searched like plain text; with code alone the lines between
// the places of the text still go through the state machine. The regular expressions
// are rare in /usr/include, one of them tied to the start of a line.
//
//   build/release/bench/varnik-bench --benchmark_filter=Search

#include "bench/SourceTree.h"
#include "engine/scan/FolderParser.h"

#include <benchmark/benchmark.h>

using VarnikBench::SourceTree;

namespace
{

enum Options
{
    CASE_RESPECTED = 0,
    CASE_IGNORED = 1,
    CODE_ONLY = 2,
    REGEX = 4,
};

void Search(benchmark::State& state, const std::string& root, const char* text, int options)
{
    Vn::FileParser_List parsers;
    parsers.CreateParsers();
    int64_t bytes = 0;
    if (SourceTree::ParsedFiles(root, parsers, bytes).empty())
    {
        state.SkipWithError(("no source files under " + root).c_str());
        return;
    }
    Vn::SearchRequest request;
    request.SetText(text);
    request.mFlags.CaseSensitive = (options & CASE_IGNORED) == 0;
    if (options & CODE_ONLY)
        request.mFlags.InComment = request.mFlags.InDirective = request.mFlags.InString = false;
    if (options & REGEX)
        request.CompileRegex();
    Vn::FolderParser folders(&parsers);
    for (auto _ : state)
        benchmark::DoNotOptimize(folders.Search(root.c_str(), request));
    state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_Search_Generated(benchmark::State& state, const char* text, int options)
{
    Search(state, SourceTree::Shared(), text, options);
}

void BM_Search_UsrInclude(benchmark::State& state, const char* text, int options)
{
    Search(state, "/usr/include", text, options);
}

} // namespace

BENCHMARK_CAPTURE(BM_Search_Generated, include, "include", CASE_RESPECTED)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search_Generated, include_nocase, "include", CASE_IGNORED)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search_Generated, total, "total", CASE_RESPECTED)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search_Generated, total_nocase, "total", CASE_IGNORED)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search_Generated, total_code, "total", CASE_RESPECTED | CODE_ONLY)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search_UsrInclude, include, "include", CASE_RESPECTED)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search_UsrInclude, include_nocase, "include", CASE_IGNORED)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search_UsrInclude, regex_ioctl, R"(ioctl\s*\()", REGEX)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search_UsrInclude, regex_ioctl_code, R"(ioctl\s*\()", REGEX | CODE_ONLY)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search_UsrInclude, regex_define_line, R"(^#\s*define\s+\w+_H\b)", REGEX)
    ->Unit(benchmark::kMillisecond);
