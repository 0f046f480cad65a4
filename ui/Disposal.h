#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

namespace Varnik
{

// Frees the trees that the window lets go of on a thread of its own: a result tree of
// millions of lines takes long enough to free that the window would stall, and the memory
// is then given back to the system, so that a large tree's footprint does not outlive it.
// The thread starts with the first release and ends with the object, after the last.
//
// Shared between threads: the queue of trees to free, guarded by mMutex.
class Disposal
{
public:
    Disposal() = default;
    ~Disposal();

    Disposal(const Disposal&) = delete;
    Disposal& operator=(const Disposal&) = delete;

    template <class T> void Release(std::unique_ptr<T> doomed)
    {
        if (doomed)
            Queue(std::shared_ptr<T>(std::move(doomed)));
    }

private:
    void Queue(std::shared_ptr<void> doomed);
    void Run();

    std::mutex mMutex;
    std::condition_variable mQueued;
    std::deque<std::shared_ptr<void>> mDoomed;
    bool mClosing = false;
    std::thread mThread;
};

} // namespace Varnik
