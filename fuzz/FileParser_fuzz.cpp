// The parsers against references written from the rules.
//
// C/C++: the compiled state machine against a literal walk of its tables, entry by entry
// as they read. After every line both must hold the same state and line flags and count
// the same parsing errors; a search must find exactly the lines in which the request's
// MatchesAt succeeds at a token read in a selected zone.
//
// Text files and scripts: a search must find the lines that the plain rules find in the
// pieces of a 4,096-byte fgets loop: every line but blank ones, a script's comment lines
// only when comments are searched.

#include "Fuzz.h"
#include "TempTree.h"
#include "engine/counters/Counter_Count.h"
#include "engine/parsers/FileParser_Cpp.h"
#include "engine/parsers/FileParser_List.h"
#include "engine/parsers/ReadingContext.h"
#include "engine/tree/CounterSchema.h"

#include <cctype>

namespace
{

using Lines = std::vector<uint32_t>;
using S = Vn::FileParser_State;

// Runs the tables beside the machine, and notes the lines in which the request's MatchesAt
// succeeds at a token read in a state of a selected zone.
class TableWalk : public Vn::FileParser_Cpp
{
public:
    Lines Run(const std::string& path, const Vn::SearchRequest& request, uint32_t zones,
              Vn::ReadingContext& context)
    {
        mRequest = &request;
        mZones = zones;
        mWalkState = mErrors = mLine = 0;
        mFound.clear();
        const auto node = Parse(path.c_str(), "c", context);
        mErrors += mStates[mWalkState].mError_EndOfFile;
        VarnikFuzz::Require(node->mCounts.mErrors == mErrors,
                            "the machine counts the errors of the walk");
        return mFound;
    }

    void ParseLine(const char* line, Vn::ReadingContext& context) const override
    {
        uint32_t flags = 0;
        bool found = false;
        for (const char* p = line; *p != '\0'; p = Step(p, flags))
            found = found || ((mStates[mWalkState].mZones & mZones) != 0 &&
                              mRequest->MatchesAt(line, p - line));
        mLine++;
        if (found)
            mFound.push_back(mLine);
        mErrors += mStates[mWalkState].mError_EndOfLine;
        mWalkState = mStates[mWalkState].mNext_EndOfLine;
        FileParser_Cpp::ParseLine(line, context);
        VarnikFuzz::Require(context.mLineFlags == flags && context.mState == mWalkState,
                            "the machine moves as the tables read");
    }

private:
    // In the C locale, which the fuzzers run in, only ASCII letters fold.
    static int Fold(char c) { return std::tolower(static_cast<unsigned char>(c)); }

    const char* Step(const char* p, uint32_t& flags) const
    {
        for (const Transition_Info* entry = mTransitions[mWalkState];; entry++)
        {
            bool equal = entry->mLength != 0;
            for (uint32_t i = 0; equal && i < entry->mLength; i++)
                equal = p[i] != '\0' && (entry->mIgnoreCase ? Fold(p[i]) == Fold(entry->mToken[i])
                                                            : p[i] == entry->mToken[i]);
            if (equal || entry->mLength == 0)
            {
                flags |= entry->mLineFlags;
                mWalkState = entry->mNext;
                return p + (entry->mLength == 0 ? 1 : entry->mLength);
            }
        }
    }

    // The walk keeps pace with the parser's reading, which is const as the registry shares
    // it; the walk is the fuzzer's own.
    const Vn::SearchRequest* mRequest = nullptr;
    uint32_t mZones = 0;
    mutable uint32_t mWalkState = 0, mErrors = 0, mLine = 0;
    mutable Lines mFound;
};

Lines ExpectedInText(const std::string& path, bool script, uint32_t zones,
                     const Vn::SearchRequest& request)
{
    Lines lines;
    const auto pieces = VarnikFuzz::ReadWithFgets(path);
    for (size_t i = 0; i < pieces.size(); i++)
    {
        const std::string& line = pieces[i];
        const bool blank = line.find_first_not_of(" \t\r\n") == std::string::npos;
        const bool comment = script && line[0] == '#';
        if (!blank && (comment ? zones & S::ZONE_COMMENT : zones) != 0 &&
            request.Find(line.c_str()))
            lines.push_back(static_cast<uint32_t>(i + 1));
    }
    return lines;
}

struct Registry : Vn::FileParser_List
{
    Registry() { CreateParsers(); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static VarnikTest::TempTree tree;
    static TableWalk walk;
    static const Registry parsers;
    static Vn::ReadingContext context;
    VarnikFuzz::Input input(data, size);
    static constexpr const char* NAMES[] = {"a.c", "a.txt", "a.sh"};
    const char* name = NAMES[input.Byte() % 3];
    const uint8_t bits = input.Byte();
    const uint32_t zones = bits & 15; // the S::ZONE_ bits, in the order of the flags
    Vn::SearchRequest request;
    request.mFlags = {(bits & 16) == 0, (bits & 1) != 0, (bits & 2) != 0,
                      (bits & 4) != 0,  (bits & 8) != 0, true};
    request.SetText(input.Take(input.Byte() % 8).c_str());
    const std::string path = tree.File(name, input.RepeatedRest()).Path(name);

    const Lines expected = name[2] == 'c' ? walk.Run(path, request, zones, context)
                                          : ExpectedInText(path, name[2] == 's', zones, request);
    Lines found;
    if (const auto result = parsers.Search(path.c_str(), request, context))
    {
        for (size_t index = 0; index < result->GetHits().GetLineCount(); index++)
            found.push_back(result->GetHits().GetLineNumber(index));
    }
    VarnikFuzz::Require(found == expected, "a search finds the lines of the reference");
    return 0;
}
