#include "cli/Utf8.h"

#include <gtest/gtest.h>

TEST(Utf8, ReplacesEveryByteOutsideAWellFormedSequence)
{
    const std::string fffd = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> rows[] = {
        {"int main()\n", "int main()\n"},
        {"caf\xC3\xA9", "caf\xC3\xA9"},
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
        {"caf\xE9.cpp", "caf" + fffd + ".cpp"},
        {"a\x80z", "a" + fffd + "z"},                    // lone continuation byte
        {"\xE2\x82x", fffd + fffd + "x"},                // cut short before ASCII
        {"\xC0\xAF", fffd + fffd},                       // overlong "/"
        {"\xED\xA0\x80", fffd + fffd + fffd},            // surrogate
        {"\xF4\x90\x80\x80", fffd + fffd + fffd + fffd}, // past U+10FFFF
        {"\xFE\xC3\xA9", fffd + "\xC3\xA9"},
    };
    for (const auto& [input, expected] : rows)
        EXPECT_EQ(VarnikCli::ToValidUtf8(input), expected) << testing::PrintToString(input);
}
