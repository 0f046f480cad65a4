#include "lib/Exception.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{

std::string Written(unsigned code, const char* message = nullptr)
{
    const TrovLib::Exception exception(code, "Buffer too short", message, "Walker.cpp",
                                       "TrovLib::Walker::GetFolder", 103, 2100);
    char* buffer = nullptr;
    size_t size = 0;
    FILE* stream = open_memstream(&buffer, &size);
    exception.Write(stream);
    std::fclose(stream);
    std::string text(buffer, size);
    std::free(buffer);
    return text;
}

const std::string TAIL = "        File       : Walker.cpp (line 103)\n"
                         "        Function   : TrovLib::Walker::GetFolder\n"
                         "        Info A     : 2100 (0x00000834)\n"
                         "        Last error : 0 (0x00000000)\n";

} // namespace

TEST(Exception, WritesEveryFieldInItsLayout)
{
    const std::string what = "        What       : Buffer too short\n\n";
    EXPECT_EQ(Written(TrovLib::CODE_INVALID_BUFFER_SIZE),
              "    Exception - CODE_INVALID_BUFFER_SIZE\n" + TAIL + what);
    EXPECT_EQ(Written(38, "mkdir( /x, ) failed"), "    Exception - 38 (0x00000026)\n" + TAIL +
                                                      "        Message    : mkdir( /x, ) failed\n" +
                                                      what);
    EXPECT_EQ(Written(0, ""), "    Exception - CODE_IO_ERROR\n" + TAIL + what);
    EXPECT_EQ(Written(37).rfind("    Exception - CODE_STRUCTURED_EXCEPTION\n", 0), 0u);
    EXPECT_EQ(Written(0xFFFFFFFFu).rfind("    Exception - 4294967295 (0xffffffff)\n", 0), 0u);
}
