#include "engine/search/LineMatches.h"

namespace Vn
{

LineMatches::LineMatches(const SearchRequest& request, std::string_view line, uint64_t number,
                         SearchResult_File& result)
    : mRequest(request), mLine(line), mNumber(number), mResult(result)
{
}

void LineMatches::TryAt(size_t at)
{
    if (at < mNext)
        return;
    if (!mLooked || at > mAhead)
    {
        mAhead = mRequest.NextMatch(mLine, at, mAheadEnd);
        mLooked = true;
    }
    if (at == mAhead)
        Add(at, mAheadEnd);
}

void LineMatches::AddEverywhere()
{
    size_t end = 0;
    for (size_t at = mRequest.NextMatch(mLine, mNext, end); at != SearchRequest::NO_MATCH;
         at = mRequest.NextMatch(mLine, mNext, end))
        Add(at, end);
    Join();
}

// A match of no bytes lets the next one begin at the next place.
void LineMatches::Add(size_t at, size_t end)
{
    Join();
    mNext = end > at ? end : at + 1;
    if (end > at)
        mResult.AddSpan(at, end - at);
}

void LineMatches::Join()
{
    // Up to a NUL byte, as the window shows it.
    if (!mJoined)
        mResult.AddLine(mNumber, mLine.data());
    mJoined = true;
}

} // namespace Vn
