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
// Made on the stack for each line searched: it allocates nothing, and the result grows
// only for a line that matches.
class LineMatches
{
public:
    // The line ends at a NUL, which must stand at `line.size()` or before.
    LineMatches(const SearchRequest& request, std::string_view line, uint64_t number,
                SearchResult_File& result);

    // A place where a match may begin; places come in increasing order.
    void TryAt(size_t at);
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
    bool mJoined = false;
};

} // namespace Vn
