#pragma once

#include "engine/languages/FileLabels.h"
#include "engine/languages/LanguageLexer.h"
#include "engine/parsers/FileCounters.h"
#include "engine/parsers/LineReader.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace Vn
{

class Data_Node;
class SearchRequest;
class SearchResult_File;

// The reading context of one worker: everything that reading one file changes. The
// parsers are compiled once and shared read-only by every worker; each Parse or Search
// is handed a context, which holds the line buffer, the machine's state and the counters
// or the result being filled. Each parser resets what it uses when a file begins, so
// nothing of one file reaches the next, and the buffers are reused from file to file.
//
// A context serves one thread at a time.
class ReadingContext
{
public:
    // The raw string of C++ being read, which may span lines.
    struct RawString
    {
        static constexpr size_t DELIMITER_MAX = 16;
        std::array<char, DELIMITER_MAX> mDelimiter{};
        size_t mDelimiterLength = 0;
        const char* mEnd = nullptr; // the quote that closes it, once ")delimiter" was seen
    };

    // The long-line watch of a file read through the language table: the limit (0 for
    // none) and its label, the length of the line being read and the longest one so far.
    struct LongLines
    {
        size_t mLimit = 0;
        Label mLabel = Label::NONE;
        size_t mLength = 0;
        size_t mLongest = 0;
    };

    ReadingContext() = default;
    ReadingContext(const ReadingContext&) = delete;
    ReadingContext& operator=(const ReadingContext&) = delete;

    // The files read from now on are opened relative to the folder descriptor `folder`,
    // taking their path from `offset` on. Forgets the last error.
    void SetBase(int folder, size_t offset) { mReader.SetBase(folder, offset); }
    // The errno of the last open or read that failed since SetBase, or 0.
    int GetError() const { return mReader.GetError(); }

    // The one buffer of the worker: every file it reads passes through it.
    LineReader mReader;

    // The file being read: the node of a scan, or the request and the result of a search.
    Data_Node* mNode = nullptr;
    const SearchRequest* mRequest = nullptr;
    SearchResult_File* mResult = nullptr;
    uint64_t mLineNumber = 0;
    bool mUnreadable = false; // the file of the last Parse could not be opened or read
    FileCounters mCounters;

    // The line machine of the classic parsers.
    uint32_t mState = 0;
    uint32_t mLineFlags = 0;       // of the line last run
    bool mSearch_Anywhere = false; // the search in progress needs no machine
    RawString mRaw;

    // Reading through the language table.
    LanguageLexer mLexer;
    LongLines mLongLines;
    bool mOpened = false;        // the file being read could be opened
    bool mSkippedBinary = false; // the last search passed over a binary file
};

} // namespace Vn
