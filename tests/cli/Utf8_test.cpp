#include "cli/Utf8.h"

#include <gtest/gtest.h>

namespace
{

constexpr const char* FFFD = "\xEF\xBF\xBD";

struct Row
{
    const char* mCase;
    std::string mInput;
    std::string mExpected;
};

class Utf8Rows : public testing::TestWithParam<Row>
{
};

TEST_P(Utf8Rows, ReplacesEveryByteOutsideAWellFormedSequence)
{
    EXPECT_EQ(VarnikCli::ToValidUtf8(GetParam().mInput), GetParam().mExpected);
}

const Row ROWS[] = {
    {"Ascii", "int main()\n", "int main()\n"},
    {"TwoByte", "caf\xC3\xA9", "caf\xC3\xA9"},
    {"FourByte", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
    {"Latin1Byte", "caf\xE9.cpp", std::string("caf") + FFFD + ".cpp"},
    {"LoneContinuation", "a\x80z", std::string("a") + FFFD + "z"},
    {"TruncatedBeforeAscii", "\xE2\x82x", std::string(FFFD) + FFFD + "x"},
    {"OverlongSlash", "\xC0\xAF", std::string(FFFD) + FFFD},
    {"Surrogate", "\xED\xA0\x80", std::string(FFFD) + FFFD + FFFD},
    {"PastMaximum", "\xF4\x90\x80\x80", std::string(FFFD) + FFFD + FFFD + FFFD},
    {"ValidAfterInvalid", "\xFE\xC3\xA9", std::string(FFFD) + "\xC3\xA9"},
};

INSTANTIATE_TEST_SUITE_P(Utf8, Utf8Rows, testing::ValuesIn(ROWS),
                         [](const testing::TestParamInfo<Row>& info)
                         { return std::string(info.param.mCase); });

} // namespace
