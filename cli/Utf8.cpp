#include "cli/Utf8.h"

namespace VarnikCli
{
namespace
{

constexpr std::string_view REPLACEMENT = "\xEF\xBF\xBD";

// Well-formed sequences by their first byte: how long they are and the range allowed
// for the second byte, which excludes overlong forms, surrogates and values past
// U+10FFFF. Every further byte lies in 0x80-0xBF.
struct LeadRule
{
    unsigned char mFirst;
    unsigned char mLast;
    size_t mLength;
    unsigned char mSecondLow;
    unsigned char mSecondHigh;
};

constexpr LeadRule LEAD_RULES[] = {
    {0x00, 0x7F, 1, 0x00, 0x00}, {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF},
    {0xE1, 0xEC, 3, 0x80, 0xBF}, {0xED, 0xED, 3, 0x80, 0x9F}, {0xEE, 0xEF, 3, 0x80, 0xBF},
    {0xF0, 0xF0, 4, 0x90, 0xBF}, {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
};

bool InRange(char byte, unsigned char low, unsigned char high)
{
    const auto value = static_cast<unsigned char>(byte);
    return value >= low && value <= high;
}

// The length of the well-formed sequence at the start of `text`, or 0 when none starts there.
size_t SequenceLength(std::string_view text)
{
    for (const LeadRule& rule : LEAD_RULES)
    {
        if (!InRange(text[0], rule.mFirst, rule.mLast))
        {
            continue;
        }
        if (rule.mLength == 1)
        {
            return 1;
        }
        if (text.size() < rule.mLength || !InRange(text[1], rule.mSecondLow, rule.mSecondHigh))
        {
            return 0;
        }
        for (size_t i = 2; i < rule.mLength; ++i)
        {
            if (!InRange(text[i], 0x80, 0xBF))
            {
                return 0;
            }
        }
        return rule.mLength;
    }
    return 0;
}

} // namespace

std::string ToValidUtf8(std::string_view text)
{
    std::string valid;
    valid.reserve(text.size());
    while (!text.empty())
    {
        const size_t length = SequenceLength(text);
        if (length == 0)
        {
            valid += REPLACEMENT;
            text.remove_prefix(1);
        }
        else
        {
            valid += text.substr(0, length);
            text.remove_prefix(length);
        }
    }
    return valid;
}

bool IsValidUtf8(std::string_view text)
{
    while (!text.empty())
    {
        const size_t length = SequenceLength(text);
        if (length == 0)
            return false;
        text.remove_prefix(length);
    }
    return true;
}

} // namespace VarnikCli
