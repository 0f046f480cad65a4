#pragma once

#include "engine/languages/Language.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Vn
{

// The reading context of one thread: runs one language's forms over a file, line by line,
// and tells each line's class, its zones, its directive and the names its condition tests.
// It is reset per file and reuses its buffers, so reading allocates nothing per line.
//
// The machine has one state per kind of construct (code, a line comment, a block comment,
// a string, a raw string, a doc string, a heredoc body, a quote-like operator). In code it
// skips runs of bytes that open nothing, through the language's first-byte table, and at
// a byte that may open something tries that byte's forms, longest open first; position
// rules (line start, column 1, after a blank, not after a word) are checked once a token
// matched. A directive is not a state but a mark over code: comments and strings inside
// it keep their zones, a comment opened on it runs to its close, and the directive ends
// with its logical line. Heredoc words queue while their line is read and take over at
// its end.
//
// A line may come in several pieces (very long lines are read in bounded pieces); the
// state carries across them, and the line's class is known once its last piece is fed.
class LanguageLexer
{
public:
    enum class LineClass : uint8_t
    {
        BLANK,
        CODE,
        COMMENT,
    };
    // Zones, as the search selects them.
    static constexpr uint8_t ZONE_CODE = 1;
    static constexpr uint8_t ZONE_COMMENT = 2;
    static constexpr uint8_t ZONE_DIRECTIVE = 4;
    static constexpr uint8_t ZONE_STRING = 8;

    // Where a zone begins in the piece last fed.
    struct ZoneStart
    {
        size_t mOffset;
        uint8_t mZone;
    };

    LanguageLexer();

    // Starts a file in `language`, which must outlive the reading. With `recordZones`,
    // each piece's zones are kept for GetZones.
    void Begin(const Language& language, bool recordZones);
    // Reads a piece of a line; `endsLine` when the line ends with it (after its line feed,
    // or at the end of the file).
    void Feed(const char* begin, const char* end, bool endsLine);
    // True when the file ends inside a construct that must close.
    bool End();

    // About the line whose last piece was fed.
    LineClass GetClass() const
    {
        return mLine_Code ? LineClass::CODE : mLine_Comment ? LineClass::COMMENT : LineClass::BLANK;
    }
    // Whether a directive starts on the line, and whether it is a conditional one.
    bool StartsDirective() const { return mLine_Directive; }
    bool StartsCondition() const { return mLine_Condition; }
    // The names that the conditions of the piece last fed test, in order; valid until the
    // next Feed.
    const std::vector<std::string_view>& GetNames() const { return mNames; }
    // The zones of the piece last fed, in order, the first at offset 0.
    const std::vector<ZoneStart>& GetZones() const { return mZones; }

private:
    enum class State : uint8_t
    {
        CODE,
        LINE_COMMENT,
        BLOCK,
        STRING,
        RAW,
        DOC,
        HEREDOC,
        QUOTE,
    };
    struct Heredoc
    {
        std::string mWord;
        const Language_Form* mForm = nullptr;
        char mStrip = '\0'; // '\t': tabs before the closing word; ' ': any indentation
    };

    const char* StartFile(const char* p);
    const char* RunCode(const char* p);
    const char* SkipCode(const char* p);
    bool MayOpen(const char* p) const;
    const char* RunLineComment(const char* p);
    const char* RunBlock(const char* p);
    const char* RunString(const char* p);
    const char* RunRaw(const char* p);
    const char* RunHeredocLine(const char* p);
    const char* RunQuote(const char* p);
    const char* RunBetweenParts(const char* p);
    const char* SkipFlags(const char* p) const;
    void CountBracket(char c);
    void EndLine();

    // Tries the forms that may open at `p`; the position after what opened, or null.
    const char* TryOpen(const char* p);
    // Opens `form`, whose open token runs from `p` to `after`; null when the form's own
    // rules refuse it there.
    const char* Open(const Language_Form& form, const char* p, const char* after);
    const char* Enter(State state, const Language_Form& form, const char* p, const char* after);
    const char* Capture(const Language_Form& form, const char* p);
    const char* OpenDirective(const Language_Form& form, const char* p, const char* after);
    const char* OpenHeredoc(const Language_Form& form, const char* p, const char* after);
    const char* OpenQuote(const Language_Form& form, const char* p, const char* after);
    const char* OpenEnd(const Language_Form& form, const char* p, const char* after);
    // The first delimiter of a quote-like operator after its word, or null.
    const char* FindDelimiter(const Language_Form& form, const char* after) const;
    // Starts a part of a quote-like operator at its delimiter; the position after it.
    const char* StartPart(const char* delimiter);
    bool IsDelimiter(const Language_Form& form, const char* p, bool afterBlanks) const;
    bool OpensLineComment(const char* p) const;
    const char* Close(const char* p);

    bool PlaceAllows(const Language_Form& form, const char* p, size_t length) const;
    bool PositionAllows(Language_Form::Place place, const char* p) const;
    char ByteBefore(const char* p) const;
    bool Follows(const Language_Form& form, const char* p) const;
    // Where one of the form's prefixes starts right before `p`, or null.
    const char* PrefixBefore(const Language_Form& form, const char* p) const;
    bool AfterNumber(const char* p) const;
    bool OnlyBlanksBefore(const char* p) const;
    bool IsOneCharacter(const Language_Form& form, const char* inside) const;
    bool EndsWithBackslash() const;
    // The length of `text` at `p` within the piece, or 0.
    size_t Match(const char* p, std::string_view text, bool noCase) const;
    size_t MatchClose(const char* p) const;

    const char* ReadCensus(const char* p);
    const char* SkipArgument(const char* p);

    uint8_t StateZone() const;
    uint8_t CodeZone() const { return mInDirective ? ZONE_DIRECTIVE : ZONE_CODE; }
    void SetZone(const char* p, uint8_t zone)
    {
        if (mRecordZones)
            RecordZone(p, zone);
    }
    void RecordZone(const char* p, uint8_t zone);

    const Language* mLanguage = nullptr;
    bool mRecordZones = false;
    // The piece being read.
    const char* mBegin = nullptr;
    const char* mLineStart = nullptr; // after a byte-order mark
    const char* mEnd = nullptr;
    bool mPieceStartsLine = true;

    State mState = State::CODE;
    const Language_Form* mForm = nullptr; // of the construct being read
    const Language_Form* mDirective = nullptr;
    size_t mDepth = 0;        // of a nesting block comment or a bracketed quote
    std::string mDelimiter;   // captured by a raw string or block
    bool mEscapedEnd = false; // the piece ended in an escaped line feed
    // A quote-like operator: the bytes that nest and close its part (the same byte when the
    // delimiter is no bracket), the parts left, and whether it is between two parts, before
    // the second's delimiter, and past a blank there.
    char mQuoteNest = '\0';
    char mQuoteClose = '\0';
    uint8_t mPartsLeft = 0;
    bool mBetweenParts = false;
    bool mBlankBetween = false;
    int mBrackets = 0;
    bool mInDirective = false;
    bool mInCondition = false;
    std::vector<Heredoc> mHeredocs;
    size_t mHeredocCount = 0; // queued
    size_t mHeredocAt = 0;    // the one whose body is read

    uint64_t mLineNumber = 0;
    bool mLineHadContent = false; // a non-blank byte in an earlier piece of the line
    char mLastByte = '\n';        // the last byte of the previous piece
    bool mLine_Code = false;
    bool mLine_Comment = false;
    bool mLine_Directive = false;
    bool mLine_Condition = false;
    std::vector<std::string_view> mNames;
    std::vector<ZoneStart> mZones;
};

} // namespace Vn
