#pragma once

#include <unistd.h>

namespace TrovLib
{

// An open folder descriptor, closed with the object. The walk shares one with the files
// waiting to be read below it, which open relative to it when their full path is too
// long for the system. Only its creation and destruction need the owner's care; the
// descriptor itself may be used from any thread.
class FolderHandle
{
public:
    explicit FolderHandle(int fd) : mFd(fd) {}
    ~FolderHandle()
    {
        if (mFd >= 0)
            close(mFd);
    }

    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;

    int Get() const { return mFd; }

private:
    const int mFd;
};

} // namespace TrovLib
