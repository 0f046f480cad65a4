#pragma once

#include "lib/Exception.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace VarnikTest
{

// While it lives, the process cannot open one more file: every descriptor up to a
// lowered limit is taken. It makes a file that passes every permission check fail to
// open, even for root, who may read any file.
class UsedUpFileDescriptors
{
public:
    UsedUpFileDescriptors()
    {
        MeetTheExceptionType();
        getrlimit(RLIMIT_NOFILE, &mSaved);
        rlimit lowered = mSaved;
        lowered.rlim_cur = std::min<rlim_t>(mSaved.rlim_cur, 256);
        setrlimit(RLIMIT_NOFILE, &lowered);
        for (int fd = open("/dev/null", O_RDONLY); fd >= 0; fd = open("/dev/null", O_RDONLY))
            mTaken.push_back(fd);
    }

    ~UsedUpFileDescriptors()
    {
        for (int fd : mTaken)
            close(fd);
        setrlimit(RLIMIT_NOFILE, &mSaved);
    }

    UsedUpFileDescriptors(const UsedUpFileDescriptors&) = delete;
    UsedUpFileDescriptors& operator=(const UsedUpFileDescriptors&) = delete;

private:
    // The undefined-behaviour sanitizer checks a dynamic type through a pipe the first
    // time it meets it, and reports a false fault when no descriptor is left. Let it meet
    // the exception that the test expects while it still can.
    static void MeetTheExceptionType()
    {
        const TrovLib::Exception exception(TrovLib::CODE_IO_ERROR, "", nullptr, "", "", 0, 0);
        static_cast<void>(exception.mCode);
    }

    rlimit mSaved;
    std::vector<int> mTaken;
};

} // namespace VarnikTest
