#pragma once

#include "lib/RegularFile.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace Vn
{

class TextFinder;

// Reads a file as the pieces that the parsers count as lines.
//
// A piece ends after a line feed, at the end of the file, or once it holds
// MAX_PIECE bytes, whichever comes first; every piece is one line. This is what a
// classic 4,096-byte fgets loop sees, and users see it in the line counts and the
// line numbers of search results, so it must not change with the block size.
//
// The file is read in large blocks into one buffer that lives as long as the
// reader and is reused for every file. Line feeds are looked for 64 bytes at a
// time, into a mask that serves all the pieces ending in those bytes, so a short
// line costs a few instructions rather than a call. Pieces are handed out in place: the byte after
// a piece is replaced by a NUL for as long as the piece is current and restored before the next one
// is cut, so no line is copied or allocated. A NUL byte inside a piece therefore ends the text that
// callers see, while the piece itself, and the counting of lines, goes on to its real end.
//
// Given a text finder, the reader also tells where a search text stands: it looks
// for the text over all the bytes it holds ahead of the current piece, once, and
// again only when the pieces pass the place found or the buffer is refilled. For a
// search the buffer grows to hold a whole file of up to WHOLE_FILE bytes, so that
// one look over a file that does not hold the text settles it.
//
// Only regular files are read. Anything else (a FIFO, a folder, a device) is
// treated as a file that cannot be opened; it is opened without blocking so that a
// FIFO without a writer cannot stall the scan.
class LineReader
{
public:
    static constexpr size_t MAX_PIECE = 4095;
    static constexpr size_t BLOCK_SIZE = 64 * 1024;
    static constexpr size_t WHOLE_FILE = 1024 * 1024;

    LineReader();
    ~LineReader();

    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Files opened from now on are opened relative to the folder descriptor `folder`,
    // taking their path from `offset` on, so that a file whose full path is too long for
    // the system opens below a folder that is already open. Forgets the last error.
    void SetBase(int folder, size_t offset);
    // The errno of the last open or read that failed since SetBase, or 0.
    int GetError() const { return mError; }

    // Closes any file still open, then opens this one. False when it cannot be
    // opened for reading or is not a regular file. The finder, when given, must
    // outlive the reading of the file.
    bool Open(const char* fileName, const TextFinder* finder = nullptr);
    // Opens as above, but a piece ends only after a line feed, at the end of the file, or
    // once it holds `maxPiece` bytes; the buffer grows to hold such a piece.
    bool Open(const char* fileName, const TextFinder* finder, size_t maxPiece);
    // The next piece as a NUL-terminated text, valid until the next call; null at
    // the end of the file. A read error ends the pieces too, and is kept: see ReadError.
    const char* Next();
    // The errno of a read of the current file that failed, or 0. The pieces handed out
    // before it hold only part of the file, so a caller must not take them for all of it.
    int ReadError() const { return mReadError; }
    void Close();
    // The bytes of the current piece, NUL bytes included.
    size_t PieceSize() const { return mPieceSize; }
    // Whether the current piece ends its line: after a line feed, or at the end of the file.
    bool PieceEndsLine() const
    {
        return (mPieceSize > 0 && mBuffer[mBegin - 1] == '\n') || (mEndOfFile && mBegin == mEnd);
    }
    // Up to `size` bytes of the start of the open file, read ahead of the first piece.
    std::string_view Head(size_t size);
    // Up to `size` bytes of the end of the open file, as large as it was when opened. A file
    // larger than the buffer holds is read there alone, apart from the pieces; nothing when
    // that read fails. Valid until the next call.
    std::string_view Tail(size_t size);

    // Reads at most `size` - 1 bytes from the start of a regular file into `buffer`, ends
    // them with a NUL and returns how many there are: 0 when the file cannot be read,
    // which GetError then tells. Leaves the open file, if any, as it is.
    size_t ReadStart(const char* fileName, char* buffer, size_t size);

    // Whether the finder's text begins somewhere in the bytes of the current piece.
    // Only then can the piece match; it still may not, when the text runs past the
    // piece's end or stands behind a NUL. Always true without a finder.
    bool PieceHoldsText() const { return mFinder == nullptr || mTextAt < mBegin; }
    // Whether the text begins in the current piece or anywhere after it. Once false,
    // no later piece can match. Always true without a finder.
    bool TextAhead() const { return mFinder == nullptr || mTextAt != NO_TEXT || !mEndOfFile; }

private:
    static constexpr size_t NO_TEXT = SIZE_MAX;
    static constexpr size_t NO_LINE_FEED = SIZE_MAX;

    // Opens a regular file relative to the base, keeping the errno of a failure.
    TrovLib::RegularFile OpenFromBase(const char* fileName);
    void Reserve(size_t capacity);
    void Fill();
    // The first line feed in [from, limit), or NO_LINE_FEED.
    size_t FindLineFeed(size_t from, size_t limit);
    void FindText(size_t pieceBegin);
    void RestoreHeldByte();

    std::unique_ptr<char[]> mBuffer;
    size_t mCapacity = 0; // bytes the buffer takes, besides the NUL after a last piece
    size_t mBegin = 0;    // first byte not yet handed out
    size_t mEnd = 0;      // end of the bytes read
    size_t mHeldAt = 0;   // where a NUL stands in for a byte of the next piece
    size_t mMaxPiece = MAX_PIECE;
    size_t mPieceSize = 0;
    char mHeldByte = 0; // the byte it replaced
    bool mHolding = false;
    bool mEndOfFile = false;
    int mReadError = 0;
    int mFile = -1;
    int mBase;              // the folder that paths are opened relative to
    size_t mBaseOffset = 0; // where in a path the part relative to it begins
    int mError = 0;         // see GetError
    size_t mSizeAtOpen = 0; // what fstat told
    size_t mBytesRead = 0;

    std::unique_ptr<char[]> mTail; // the end of a file read by Tail
    size_t mTailCapacity = 0;

    uint64_t mLineFeeds = 0;            // a bit per line feed among the 64 bytes at mLineFeedsAt
    size_t mLineFeedsAt = NO_LINE_FEED; // a multiple of LineFeeds::BLOCK, or none

    const TextFinder* mFinder = nullptr;
    size_t mTextAt = NO_TEXT; // where the text begins, at or after the last place looked
    bool mTextKnown = false;  // false until looked for in the bytes held now
};

} // namespace Vn
