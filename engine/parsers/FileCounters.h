#pragma once

#include "engine/tree/FileCounts.h"

#include <string_view>
#include <unordered_map>

namespace Vn
{

class Data_Node;

// The counts of the text file being read, so that a line costs a few increments.
class FileCounters
{
public:
    // Counts the lines of `node` from now on; with `directives`, its directives and the
    // names its conditions test too. Forgets any earlier file.
    void Start(Data_Node& node, bool directives);
    bool HasDirectives() const { return mDirectives; }

    // One more line, and one more of its kind.
    void CountLine() { mCounts->mLines++; }
    void CountBlank() { mCounts->mBlank++; }
    void CountCode() { mCounts->mCode++; }
    void CountComment() { mCounts->mComment++; }
    void CountDirective() { mCounts->mDirective++; }
    // One more line of "#if".
    void CountCondition() { mCounts->mConditions++; }
    // One more test of `name` by a condition.
    void CountName(std::string_view name);

private:
    // The name among the file's, or null; indexes them once they outgrow a linear search.
    FileCounts::TestedName* Find(std::string_view name);

    FileCounts* mCounts = nullptr;
    bool mDirectives = false;
    // The file's names by their position, once they outgrow a linear search. It keeps its
    // buckets from one file to the next.
    std::unordered_map<std::string_view, size_t> mIndex;
};

} // namespace Vn
