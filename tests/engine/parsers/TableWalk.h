#pragma once

// What the fast paths must agree with: the pieces of a file as a 4,096-byte fgets loop
// reads them, and the state machine's tables walked entry by entry.

#include "engine/parsers/FileParser_State.h"
#include "engine/search/SearchRequest.h"

#include <cstdio>
#include <string>
#include <vector>

namespace VarnikTest
{

inline std::vector<std::string> ReadWithFgets(const std::string& path)
{
    std::vector<std::string> pieces;
    FILE* file = std::fopen(path.c_str(), "rb");
    char buffer[4096];
    while (file != nullptr && std::fgets(buffer, sizeof buffer, file) != nullptr)
        pieces.emplace_back(buffer);
    if (file != nullptr)
        std::fclose(file);
    return pieces;
}

class TableWalk
{
public:
    using State_Info = Vn::FileParser_State::State_Info;
    using Transition_Info = Vn::FileParser_State::Transition_Info;

    TableWalk(const State_Info* states, const Transition_Info* const* transitions)
        : mStates(states), mTransitions(transitions)
    {
    }

    // Where a search compares: the place of every token of a line, with the zones of the
    // state it is read in. Leaves the line's flags, and whether it ended in error.
    struct Place
    {
        size_t mOffset;
        uint32_t mZones;
    };
    std::vector<Place> Line(const char* line)
    {
        std::vector<Place> places;
        mFlags = 0;
        for (const char* p = line; *p != '\0'; p = Step(p))
            places.push_back(Place{static_cast<size_t>(p - line), mStates[mState].mZones});
        mLineError = mStates[mState].mError_EndOfLine;
        mState = mStates[mState].mNext_EndOfLine;
        return places;
    }

    bool EndsFileInError() const { return mStates[mState].mError_EndOfFile; }

    uint32_t mState = 0;
    uint32_t mFlags = 0;
    bool mLineError = false;

private:
    using State = Vn::FileParser_State;

    static bool Same(char a, char b, bool ignoreCase)
    {
        const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return ignoreCase ? fold(a) == fold(b) : a == b;
    }

    const char* Step(const char* p)
    {
        for (const Transition_Info* entry = mTransitions[mState];; entry++)
        {
            bool equal = entry->mLength != 0;
            for (uint32_t i = 0; equal && i < entry->mLength; i++)
                equal = p[i] != '\0' && Same(p[i], entry->mToken[i], entry->mIgnoreCase);
            if (equal || entry->mLength == 0)
            {
                mFlags |= entry->mLineFlags;
                mState = entry->mNext;
                return p + (entry->mLength == 0 ? 1 : entry->mLength);
            }
        }
    }

    const State_Info* mStates;
    const Transition_Info* const* mTransitions;
};

} // namespace VarnikTest
