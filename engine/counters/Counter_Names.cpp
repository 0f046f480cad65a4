#include "engine/counters/Counter_Names.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_set>
#include <vector>

namespace Vn
{

namespace
{

// Names are copied into large blocks that are never moved, so the views that key the
// set stay valid.
class NameStore
{
public:
    const char* Intern(std::string_view name)
    {
        std::lock_guard<std::mutex> lock(mMutex);
        if (const auto found = mNames.find(name); found != mNames.end())
            return found->data();
        const char* stored = Copy(name);
        mNames.emplace(stored, name.size());
        return stored;
    }

private:
    static constexpr size_t BLOCK_SIZE = 64 * 1024;

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

    std::mutex mMutex;
    std::unordered_set<std::string_view> mNames;
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

    RecentName& slot = recent[(reinterpret_cast<uintptr_t>(name.data()) >> 3) % RECENT_NAMES];
    if (slot.mGiven == name.data() && slot.mSize == name.size() &&
        std::memcmp(slot.mStored, name.data(), name.size()) == 0)
        return slot.mStored;
    const char* stored = store.Intern(name);
    slot = RecentName{name.data(), name.size(), stored};
    return stored;
}

} // namespace Vn
