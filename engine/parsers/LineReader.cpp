#include "engine/parsers/LineReader.h"

#include "engine/search/TextFinder.h"
#include "lib/LineFeeds.h"
#include "lib/RegularFile.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Vn
{

LineReader::LineReader() : mBase(AT_FDCWD) {}

LineReader::~LineReader()
{
    Close();
}

void LineReader::SetBase(int folder, size_t offset)
{
    mBase = folder;
    mBaseOffset = offset;
    mError = 0;
}

bool LineReader::Open(const char* fileName, const TextFinder* finder)
{
    return Open(fileName, finder, MAX_PIECE);
}

bool LineReader::Open(const char* fileName, const TextFinder* finder, size_t maxPiece)
{
    Close();
    mMaxPiece = maxPiece;
    mReadError = 0;
    const TrovLib::RegularFile file = OpenFromBase(fileName);
    if (file.mFd < 0)
        return false;
    mFile = file.mFd;
    mSizeAtOpen = static_cast<size_t>(file.mSize);
    mBegin = mEnd = 0;
    Reserve(finder == nullptr ? BLOCK_SIZE : std::clamp(mSizeAtOpen, BLOCK_SIZE, WHOLE_FILE));
    mBytesRead = 0;
    mBegin = mEnd = 0;
    mHolding = false;
    mEndOfFile = false;
    mLineFeedsAt = NO_LINE_FEED;
    mFinder = finder;
    mTextAt = NO_TEXT;
    mTextKnown = false;
    return true;
}

void LineReader::Close()
{
    if (mFile >= 0)
        close(mFile);
    mFile = -1;
    mHolding = false;
    mFinder = nullptr;
}

size_t LineReader::ReadStart(const char* fileName, char* buffer, size_t size)
{
    const TrovLib::RegularFile file = OpenFromBase(fileName);
    ssize_t count = 0;
    if (file.mFd >= 0)
    {
        do
            count = read(file.mFd, buffer, size - 1);
        while (count < 0 && errno == EINTR);
        if (count < 0)
            mError = errno;
        close(file.mFd);
    }
    const size_t length = count > 0 ? static_cast<size_t>(count) : 0;
    buffer[length] = '\0';
    return length;
}

TrovLib::RegularFile LineReader::OpenFromBase(const char* fileName)
{
    const TrovLib::RegularFile file = TrovLib::RegularFile::Open(mBase, fileName + mBaseOffset);
    if (file.mFd < 0 && file.mError != 0)
        mError = file.mError;
    return file;
}

const char* LineReader::Next()
{
    if (mFile < 0)
        return nullptr;
    RestoreHeldByte();
    for (;;)
    {
        const size_t available = mEnd - mBegin;
        const char* start = mBuffer.get() + mBegin;
        size_t length = 0;
        const size_t feed = FindLineFeed(mBegin, mBegin + std::min(available, mMaxPiece));
        if (feed != NO_LINE_FEED)
            length = feed - mBegin + 1;
        else if (available >= mMaxPiece)
            length = mMaxPiece;
        else if (!mEndOfFile)
        {
            if (mBegin == 0 && mEnd == mCapacity)
                Reserve(2 * mCapacity); // a line longer than the buffer
            Fill();
            continue;
        }
        else if (available == 0)
            return nullptr;
        else
            length = available;

        if (mFinder != nullptr)
            FindText(mBegin);
        mPieceSize = length;
        mBegin += length;
        mHeldAt = mBegin;
        mHeldByte = mBuffer[mHeldAt];
        mHolding = true;
        mBuffer[mHeldAt] = '\0';
        return start;
    }
}

// Grows the buffer to hold at least `capacity` bytes, keeping those it holds; it never
// shrinks, so that files of similar sizes do not reallocate it.
void LineReader::Reserve(size_t capacity)
{
    if (capacity <= mCapacity)
        return;
    mCapacity = std::max(capacity, std::min(2 * mCapacity, WHOLE_FILE));
    // Besides the NUL after a last piece, room for a whole mask past the end of the bytes.
    // What stands past the end is never used: FindLineFeed drops its bits.
    auto buffer = std::make_unique_for_overwrite<char[]>(mCapacity + 1 + TrovLib::LineFeeds::BLOCK);
    if (mEnd > 0)
        std::memcpy(buffer.get(), mBuffer.get(), mEnd);
    mBuffer = std::move(buffer);
    mLineFeedsAt = NO_LINE_FEED;
}

std::string_view LineReader::Head(size_t size)
{
    if (mFile < 0)
        return {};
    if (mEnd == 0 && !mEndOfFile)
        Fill();
    return {mBuffer.get(), std::min(size, mEnd)};
}

// A file held whole in the buffer gives its end from there.
std::string_view LineReader::Tail(size_t size)
{
    if (mFile < 0)
        return {};
    if (mEnd == 0 && !mEndOfFile)
        Fill();
    if (mEndOfFile && mBytesRead == mEnd && !mHolding)
        return {mBuffer.get() + mEnd - std::min(size, mEnd), std::min(size, mEnd)};
    size = std::min(size, mSizeAtOpen);
    if (size > mTailCapacity)
    {
        mTail = std::make_unique_for_overwrite<char[]>(size);
        mTailCapacity = size;
    }
    ssize_t count;
    do
        count = pread(mFile, mTail.get(), size, static_cast<off_t>(mSizeAtOpen - size));
    while (count < 0 && errno == EINTR);
    return {mTail.get(), count > 0 ? static_cast<size_t>(count) : 0};
}

// Moves the unread tail to the front of the buffer and reads behind it until the
// buffer is full. Reading nothing, at the end of the file or on a read error, ends
// the file, and the error is kept; so does reading as many bytes as the file held when it was
// opened, which spares the read that would only find its end. (Files that tell no size, as those of
// /proc, tell 0 and are read to their end.)
void LineReader::Fill()
{
    const size_t available = mEnd - mBegin;
    std::memmove(mBuffer.get(), mBuffer.get() + mBegin, available);
    mBegin = 0;
    mEnd = available;
    mTextKnown = false;
    mLineFeedsAt = NO_LINE_FEED;

    while (mEnd < mCapacity)
    {
        ssize_t count;
        do
            count = read(mFile, mBuffer.get() + mEnd, mCapacity - mEnd);
        while (count < 0 && errno == EINTR);
        if (count <= 0)
        {
            if (count < 0)
            {
                mReadError = errno;
                mError = mReadError;
            }
            mEndOfFile = true;
            return;
        }
        mEnd += static_cast<size_t>(count);
        mBytesRead += static_cast<size_t>(count);
        if (mBytesRead == mSizeAtOpen)
        {
            mEndOfFile = true;
            return;
        }
    }
}

// The mask of one block of bytes is kept, so that the next pieces ending in it cost one
// look at the mask. Bytes past the end of those read may set bits; `limit` drops them.
size_t LineReader::FindLineFeed(size_t from, size_t limit)
{
    size_t block = from - from % TrovLib::LineFeeds::BLOCK;
    if (block != mLineFeedsAt)
    {
        mLineFeeds = TrovLib::LineFeeds::Mask(mBuffer.get() + block);
        mLineFeedsAt = block;
    }
    uint64_t mask = mLineFeeds & (~uint64_t{0} << (from - block));
    while (mask == 0)
    {
        block += TrovLib::LineFeeds::BLOCK;
        if (block >= limit)
            return NO_LINE_FEED;
        mLineFeeds = mask = TrovLib::LineFeeds::Mask(mBuffer.get() + block);
        mLineFeedsAt = block;
    }
    const size_t feed = block + static_cast<size_t>(std::countr_zero(mask));
    return feed < limit ? feed : NO_LINE_FEED;
}

// Looks for the text from the piece that begins at `pieceBegin` to the end of the
// bytes held, unless an earlier look already answers: it found the text at or after
// this piece, or found nothing up to the end of these same bytes.
void LineReader::FindText(size_t pieceBegin)
{
    if (mTextKnown && (mTextAt == NO_TEXT || mTextAt >= pieceBegin))
        return;
    const size_t found = mFinder->Find(mBuffer.get() + pieceBegin, mEnd - pieceBegin);
    mTextAt = found == TextFinder::NONE ? NO_TEXT : pieceBegin + found;
    mTextKnown = true;
}

void LineReader::RestoreHeldByte()
{
    if (mHolding)
        mBuffer[mHeldAt] = mHeldByte;
    mHolding = false;
}

} // namespace Vn
