#pragma once

#include "engine/parsers/FileParser_List.h"

#include <cstdint>
#include <string>
#include <vector>

namespace VarnikBench
{

// Trees of generated C sources, the input of the benchmarks and of bench/compare.
//
// Each source holds what the parsers have to tell apart: block and line comments,
// strings and characters with escapes, directives and conditions, blank lines. Sources
// and headers vary in length, a hundred to a folder, so that a tree costs per file
// and per line about what a real one does.
class SourceTree
{
public:
    // One generated source of `functions` functions, numbered `module`.
    static std::string Module(int module, int functions);
    // Writes about `bytes` bytes of sources into `root`, creating it; returns the
    // number of files written.
    static size_t Write(const std::string& root, uint64_t bytes);
    // Writes `files` short sources of two or three functions each, about 1 KiB a file,
    // into `root`, creating it: a tree of many files on little disk.
    static void WriteShort(const std::string& root, size_t files);
    // Writes a chain of `depth` folders named "d" below `root`, with a short source at
    // every thousandth level and at the bottom. Made a level at a time through
    // descriptors, since the paths grow far longer than the system takes.
    static void WriteChain(const std::string& root, int depth);

    // A tree of about 8 MiB that the benchmarks share, written once into a temporary
    // folder and removed at exit.
    static const std::string& Shared();

    // The files below `root` that a parser reads (the others are only counted), and
    // their bytes in `bytes`: what a throughput is measured against.
    static std::vector<std::string> ParsedFiles(const std::string& root,
                                                const Vn::FileParser_List& parsers, int64_t& bytes);

private:
    // Writes the source numbered `module` into its folder below `root`; returns its size.
    static size_t WriteModule(const std::string& root, int module, int functions);
};

} // namespace VarnikBench
