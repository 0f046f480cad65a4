#pragma once

#include <string>
#include <sys/types.h>

namespace TrovLib
{

// Opening files that the walk reads, sources and ignore files alike, so that nothing can
// block a pass: the file is opened with O_RDONLY | O_NONBLOCK | O_CLOEXEC and checked
// with fstat on the descriptor, and anything but a regular file is refused, also when it
// was swapped in after an earlier check.
struct RegularFile
{
    int mFd = -1;    // the open file; -1 when it failed or was refused
    int mError = 0;  // errno of a failed open; 0 when opened or refused
    off_t mSize = 0; // what fstat told

    // Opens `path` relative to the folder descriptor `folder` (AT_FDCWD for the working
    // folder). The caller closes mFd.
    static RegularFile Open(int folder, const char* path);
    // Every byte that `fd` gives without blocking: a file that would block, as /proc/kmsg
    // does, ends there. A read error ends the bytes as the end of the file does.
    static std::string ReadAll(int fd);
};

// Whether a failed open ran out of descriptors, which ends a pass instead of counting
// the file as unreadable.
bool IsDescriptorShortage(int error);

} // namespace TrovLib
