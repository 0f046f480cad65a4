#pragma once

#include <cstddef>
#include <memory>

namespace Vn
{

// Reads a file as the pieces that the parsers count as lines.
//
// A piece ends after a line feed, at the end of the file, or once it holds
// MAX_PIECE bytes, whichever comes first; every piece is one line. This is what a
// classic 4,096-byte fgets loop sees, and users see it in the line counts and the
// line numbers of search results, so it must not change with the block size.
//
// The file is read in large blocks into one buffer that lives as long as the
// reader and is reused for every file. Pieces are cut with memchr and handed out
// in place: the byte after a piece is replaced by a NUL for as long as the piece
// is current and restored before the next one is cut, so no line is copied or
// allocated. A NUL byte inside a piece therefore ends the text that callers see,
// while the piece itself, and the counting of lines, goes on to its real end.
//
// Only regular files are read. Anything else (a FIFO, a folder, a device) is
// treated as a file that cannot be opened; it is opened without blocking so that a
// FIFO without a writer cannot stall the scan.
class LineReader
{
public:
    static constexpr size_t MAX_PIECE = 4095;
    static constexpr size_t BLOCK_SIZE = 64 * 1024;

    LineReader();
    ~LineReader();

    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Closes any file still open, then opens this one. False when it cannot be
    // opened for reading or is not a regular file.
    bool Open(const char* fileName);
    // The next piece as a NUL-terminated text, valid until the next call; null at
    // the end of the file. A read error ends the file as its end does.
    const char* Next();
    void Close();

private:
    void Fill();
    void RestoreHeldByte();

    std::unique_ptr<char[]> mBuffer;
    size_t mBegin = 0;  // first byte not yet handed out
    size_t mEnd = 0;    // end of the bytes read
    size_t mHeldAt = 0; // where a NUL stands in for a byte of the next piece
    char mHeldByte = 0; // the byte it replaced
    bool mHolding = false;
    bool mEndOfFile = false;
    int mFile = -1;
};

} // namespace Vn
