#pragma once

#include <atomic>

namespace Vn
{

// The request to end one pass early. Whoever may cancel a pass makes its token before the
// pass starts and keeps it until the pass has returned. A token is never reset, so a
// request made at any moment, even before the pass has begun, ends that pass and no other.
//
// Shared between threads: the flag, which is atomic.
class CancelToken
{
public:
    CancelToken() = default;

    CancelToken(const CancelToken&) = delete;
    CancelToken& operator=(const CancelToken&) = delete;

    // Callable from any thread.
    void Cancel() { mCancelled.store(true, std::memory_order_relaxed); }
    bool IsCancelled() const { return mCancelled.load(std::memory_order_relaxed); }

private:
    std::atomic<bool> mCancelled{false};
};

} // namespace Vn
