// Writes a tree of generated C sources for bench/compare and the window's benchmark:
//   varnik-make-tree DIR MEGABYTES        sources of about the given size, 13 KiB a file
//   varnik-make-tree --short DIR FILES    that many short sources, about 1 KiB a file
//   varnik-make-tree --chain DIR LEVELS   a chain of folders that many levels deep

#include "bench/SourceTree.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

namespace
{

// The whole argument as a positive number, else 0.
unsigned long long Count(const char* argument)
{
    char* end = nullptr;
    const unsigned long long count = std::strtoull(argument, &end, 10);
    return *end == '\0' ? count : 0;
}

} // namespace

int main(int argc, char** argv)
{
    const bool shortFiles = argc == 4 && std::strcmp(argv[1], "--short") == 0;
    const bool chain = argc == 4 && std::strcmp(argv[1], "--chain") == 0;
    const char* root = argv[argc - 2];
    const unsigned long long count = argc >= 3 ? Count(argv[argc - 1]) : 0;
    if ((argc != 3 && !shortFiles && !chain) || count == 0)
    {
        std::fprintf(stderr, "usage: varnik-make-tree DIR MEGABYTES\n"
                             "       varnik-make-tree --short DIR FILES\n"
                             "       varnik-make-tree --chain DIR LEVELS\n");
        return 2;
    }
    try
    {
        if (shortFiles)
            VarnikBench::SourceTree::WriteShort(root, count);
        else if (chain)
            VarnikBench::SourceTree::WriteChain(root, static_cast<int>(count));
        else
            std::printf("%zu files, about %llu MiB, ",
                        VarnikBench::SourceTree::Write(root, count << 20), count);
        std::printf("in %s\n", root);
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "varnik-make-tree: %s\n", error.what());
        return 1;
    }
    return 0;
}
