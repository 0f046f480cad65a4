// Scan throughput: how many megabytes of source a scan reads and classifies per second,
// on a generated tree of C sources and on /usr/include. The figure counts the bytes of
// the files that a parser reads; files that are only counted do not add to it.
//
//   build/release/bench/varnik-bench [--benchmark_filter=Generated]

#include "engine/parsers/FileParser_List.h"
#include "engine/parsers/FileParser_Text.h"
#include "engine/scan/FolderParser.h"
#include "lib/Format.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{

// One C source with what the parsers have to tell apart: block and line comments,
// strings and characters with escapes, directives and conditions, blank lines.
std::string CSource(int module)
{
    std::string text = TrovLib::Format("/*\n * Module %d of the generated tree.\n *\n"
                                       " * It holds a few functions and their comments.\n */\n\n"
                                       "#include <stdio.h>\n#include \"module_%d.h\"\n\n"
                                       "#ifndef MODULE_%d_H\n#define MODULE_%d_H 1\n#endif\n\n",
                                       module, module, module, module);
    for (int function = 0; function < 40; function++)
    {
        text += TrovLib::Format(
            "// Adds up the values of table %d, the way /* this */ one does.\n"
            "static int sum_%d_%d(const int* values, int count)\n{\n"
            "    int total = 0; /* running total */\n"
            "    for (int i = 0; i < count; i++)\n"
            "        total += values[i];\n\n"
            "#if defined(TRACE) && TRACE_LEVEL > %d\n"
            "    printf(\"sum %%d: \\\"%%d\\\"\\n\", %d, total); // shows the total\n"
            "#endif\n"
            "    return total > 0 ? total : '\\0';\n}\n\n",
            function, module, function, function % 4, function);
    }
    return text;
}

class GeneratedTree
{
public:
    GeneratedTree()
    {
        std::string pattern = (fs::temp_directory_path() / "varnik-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        mRoot = pattern;
        for (int module = 0; module < 400; module++)
        {
            const fs::path folder = fs::path(mRoot) / TrovLib::Format("part%02d", module / 20);
            fs::create_directories(folder);
            std::ofstream(folder / TrovLib::Format("module_%d.c", module)) << CSource(module);
        }
    }
    ~GeneratedTree() { fs::remove_all(mRoot); }

    const std::string& Root() const { return mRoot; }

private:
    std::string mRoot;
};

const GeneratedTree& Generated()
{
    static const GeneratedTree tree;
    return tree;
}

// The files of a tree that a parser reads, found once, outside the timed loop.
std::vector<std::string> ReadFiles(const std::string& root, const Vn::FileParser_List& parsers,
                                   int64_t& bytes)
{
    std::vector<std::string> files;
    bytes = 0;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(root, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error))
    {
        const std::string path = it->path().string();
        if (it->is_regular_file(error) &&
            dynamic_cast<Vn::FileParser_Text*>(parsers.GetParser(path.c_str())) != nullptr)
        {
            files.push_back(path);
            bytes += static_cast<int64_t>(it->file_size(error));
        }
    }
    return files;
}

void Scan(benchmark::State& state, const std::string& root)
{
    Vn::FileParser_List parsers;
    parsers.CreateParsers();
    int64_t bytes = 0;
    const auto files = ReadFiles(root, parsers, bytes);
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
void ParseFiles(benchmark::State& state, const std::string& root)
{
    Vn::FileParser_List parsers;
    parsers.CreateParsers();
    int64_t bytes = 0;
    const auto files = ReadFiles(root, parsers, bytes);
    for (auto _ : state)
    {
        for (const std::string& file : files)
            benchmark::DoNotOptimize(parsers.Parse(file.c_str()));
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_Scan_Generated(benchmark::State& state)
{
    Scan(state, Generated().Root());
}

void BM_Scan_UsrInclude(benchmark::State& state)
{
    Scan(state, "/usr/include");
}

void BM_ParseFiles_Generated(benchmark::State& state)
{
    ParseFiles(state, Generated().Root());
}

} // namespace

BENCHMARK(BM_Scan_Generated)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scan_UsrInclude)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseFiles_Generated)->Unit(benchmark::kMillisecond);
