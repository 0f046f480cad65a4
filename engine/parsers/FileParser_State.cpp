#include "engine/parsers/FileParser_State.h"

#include "engine/parsers/ReadingContext.h"
#include "engine/search/LineMatches.h"

#include "lib/Ascii.h"

#include <stdexcept>

namespace Vn
{

namespace
{

namespace Ascii = TrovLib::Ascii;

bool SameByte(char a, char b, bool ignoreCase)
{
    return ignoreCase ? Ascii::Fold(a) == Ascii::Fold(b) : a == b;
}

unsigned char OtherCase(unsigned char c)
{
    return static_cast<unsigned char>(Ascii::OtherCase(static_cast<char>(c)));
}

// Whether the entry's token stands at `p`; never looks past the NUL that ends the line.
bool Matches(const FileParser_State::Transition_Info& entry, const char* p)
{
    for (uint32_t i = 0; i < entry.mLength; i++)
    {
        if (p[i] == '\0' || !SameByte(p[i], entry.mToken[i], entry.mIgnoreCase))
            return false;
    }
    return true;
}

uint32_t SelectedZones(const SearchRequest::Flags& flags)
{
    return (flags.InCode ? FileParser_State::ZONE_CODE : 0) |
           (flags.InComment ? FileParser_State::ZONE_COMMENT : 0) |
           (flags.InDirective ? FileParser_State::ZONE_DIRECTIVE : 0) |
           (flags.InString ? FileParser_State::ZONE_STRING : 0);
}

} // namespace

FileParser_State::FileParser_State(std::span<const State_Info> states,
                                   std::span<const Transition_Info* const> transitions)
    : mStates(states.data()), mTransitions(transitions.data())
{
    if (states.size() != transitions.size())
        throw std::invalid_argument("one transition list per state expected");
    if (states.size() > UINT16_MAX)
        throw std::length_error("too many states");
    for (uint32_t state = 0; state < transitions.size(); state++)
    {
        mMoves.push_back(Compile(state, transitions[state], states.size()));
        for (const Transition_Info* entry = transitions[state]; entry->mLength != 0; entry++)
        {
            for (uint32_t i = 1; i < entry->mLength; i++)
            {
                const unsigned char c = entry->mToken[i];
                mInsideToken.set(c);
                if (entry->mIgnoreCase)
                    mInsideToken.set(OtherCase(c));
            }
        }
    }
}

// A byte's move is that of the first entry whose token begins with the byte, or of the
// default entry when there is none. When that first entry is longer than one byte or
// guarded, whether it is taken depends on more than the byte, so the move only records
// where the walk of the list starts.
FileParser_State::Moves FileParser_State::Compile(uint32_t state, const Transition_Info* list,
                                                  size_t stateCount)
{
    size_t last = 0;
    for (; list[last].mLength != 0; last++)
    {
        if (list[last].mNext >= stateCount)
            throw std::out_of_range("transition to a state that does not exist");
    }
    if (list[last].mNext >= stateCount)
        throw std::out_of_range("transition to a state that does not exist");
    if (last > UINT8_MAX)
        throw std::length_error("transition list too long");

    Moves moves;
    moves[0] = Move{0, static_cast<uint16_t>(state), MOVE_END, 0};
    for (unsigned byte = 1; byte < moves.size(); byte++)
    {
        size_t entry = 0;
        while (entry < last &&
               !SameByte(static_cast<char>(byte), list[entry].mToken[0], list[entry].mIgnoreCase))
            entry++;
        const Transition_Info& taken = list[entry];
        if (entry < last && (taken.mLength > 1 || (taken.mLineFlags & FLAG_GUARDED) != 0))
            moves[byte] = Move{0, 0, MOVE_TOKEN, static_cast<uint8_t>(entry)};
        else
            moves[byte] = Move{taken.mLineFlags, static_cast<uint16_t>(taken.mNext),
                               taken.mNext == state ? MOVE_STAY : MOVE_SWITCH, 0};
    }
    return moves;
}

// Inlined into the loops over a line, so that the run stays in registers.
inline const char* FileParser_State::Step(const char* p, Run& run) const
{
    const Move& move = mMoves[run.mState][static_cast<unsigned char>(*p)];
    if (move.mKind == MOVE_TOKEN)
        return StepToken(p, move.mEntry, run);
    run.mLineFlags |= move.mLineFlags;
    run.mState = move.mNext;
    return p + 1;
}

const char* FileParser_State::StepToken(const char* p, uint32_t first, Run& run) const
{
    const Transition_Info* entry = mTransitions[run.mState] + first;
    for (; entry->mLength != 0; entry++)
    {
        if (Matches(*entry, p) && ((entry->mLineFlags & FLAG_GUARDED) == 0 ||
                                   AcceptToken(*entry, p, run.mLine, run.mContext)))
            break;
    }
    run.mLineFlags |= entry->mLineFlags & ~FLAG_GUARDED;
    run.mState = entry->mNext;
    return p + (entry->mLength != 0 ? entry->mLength : 1);
}

// Bytes that keep the state are taken in a tight loop: the row of moves stays the same,
// and the next lookup waits on nothing but the next byte.
inline void FileParser_State::RunFrom(const char* p, Run& run) const
{
    for (;;)
    {
        const Move* moves = mMoves[run.mState].data();
        Move move = moves[static_cast<unsigned char>(*p)];
        while (move.mKind == MOVE_STAY)
        {
            run.mLineFlags |= move.mLineFlags;
            move = moves[static_cast<unsigned char>(*++p)];
        }
        if (move.mKind == MOVE_END)
            return;
        p = Step(p, run);
    }
}

std::unique_ptr<Data_Node> FileParser_State::Parse(const char* fileName, const char* type,
                                                   ReadingContext& context) const
{
    context.mLineFlags = 0;
    context.mState = 0;
    std::unique_ptr<Data_Node> node = FileParser_Text::Parse(fileName, type, context);
    if (!context.mUnreadable && mStates[context.mState].mError_EndOfFile)
        node->mCounts.CountError();
    return node;
}

std::unique_ptr<SearchResult_File> FileParser_State::Search(const char* fileName,
                                                            const SearchRequest& request,
                                                            ReadingContext& context) const
{
    context.mLineFlags = 0;
    context.mState = 0;
    context.mSearch_Anywhere = MatchesAnywhere(request);
    return FileParser_Text::Search(fileName, request, context);
}

bool FileParser_State::IsComment(const char* /*line*/, const ReadingContext& context) const
{
    const uint32_t flags = context.mLineFlags;
    return (flags & FLAG_COMMENT) != 0 && (flags & (FLAG_CODE | FLAG_DIRECTIVE)) == 0;
}

void FileParser_State::ParseLine(const char* line, ReadingContext& context) const
{
    if (RunLine(line, context))
        AddParsingError(context);
    FileParser_Text::ParseLine(line, context);
}

void FileParser_State::Search_Line(const char* line, ReadingContext& context) const
{
    const SearchRequest& request = *context.mRequest;
    LineMatches matches(request, line, context.mLineNumber, *context.mResult);
    if (context.mSearch_Anywhere)
    {
        // An empty line is not searched, not even for the empty text.
        if (line[0] != '\0' && request.Find(line))
            matches.AddEverywhere();
        return;
    }
    // The finder points at many lines where an expression does not match: one look at the
    // whole line spares a look at each place of a line that cannot match.
    if (request.mFlags.Regex && !request.Find(line))
    {
        RunLine(line, context);
        return;
    }
    const uint32_t zones = SelectedZones(request.mFlags);
    Run run{context.mState, 0, line, context};
    const char* p = line;
    // The zone is that of the state before the token at `p` is read. Once no match can
    // begin further on, the rest of the line only has to carry the state.
    for (; *p != '\0' && !matches.Done(); p = Step(p, run))
    {
        if ((mStates[run.mState].mZones & zones) != 0)
            matches.TryAt(static_cast<size_t>(p - line));
    }
    RunFrom(p, run);
    context.mState = run.mState;
    context.mLineFlags = run.mLineFlags;
    EndLine(context);
}

void FileParser_State::Search_Skip(const char* line, ReadingContext& context) const
{
    if (!context.mSearch_Anywhere)
        RunLine(line, context);
}

bool FileParser_State::IsDirective(const char* /*line*/, const ReadingContext& context) const
{
    return (context.mLineFlags & FLAG_DIRECTIVE) != 0;
}

bool FileParser_State::AcceptToken(const Transition_Info& /*entry*/, const char* /*p*/,
                                   const char* /*line*/, ReadingContext& /*context*/) const
{
    return true;
}

bool FileParser_State::MatchesAnywhere(const SearchRequest& request) const
{
    const uint32_t zones = SelectedZones(request.mFlags);
    for (size_t state = 0; state < mMoves.size(); state++)
    {
        if ((mStates[state].mZones & zones) == 0)
            return false;
    }
    if (request.mFlags.Regex) // a match may begin anywhere
        return true;
    const std::string& text = request.mText;
    if (text.find('\0') != std::string::npos) // Compare and Find part ways on such a text
        return false;
    if (text.empty())
        return true;
    const unsigned char first = text[0];
    return !mInsideToken[first] &&
           (request.mFlags.CaseSensitive || !mInsideToken[OtherCase(first)]);
}

bool FileParser_State::RunLine(const char* line, ReadingContext& context) const
{
    Run run{context.mState, 0, line, context};
    RunFrom(line, run);
    context.mState = run.mState;
    context.mLineFlags = run.mLineFlags;
    return EndLine(context);
}

bool FileParser_State::EndLine(ReadingContext& context) const
{
    const State_Info& ended = mStates[context.mState];
    context.mState = ended.mNext_EndOfLine;
    return ended.mError_EndOfLine;
}

} // namespace Vn
