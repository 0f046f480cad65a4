#include "lib/Exception.h"

#include "lib/Format.h"

#include <cstring>

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

void ThrowSystemError(const char* what, const std::string& path, const char* function, int error)
{
    Exception exception(CODE_IO_ERROR, what,
                        (EscapeControls(path) + ": " + std::strerror(error)).c_str(), __FILE_NAME__,
                        function, __LINE__, static_cast<unsigned>(error));
    exception.mLastError = static_cast<uint32_t>(error);
    throw exception;
}

} // namespace TrovLib
