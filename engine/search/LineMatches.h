#pragma once

#include "engine/search/SearchRequest.h"
#include "engine/search/SearchResult_File.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace Vn
{

// Gathers the matches of a request in one line into a file's result, left to right, each
// beginning where the one before ended. A match begins only at a place that a parser
// offers, one whose zone the request selects. The line joins the result with its first
// match; a match of no bytes (the empty text, "^") counts but marks nothing.
//
// A match is looked for ahead, whatever the zones, from the first place offered past the
// last one found, so that most places offered cost a comparison and a parser can stop
// offering once none is left. Made on the stack for each line searched: it allocates
// nothing, and the result grows only for a line that matches.
class LineMatches
{
public:
    // The line ends at a NUL, which must stand at `line.size()`.
    LineMatches(const SearchRequest& request, std::string_view line, uint64_t number,
                SearchResult_File& result);

    // A place where a match may begin; places come in increasing order.
    void TryAt(size_t at);
    // No place from the last one offered on begins a match.
    bool Done() const { return mLooked && mAhead == SearchRequest::NO_MATCH; }
    // Every place of a line that the request finds its text in: the line joins the
    // result, whichever places match.
    void AddEverywhere();

private:
    void Add(size_t at, size_t end);
    void Join();

    const SearchRequest& mRequest;
    const std::string_view mLine;
    const uint64_t mNumber;
    SearchResult_File& mResult;
    size_t mNext = 0; // where the next match may begin
    // The first place at or after one offered where a match begins, in any zone, and its
    // end; looked for again once a place offered passes it.
    size_t mAhead = 0;
    size_t mAheadEnd = 0;
    bool mLooked = false;
    bool mJoined = false;
};

} // namespace Vn
