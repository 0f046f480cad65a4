#include "engine/search/TextFinder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

using Vn::SearchRequest;
using Vn::TextFinder;

namespace
{

size_t Find(const std::string& text, bool caseSensitive, const std::string& bytes)
{
    SearchRequest request;
    request.mText = text;
    request.mFlags.CaseSensitive = caseSensitive;
    return TextFinder(request).Find(bytes.data(), bytes.size());
}

TEST(TextFinder, FoldsOnlyAsciiLettersAndStopsAtANul)
{
    struct Row
    {
        std::string text;
        bool caseSensitive;
        std::string bytes;
        size_t found;
    };
    const Row rows[] = {
        {"abc", false, "xxABCx", 2},
        {"abc", true, "xxABCx", TextFinder::NONE},
        {"abc", false, "ab", TextFinder::NONE},
        // Bytes that differ by the bit that folds letters, but are no letters.
        {"[", false, "{", TextFinder::NONE},
        {"@", false, "`", TextFinder::NONE},
        {"\xe9", false, "\xc9", TextFinder::NONE},
        {"\xe9", false, "a\xe9", 1},
        {"", false, "", 0},
        {"", true, "x", 0},
        {"x\n", true, "x\nx\n", 0},
        // The text ends at a NUL; the bytes do not.
        {std::string("ab\0cd", 5), true, "xxabyy", 2},
        {"cd", true, std::string("ab\0cd", 5), 3},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Find(row.text, row.caseSensitive, row.bytes), row.found)
            << testing::PrintToString(row.text) << " in " << testing::PrintToString(row.bytes);
}

// Texts and bytes drawn from a few letters in both cases and bytes around them, at
// lengths that cross the 16 places compared at once: the first place found is the
// first place where the text stands, byte for byte or folded.
TEST(TextFinder, FindsTheFirstPlaceWhereTheTextStands)
{
    const std::string alphabet("aAbB[{\xe1\xc1\n\0", 10);
    std::mt19937 random(5);
    const auto draw = [&](size_t length)
    {
        std::string text;
        for (size_t i = 0; i < length; i++)
            text += alphabet[random() % alphabet.size()];
        return text;
    };
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    for (int round = 0; round < 3000; round++)
    {
        std::string text = draw(1 + random() % 4);
        text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
        const std::string bytes = draw(random() % 70);
        for (bool caseSensitive : {true, false})
        {
            size_t expected = TextFinder::NONE;
            for (size_t at = 0; at + text.size() <= bytes.size() && expected == TextFinder::NONE;
                 at++)
            {
                bool equal = true;
                for (size_t i = 0; i < text.size(); i++)
                    equal = equal && (caseSensitive ? bytes[at + i] == text[i]
                                                    : fold(bytes[at + i]) == fold(text[i]));
                if (equal)
                    expected = at;
            }
            ASSERT_EQ(Find(text, caseSensitive, bytes), expected)
                << testing::PrintToString(text) << " in " << testing::PrintToString(bytes);
        }
    }
}

} // namespace
