#include "lib/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace TrovLib
{

namespace
{
constexpr size_t READ_BLOCK = 64 * 1024;
} // namespace

RegularFile RegularFile::Open(int folder, const char* path)
{
    RegularFile file;
    const int fd = openat(folder, path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
    {
        file.mError = errno;
        return file;
    }
    struct stat status;
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))
    {
        close(fd);
        return file;
    }
    file.mFd = fd;
    file.mSize = status.st_size;
    return file;
}

std::string RegularFile::ReadAll(int fd)
{
    std::string bytes;
    for (;;)
    {
        const size_t used = bytes.size();
        bytes.resize(used + READ_BLOCK);
        const ssize_t count = read(fd, bytes.data() + used, READ_BLOCK);
        if (count < 0 && errno == EINTR)
        {
            bytes.resize(used);
            continue;
        }
        bytes.resize(used + static_cast<size_t>(count > 0 ? count : 0));
        if (count <= 0)
            return bytes;
    }
}

bool IsDescriptorShortage(int error)
{
    return error == EMFILE || error == ENFILE;
}

} // namespace TrovLib
