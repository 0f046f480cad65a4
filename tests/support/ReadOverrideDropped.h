#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace VarnikTest
{

// While it lives, root can no longer open a file that its permissions do not let it read,
// but access() still says it may, because access() checks root against its permitted
// capabilities and open() against its effective ones. A file of mode 0 then passes every
// readability check and fails to open: the one way to reach that failure on purpose.
// Only root holding those capabilities can do this; Dropped() says whether it worked.
class ReadOverrideDropped
{
public:
    ReadOverrideDropped()
    {
        const unsigned overrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);
        if (syscall(SYS_capget, &mHeader, mSaved) != 0 ||
            (mSaved[0].permitted & overrides) != overrides)
            return;
        __user_cap_data_struct lowered[2] = {mSaved[0], mSaved[1]};
        lowered[0].effective &= ~overrides;
        mDropped = syscall(SYS_capset, &mHeader, lowered) == 0;
    }

    ~ReadOverrideDropped()
    {
        if (mDropped)
            syscall(SYS_capset, &mHeader, mSaved);
    }

    ReadOverrideDropped(const ReadOverrideDropped&) = delete;
    ReadOverrideDropped& operator=(const ReadOverrideDropped&) = delete;

    bool Dropped() const { return mDropped; }

private:
    __user_cap_header_struct mHeader{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct mSaved[2] = {};
    bool mDropped = false;
};

} // namespace VarnikTest
