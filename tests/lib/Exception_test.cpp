#include "lib/Exception.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{

std::string Written(const TrovLib::Exception& exception)
{
    char* buffer = nullptr;
    size_t size = 0;
    FILE* stream = open_memstream(&buffer, &size);
    exception.Write(stream);
    std::fclose(stream);
    std::string text(buffer, size);
    std::free(buffer);
    return text;
}

TrovLib::Exception WithCode(unsigned code, const char* message = nullptr)
{
    return TrovLib::Exception(code, "Buffer too short", message, "Walker.cpp",
                              "TrovLib::Walker::GetFolder", 103, 2100);
}

} // namespace

TEST(Exception, WritesEveryFieldInItsLayout)
{
    EXPECT_EQ(Written(WithCode(TrovLib::CODE_INVALID_BUFFER_SIZE)),
              "    Exception - CODE_INVALID_BUFFER_SIZE\n"
              "        File       : Walker.cpp (line 103)\n"
              "        Function   : TrovLib::Walker::GetFolder\n"
              "        Info A     : 2100 (0x00000834)\n"
              "        Last error : 0 (0x00000000)\n"
              "        What       : Buffer too short\n"
              "\n");
}

TEST(Exception, WritesTheMessageOnlyWhenThereIsOne)
{
    const std::string written = Written(WithCode(0, "mkdir( /x, ) failed"));
    EXPECT_NE(written.find("        Last error : 0 (0x00000000)\n"
                           "        Message    : mkdir( /x, ) failed\n"
                           "        What       : Buffer too short\n"),
              std::string::npos);
    EXPECT_EQ(Written(WithCode(0, "")).find("Message"), std::string::npos);
    EXPECT_EQ(Written(WithCode(0, nullptr)).find("Message"), std::string::npos);
}

TEST(Exception, NamesTheCodesOfTheTableAndNumbersTheOthers)
{
    EXPECT_EQ(TrovLib::CODE_NAMES.size(), 38u);
    EXPECT_EQ(Written(WithCode(0)).rfind("    Exception - CODE_IO_ERROR\n", 0), 0u);
    EXPECT_EQ(Written(WithCode(37)).rfind("    Exception - CODE_STRUCTURED_EXCEPTION\n", 0), 0u);
    EXPECT_EQ(Written(WithCode(38)).rfind("    Exception - 38 (0x00000026)\n", 0), 0u);
    EXPECT_EQ(Written(WithCode(0xFFFFFFFFu)).rfind("    Exception - 4294967295 (0xffffffff)\n", 0),
              0u);
}

TEST(Exception, IsCaughtAsAStandardExceptionWithItsDescription)
{
    try
    {
        throw WithCode(TrovLib::CODE_INVALID_BUFFER_SIZE, "details");
    }
    catch (const std::exception& exception)
    {
        EXPECT_STREQ(exception.what(), "Buffer too short");
        const auto& own = dynamic_cast<const TrovLib::Exception&>(exception);
        EXPECT_EQ(own.mMessage, "details");
        EXPECT_EQ(own.mLastError, 0u);
        EXPECT_EQ(own.mInfoA, 2100u);
    }
}
