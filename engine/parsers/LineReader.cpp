#include "engine/parsers/LineReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Vn
{

LineReader::LineReader() = default;

LineReader::~LineReader()
{
    Close();
}

bool LineReader::Open(const char* fileName)
{
    Close();
    const int file = open(fileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (file < 0)
        return false;
    struct stat status;
    if (fstat(file, &status) != 0 || !S_ISREG(status.st_mode))
    {
        close(file);
        return false;
    }
    if (!mBuffer)
        mBuffer = std::make_unique<char[]>(BLOCK_SIZE + 1); // + the NUL after a last piece
    mFile = file;
    mBegin = mEnd = 0;
    mHolding = false;
    mEndOfFile = false;
    return true;
}

void LineReader::Close()
{
    if (mFile >= 0)
        close(mFile);
    mFile = -1;
    mHolding = false;
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
        if (const void* feed = std::memchr(start, '\n', std::min(available, MAX_PIECE)))
            length = static_cast<const char*>(feed) - start + 1;
        else if (available >= MAX_PIECE)
            length = MAX_PIECE;
        else if (!mEndOfFile)
        {
            Fill();
            continue;
        }
        else if (available == 0)
            return nullptr;
        else
            length = available;

        mBegin += length;
        mHeldAt = mBegin;
        mHeldByte = mBuffer[mHeldAt];
        mHolding = true;
        mBuffer[mHeldAt] = '\0';
        return start;
    }
}

// Moves the unread tail to the front of the buffer and reads behind it. Reading
// nothing, at the end of the file or on a read error, ends the file.
void LineReader::Fill()
{
    const size_t available = mEnd - mBegin;
    std::memmove(mBuffer.get(), mBuffer.get() + mBegin, available);
    mBegin = 0;
    mEnd = available;

    ssize_t count;
    do
        count = read(mFile, mBuffer.get() + mEnd, BLOCK_SIZE - mEnd);
    while (count < 0 && errno == EINTR);

    if (count > 0)
        mEnd += static_cast<size_t>(count);
    else
        mEndOfFile = true;
}

void LineReader::RestoreHeldByte()
{
    if (mHolding)
        mBuffer[mHeldAt] = mHeldByte;
    mHolding = false;
}

} // namespace Vn
