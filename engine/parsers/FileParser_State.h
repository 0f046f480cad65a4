#pragma once

#include "engine/parsers/FileParser_Text.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <span>
#include <vector>

namespace Vn
{

// A compiled text parser driven by a character-level state machine, so that constructs
// spanning several lines (block comments) and the zones of a line (code, comment,
// directive, string) are recognised.
//
// The machine is generic: it runs the constant state and transition tables given
// to the constructor. In each state the transitions are tried in table order and
// the first whose token stands at the current position wins; the last entry of a
// list, with length 0, takes any other character. Every byte of a line is consumed
// by exactly one transition, which adds its line flags and sets the next state.
// When a line ends, the state's end-of-line rule gives the state the next line
// starts in, and states that must not end a line or the file count a parsing
// error.
//
// The tables stay the only description of the language. The constructor compiles
// them into one table of moves per state, indexed by byte value: a byte that can
// only be a one-byte token or fall to the default entry gives the next state and
// the line flags in one lookup. Only a byte that may begin a longer token (with the
// C/C++ tables: "/" in code, "*" in a block comment) takes the literal walk of the
// list, from the first entry that can match it. While the state stays the same the
// loop over a line depends on nothing but the bytes, so it runs at a few cycles per
// byte.
//
// A table can mark an entry as guarded (FLAG_GUARDED): its token is taken only when
// AcceptToken, given the token's place and the line around it, agrees; otherwise the
// walk goes on with the next entry. That is how a language states the few things a
// table cannot, such as what stands before the token. A guarded entry is always
// compared literally, and the flag is never added to a line's flags.
//
// The compiled tables are shared by every worker; the state the machine is in, and the
// flags of the line, belong to the file being read and live in the reading context.
//
// A search only has to compare in the lines that hold the text; the machine runs
// over the others to keep its state. When every state lies in a selected zone and
// the text cannot begin inside a token (its first byte is no later byte of a longer
// token), every place the text stands at is a place the machine would compare at,
// so a line matches exactly when it holds the text and the machine is not needed.
class FileParser_State : public FileParser_Text
{
public:
    // Line flags.
    static constexpr uint32_t FLAG_CODE = 1;
    static constexpr uint32_t FLAG_COMMENT = 2;
    static constexpr uint32_t FLAG_DIRECTIVE = 4;
    // Not a line flag: marks a guarded entry.
    static constexpr uint32_t FLAG_GUARDED = 0x80000000;

    // Zones of the text read in a state.
    static constexpr uint32_t ZONE_CODE = 1;
    static constexpr uint32_t ZONE_COMMENT = 2;
    static constexpr uint32_t ZONE_DIRECTIVE = 4;
    static constexpr uint32_t ZONE_STRING = 8;

    struct State_Info
    {
        bool mError_EndOfFile;    // the file must not end in this state
        uint32_t mNext_EndOfLine; // the state after a line that ends in this one
        bool mError_EndOfLine;    // a line must not end in this state
        uint32_t mZones;
    };

    struct Transition_Info
    {
        const char* mToken; // null in the default entry
        uint32_t mLength;   // characters compared and consumed; 0 ends the list
        bool mIgnoreCase;
        uint32_t mNext;
        uint32_t mLineFlags; // added when the transition is taken
    };

    // The tables are not copied: they must outlive the parser. `transitions` holds one
    // list per state, each ending with its default entry.
    FileParser_State(std::span<const State_Info> states,
                     std::span<const Transition_Info* const> transitions);

    std::unique_ptr<Data_Node> Parse(const char* fileName, const char* type,
                                     ReadingContext& context) const override;
    std::unique_ptr<SearchResult_File> Search(const char* fileName, const SearchRequest& request,
                                              ReadingContext& context) const override;

protected:
    // A comment line holds comment text and neither code nor a directive.
    bool IsComment(const char* line, const ReadingContext& context) const override;
    void ParseLine(const char* line, ReadingContext& context) const override;
    // Searches only the positions whose zone the request selects.
    void Search_Line(const char* line, ReadingContext& context) const override;
    // Runs the machine over the line, so that the next line starts in the right state.
    void Search_Skip(const char* line, ReadingContext& context) const override;
    virtual bool IsDirective(const char* line, const ReadingContext& context) const;
    // Whether the guarded entry's token, found at `p` in the line, is taken. Always
    // true here.
    virtual bool AcceptToken(const Transition_Info& entry, const char* p, const char* line,
                             ReadingContext& context) const;

    const State_Info* mStates;
    const Transition_Info* const* mTransitions;

private:
    // The machine's state and flags while it runs over a line. They are copied out of the
    // context for the run: the bytes of a line may alias any of its members, so the
    // compiler would otherwise store and reload them at every byte.
    struct Run
    {
        uint32_t mState;
        uint32_t mLineFlags;
        const char* mLine;        // for the guards, which may look back
        ReadingContext& mContext; // for the guards, which may remember
    };

    // What a byte does in a state.
    enum MoveKind : uint8_t
    {
        MOVE_STAY,   // a one-byte transition back to the same state
        MOVE_SWITCH, // a one-byte transition to another state
        MOVE_TOKEN,  // a longer or guarded token may begin here: compare the entries
        MOVE_END,    // the NUL that ends the line
    };
    struct Move
    {
        uint32_t mLineFlags; // added by a one-byte transition
        uint16_t mNext;      // the state after a one-byte transition
        MoveKind mKind;
        uint8_t mEntry; // for MOVE_TOKEN: the first entry of the list that can match
    };
    using Moves = std::array<Move, 256>;

    static Moves Compile(uint32_t state, const Transition_Info* list, size_t stateCount);

    // Runs the machine from `p` to the end of its line.
    void RunFrom(const char* p, Run& run) const;
    // Runs a whole line from the context's state and leaves it; true when the line ends
    // in a parsing error.
    bool RunLine(const char* line, ReadingContext& context) const;
    // Takes the transition at `p`, not at the end of the line, and returns the position
    // after its token.
    const char* Step(const char* p, Run& run) const;
    // The literal walk of the list, from entry `first` on.
    const char* StepToken(const char* p, uint32_t first, Run& run) const;
    // Leaves the state a line ended in; true when that is a parsing error.
    bool EndLine(ReadingContext& context) const;
    // Whether the request counts a match at every place the text stands at.
    bool MatchesAnywhere(const SearchRequest& request) const;

    std::vector<Moves> mMoves; // per state
    // The bytes that a token longer than one byte holds after its first.
    std::bitset<256> mInsideToken;
};

} // namespace Vn
