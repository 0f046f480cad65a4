#pragma once

#include <cstdint>
#include <string>
#include <sys/types.h>

namespace TrovLib
{

// Opening files that the walk reads, sources and ignore files alike, so that nothing can
// block a pass: the file is opened with O_RDONLY | O_NONBLOCK | O_CLOEXEC and checked
// with fstat on the descriptor, and anything but a regular file is refused, also when it
// was swapped in after an earlier check. Ignore files are opened without following a
// link as well, so that a link to /proc/self/pagemap, say, is refused too.
struct RegularFile
{
    int mFd = -1;    // the open file; -1 when it failed or was refused
    int mError = 0;  // errno of a failed open; 0 when opened or refused
    off_t mSize = 0; // what fstat told

    // Opens `path` relative to the folder descriptor `folder` (AT_FDCWD for the working
    // folder); a link is refused unless `followLinks`. The caller closes mFd.
    static RegularFile Open(int folder, const char* path, bool followLinks = true);
    // Every byte that `fd` gives without blocking, up to `limit` and one more when there
    // are more, which tells the caller that the file was cut: a file that would block, as
    // /proc/kmsg does, ends there. A read error ends the bytes too, and its errno goes to
    // `error` when given (which is left alone otherwise).
    static std::string ReadAll(int fd, size_t limit = SIZE_MAX, int* error = nullptr);
};

// Whether a failed open ran out of descriptors, which ends a pass instead of counting
// the file as unreadable.
bool IsDescriptorShortage(int error);

} // namespace TrovLib
