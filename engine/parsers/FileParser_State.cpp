#include "engine/parsers/FileParser_State.h"

#include <stdexcept>

namespace Vn
{

namespace
{

unsigned char FoldCase(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

bool SameByte(unsigned char a, unsigned char b, bool ignoreCase)
{
    return ignoreCase ? FoldCase(a) == FoldCase(b) : a == b;
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

std::array<uint8_t, 256> FirstEntries(const FileParser_State::Transition_Info* list)
{
    size_t last = 0;
    while (list[last].mLength != 0)
        last++;
    if (last > UINT8_MAX)
        throw std::length_error("transition list too long");

    std::array<uint8_t, 256> first;
    for (unsigned byte = 0; byte < first.size(); byte++)
    {
        size_t entry = 0;
        while (entry < last && !SameByte(byte, list[entry].mToken[0], list[entry].mIgnoreCase))
            entry++;
        first[byte] = static_cast<uint8_t>(entry);
    }
    return first;
}

} // namespace

FileParser_State::FileParser_State(const char* type, std::span<const State_Info> states,
                                   std::span<const Transition_Info* const> transitions)
    : FileParser_Text(type), mStates(states.data()), mTransitions(transitions.data())
{
    if (states.size() != transitions.size())
        throw std::invalid_argument("one transition list per state expected");
    for (const Transition_Info* list : transitions)
        mFirstEntry.push_back(FirstEntries(list));
}

// Inlined into the loops over a line, so that the run stays in registers.
inline const char* FileParser_State::Step(const char* p, Run& run) const
{
    const Transition_Info* entry =
        mTransitions[run.mState] + mFirstEntry[run.mState][static_cast<unsigned char>(*p)];
    while (entry->mLength != 0 && !Matches(*entry, p))
        entry++;
    run.mLineFlags |= entry->mLineFlags;
    run.mState = entry->mNext;
    return p + (entry->mLength != 0 ? entry->mLength : 1);
}

std::unique_ptr<Data_Node> FileParser_State::Parse(const char* fileName)
{
    mLineFlags = 0;
    mState = 0;
    std::unique_ptr<Data_Node> node = FileParser_Text::Parse(fileName);
    if (mStates[mState].mError_EndOfFile)
        AddParsingError(*node);
    return node;
}

std::unique_ptr<SearchResult_File> FileParser_State::Search(const char* fileName,
                                                            const SearchRequest& request)
{
    mLineFlags = 0;
    mState = 0;
    return FileParser_Text::Search(fileName, request);
}

bool FileParser_State::IsComment(const char* /*line*/)
{
    return (mLineFlags & FLAG_COMMENT) != 0 && (mLineFlags & (FLAG_CODE | FLAG_DIRECTIVE)) == 0;
}

void FileParser_State::ParseLine(const char* line)
{
    Run run{mState, 0};
    for (const char* p = line; *p != '\0';)
        p = Step(p, run);
    mState = run.mState;
    mLineFlags = run.mLineFlags;
    if (EndLine())
        AddParsingError();
    FileParser_Text::ParseLine(line);
}

void FileParser_State::Search_Line(const char* line)
{
    const uint32_t zones = SelectedZones(mRequest->mFlags);
    bool matched = false;
    Run run{mState, 0};
    for (const char* p = line; *p != '\0'; p = Step(p, run))
    {
        // The zone is that of the state before the token at `p` is read.
        if (!matched && (mStates[run.mState].mZones & zones) != 0)
            matched = mRequest->Compare(p);
    }
    mState = run.mState;
    mLineFlags = run.mLineFlags;
    EndLine();
    if (matched)
        mResult->AddLine(mLineNumber, line);
}

bool FileParser_State::IsDirective(const char* /*line*/)
{
    return (mLineFlags & FLAG_DIRECTIVE) != 0;
}

bool FileParser_State::EndLine()
{
    const State_Info& ended = mStates[mState];
    mState = ended.mNext_EndOfLine;
    return ended.mError_EndOfLine;
}

} // namespace Vn
