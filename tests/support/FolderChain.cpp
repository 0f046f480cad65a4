#include "FolderChain.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace VarnikTest
{

FolderChain::FolderChain(const std::string& root, const std::string& name, int depth, int every)
    : mPath(root + "/" + name)
{
    int folder = open(root.c_str(), O_RDONLY | O_DIRECTORY);
    for (int level = 0; level <= depth; level++)
    {
        if (level % every == 0 || level == depth)
        {
            const int file = openat(folder, "f.c", O_WRONLY | O_CREAT, 0600);
            mFiles += write(file, "int x;\n", 7) == 7 ? 1 : 0;
            close(file);
        }
        if (level < depth)
            mkdirat(folder, name.c_str(), 0700);
        const int below = level < depth ? openat(folder, name.c_str(), O_DIRECTORY) : -1;
        close(std::exchange(folder, below));
    }
}

FolderChain::~FolderChain()
{
    std::system(("rm -rf '" + mPath + "'").c_str());
}

} // namespace VarnikTest
