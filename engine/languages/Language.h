#pragma once

#include "engine/languages/ByteFinder.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

namespace Vn
{

// One lexical construct of a language: a comment, a string, a raw string, a heredoc, a
// doc string or a directive, as a row of the language table states it.
struct Language_Form
{
    enum class Kind : uint8_t
    {
        LINE,      // a comment to the end of the line
        BLOCK,     // a comment between an open and a close
        STRING,    // a string or character literal
        RAW,       // a string whose close repeats a delimiter captured at the open
        HEREDOC,   // a body from the next line to a closing word
        DOC,       // a doc string
        DIRECTIVE, // a preprocessor directive, to the end of its logical line
        ESCAPE,    // in code, a byte that quotes the byte after it, as Shell's backslash
        QUOTE,     // a word, then a string between delimiters of the writer's choice: q{a}
        END,       // a marker after which the rest of the file is comment: __END__
    };
    enum class Place : uint8_t
    {
        ANYWHERE,
        LINE_START,      // only blanks before it on its line
        COLUMN_1,        // at the very start of its line
        FILE_START,      // at the start of the first line
        STATEMENT_START, // first on its line, outside any bracket
    };

    Kind mKind = Kind::LINE;
    Place mPlace = Place::ANYWHERE;
    Place mClosePlace = Place::ANYWHERE; // of a string's close: PowerShell's "@ in column 1
    // The open and the close. With a captured delimiter (`{d}` in the tokens) the open is
    // mOpen + delimiter + mOpenTail and the close mClose + delimiter + mCloseTail.
    std::string mOpen, mOpenTail, mClose, mCloseTail;
    bool mCaptures = false;
    bool mNoCase = false;
    // Line comments: followed by a blank or the end (`word`); starting a word
    // (`boundary`); after a blank or at the line start (`after=blank`); a backslash at the
    // end continues the comment (`cont`).
    bool mWord = false;
    bool mBoundary = false;
    bool mAfterBlank = false;
    bool mContinues = false;
    std::bitset<256> mNotAfter;
    bool mNotAfterNumber = false; // a quote after a number is a digit separator: 1'000
    std::bitset<256> mNotBefore;
    std::vector<std::string> mPrefixes; // words that may stand right before the open
    // Blocks nest; strings and doc strings span lines.
    bool mNests = false;
    bool mMayEndFile = false; // the file may end inside the block (POD), without error
    bool mMultiLine = false;
    std::bitset<256> mEscapes;  // bytes that take the next byte literally
    bool mEscapeDouble = false; // a doubled close stands for itself
    ByteFinder mStops;          // strings and doc strings: the escapes and the close's first byte
    bool mOne = false;          // exactly one character or escape inside
    // The captured delimiter: repeats of one byte, or bytes of a set, at most mCaptureMax.
    bool mCaptureRepeat = false;
    std::bitset<256> mCaptureSet;
    size_t mCaptureMax = 64;
    // Heredocs.
    bool mDash = false;    // <<-WORD: tabs before the closing word
    bool mTilde = false;   // <<~WORD: any indentation
    bool mTouch = false;   // the word follows the opener directly
    bool mIndent = false;  // the closing word may be indented by any blanks
    bool mAnyWord = false; // the word runs to a blank or an operator, not just a name
    std::bitset<256> mQuotes;
    std::bitset<256> mAfterWord; // bytes allowed after the closing word
    // Quote-like operators: the parts the string has (s/a/b/ has two), the bracket pairs
    // that nest and close with their partner, each open then its close, and whether blanks
    // may stand before a delimiter.
    uint8_t mParts = 1;
    std::string mPairs;
    bool mBlanks = false;
    bool mBare = false; // the open is itself the first delimiter, as Perl's /.../
    // The open counts only after one of these words, past blanks on its line (=~ /.../).
    std::vector<std::string> mFollows;
    // Doc strings count as comment unless the row says otherwise.
    bool mDocIsComment = true;
    // Directives: the words that may follow the marker (any when empty) and those whose
    // argument names the macros of the #if census.
    std::vector<std::string> mWords;
    std::vector<std::string> mConditions;
};

// A language of the table, compiled: immutable once loaded, and shared read-only by every
// thread that reads files.
struct Language
{
    enum class Status : uint8_t
    {
        UNVERIFIED,
        VERIFIED,
    };

    std::string mId;
    std::string mName;
    std::string mKind;
    std::vector<std::string> mAliases;
    std::vector<std::string> mExtensions;     // lower case
    std::vector<std::string> mExtensionsCase; // matched with case
    std::vector<std::string> mFileNames;
    std::vector<std::string> mFileNamesNoCase;
    std::vector<std::string> mFileGlobs;
    std::vector<std::string> mInterpreters;
    std::vector<std::string> mModeNames;
    std::vector<std::string> mFirstLines;
    bool mFirstLinesNoCase = false;
    std::vector<std::string> mShared;
    std::string mCite;
    std::string mSample;
    Status mStatus = Status::UNVERIFIED;
    bool mNoStrings = false; // the row says `string = none`

    std::vector<Language_Form> mForms;
    // Per first byte, the forms whose open starts with it, longest open first.
    std::array<std::vector<uint16_t>, 256> mOpeners;
    // The bytes that may start an open, or change the bracket depth that doc strings need.
    ByteFinder mStarts;
    // The bytes whose every open is a word that must stand alone, as Perl's s and q: inside
    // an identifier they open nothing.
    std::array<bool, 256> mWordStarts{};
    bool mTracksDepth = false;
    bool mHasDirectives = false;

    // Fills the opener tables from the forms; called once after loading.
    void Compile();
    bool HasLexing() const { return !mForms.empty(); }
    // Whether the form's open is a word that must not follow a word byte.
    static bool StartsWord(const Language_Form& form);

private:
    static void MakeStops(Language_Form& form);
};

} // namespace Vn
