#include "ui/Disposal.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace Varnik
{

Disposal::~Disposal()
{
    {
        const std::lock_guard lock(mMutex);
        mClosing = true;
    }
    mQueued.notify_one();
    if (mThread.joinable())
        mThread.join();
}

void Disposal::Queue(std::shared_ptr<void> doomed)
{
    {
        const std::lock_guard lock(mMutex);
        mDoomed.push_back(std::move(doomed));
    }
    if (!mThread.joinable())
        mThread = std::thread([this] { Run(); });
    mQueued.notify_one();
}

void Disposal::Run()
{
    std::unique_lock lock(mMutex);
    for (;;)
    {
        mQueued.wait(lock, [this] { return mClosing || !mDoomed.empty(); });
        if (mDoomed.empty())
            return;
        std::shared_ptr<void> doomed = std::move(mDoomed.front());
        mDoomed.pop_front();
        lock.unlock();
        doomed.reset();
#if defined(__GLIBC__)
        // glibc keeps freed small blocks for the process; this hands them back.
        malloc_trim(0);
#endif
        lock.lock();
    }
}

} // namespace Varnik
