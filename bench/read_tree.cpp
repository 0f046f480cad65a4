// The cost of reading a tree: reads every regular file below a folder through one
// reused buffer and does nothing else. bench/compare measures Varnik against it.

#include <cstdio>
#include <fcntl.h>
#include <ftw.h>
#include <unistd.h>

namespace
{

char gBuffer[1 << 16];
unsigned long long gBytes = 0;

int ReadFile(const char* path, const struct stat* /*info*/, int type, struct FTW* /*where*/)
{
    if (type != FTW_F)
        return 0;
    const int fd = open(path, O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return 0;
    ssize_t got;
    while ((got = read(fd, gBuffer, sizeof gBuffer)) > 0)
        gBytes += static_cast<unsigned long long>(got);
    close(fd);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: varnik-read-tree FOLDER\n");
        return 2;
    }
    nftw(argv[1], ReadFile, 64, FTW_PHYS);
    std::printf("%llu bytes\n", gBytes);
    return 0;
}
