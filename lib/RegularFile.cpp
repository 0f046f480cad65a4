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

RegularFile RegularFile::Open(int folder, const char* path, bool followLinks)
{
    RegularFile file;
    const int fd =
        openat(folder, path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | (followLinks ? 0 : O_NOFOLLOW));
    if (fd < 0)
    {
        // Without following, a link fails as a loop would: it is refused, not an error.
        file.mError = !followLinks && errno == ELOOP ? 0 : errno;
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

std::string RegularFile::ReadAll(int fd, size_t limit, int* error)
{
    std::string bytes;
    while (bytes.size() <= limit)
    {
        const size_t used = bytes.size();
        const size_t wanted = limit - used < READ_BLOCK ? limit - used + 1 : READ_BLOCK;
        bytes.resize(used + wanted);
        const ssize_t count = read(fd, bytes.data() + used, wanted);
        if (count < 0 && errno == EINTR)
        {
            bytes.resize(used);
            continue;
        }
        if (count < 0 && error != nullptr)
            *error = errno;
        bytes.resize(used + static_cast<size_t>(count > 0 ? count : 0));
        if (count <= 0)
            break;
    }
    return bytes;
}

bool IsDescriptorShortage(int error)
{
    return error == EMFILE || error == ENFILE;
}

} // namespace TrovLib
