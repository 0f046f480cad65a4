// Writes a tree of generated C sources of about the given size, for bench/compare:
//   varnik-make-tree DIR MEGABYTES

#include "bench/SourceTree.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

int main(int argc, char** argv)
{
    char* end = nullptr;
    const unsigned long long megabytes = argc == 3 ? std::strtoull(argv[2], &end, 10) : 0;
    if (argc != 3 || *end != '\0' || megabytes == 0)
    {
        std::fprintf(stderr, "usage: varnik-make-tree DIR MEGABYTES\n");
        return 2;
    }
    try
    {
        const size_t files = VarnikBench::SourceTree::Write(argv[1], megabytes << 20);
        std::printf("%zu files, about %llu MiB, in %s\n", files, megabytes, argv[1]);
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "varnik-make-tree: %s\n", error.what());
        return 1;
    }
    return 0;
}
