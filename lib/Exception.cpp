#include "lib/Exception.h"

namespace TrovLib
{

Exception::Exception(unsigned code, const char* what, const char* message, const char* file,
                     const char* function, unsigned line, unsigned infoA)
    : mCode(code), mFile(file), mFunction(function), mInfoA(infoA), mLastError(0), mLine(line),
      mMessage(message == nullptr ? "" : message), mWhat(what)
{
}

const char* Exception::what() const noexcept
{
    return mWhat;
}

void Exception::Write(FILE* stream) const
{
    std::fprintf(stream, "    Exception - ");
    if (mCode < CODE_NAMES.size())
        std::fprintf(stream, "%s", CODE_NAMES[mCode]);
    else
        std::fprintf(stream, "%u (0x%08x)", mCode, mCode);

    std::fprintf(stream,
                 "\n        File       : %s (line %u)\n        Function   : %s\n"
                 "        Info A     : %u (0x%08x)\n        Last error : %u (0x%08x)\n",
                 mFile, mLine, mFunction, mInfoA, mInfoA, mLastError, mLastError);
    if (!mMessage.empty())
        std::fprintf(stream, "        Message    : %s\n", mMessage.c_str());
    std::fprintf(stream, "        What       : %s\n\n", what());
}

} // namespace TrovLib
