#include "engine/counters/Counter_Names.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace Vn
{

namespace
{

// Names are copied into large blocks that are never moved, and found again through an
// open-addressing table of pointers to the copies: a name costs its text and a NUL, and
// the table 11 to 21 bytes, where a node-based set would cost a node of its own.
class NameStore
{
public:
    const char* Intern(std::string_view name)
    {
        std::lock_guard<std::mutex> lock(mMutex);
        size_t slot = Hash(name) & mMask;
        for (; mSlots[slot] != nullptr; slot = (slot + 1) & mMask)
        {
            if (Same(mSlots[slot], name))
                return mSlots[slot];
        }
        const char* stored = Copy(name);
        mSlots[slot] = stored;
        // At most three quarters of the slots are used, so a probe always ends.
        if (4 * ++mCount > 3 * (mMask + 1))
            Grow();
        return stored;
    }

private:
    static constexpr size_t BLOCK_SIZE = 64 * 1024;
    static constexpr size_t FIRST_SLOTS = 1024;

    static size_t Hash(std::string_view name) { return std::hash<std::string_view>()(name); }
    static bool Same(const char* stored, std::string_view name)
    {
        return std::strncmp(stored, name.data(), name.size()) == 0 && stored[name.size()] == '\0';
    }

    const char* Copy(std::string_view name)
    {
        const size_t needed = name.size() + 1;
        if (mBlockUsed + needed > mBlockCapacity)
        {
            mBlockCapacity = std::max(needed, BLOCK_SIZE);
            mBlocks.push_back(std::make_unique<char[]>(mBlockCapacity));
            mBlockUsed = 0;
        }
        char* stored = mBlocks.back().get() + mBlockUsed;
        std::memcpy(stored, name.data(), name.size());
        stored[name.size()] = '\0';
        mBlockUsed += needed;
        return stored;
    }

    void Grow()
    {
        const size_t oldSize = mMask + 1;
        std::unique_ptr<const char*[]> old = std::exchange(mSlots, Slots(2 * oldSize));
        mMask = 2 * oldSize - 1;
        for (size_t i = 0; i < oldSize; i++)
        {
            if (old[i] == nullptr)
                continue;
            size_t slot = Hash(old[i]) & mMask;
            while (mSlots[slot] != nullptr)
                slot = (slot + 1) & mMask;
            mSlots[slot] = old[i];
        }
    }

    static std::unique_ptr<const char* []> Slots(size_t count)
    {
        return std::make_unique<const char*[]>(count); // value-initialised: all null
    }

    std::mutex mMutex;
    std::unique_ptr<const char*[]> mSlots = Slots(FIRST_SLOTS);
    size_t mMask = FIRST_SLOTS - 1; // the slot count - 1, a power of two
    size_t mCount = 0;
    std::vector<std::unique_ptr<char[]>> mBlocks;
    size_t mBlockUsed = 0;
    size_t mBlockCapacity = 0;
};

// The last names each thread looked up, by the address they were given at. Parsers name
// most counters with the same few constant texts, file after file; a hit costs no lock
// and no hashing. The stored copy is compared with the given text, so a buffer that
// now holds another name is never mistaken for the one it held before.
struct RecentName
{
    const char* mGiven = nullptr;
    size_t mSize = 0;
    const char* mStored = nullptr;
};
constexpr size_t RECENT_NAMES = 64;

} // namespace

const char* Counter_Names::Intern(std::string_view name)
{
    static NameStore store;
    thread_local std::array<RecentName, RECENT_NAMES> recent;

    name = name.substr(0, name.find('\0'));
    RecentName& slot = recent[(reinterpret_cast<uintptr_t>(name.data()) >> 3) % RECENT_NAMES];
    if (slot.mGiven == name.data() && slot.mSize == name.size() &&
        std::memcmp(slot.mStored, name.data(), name.size()) == 0)
        return slot.mStored;
    const char* stored = store.Intern(name);
    slot = RecentName{name.data(), name.size(), stored};
    return stored;
}

} // namespace Vn
