#include "engine/search/SearchRequest.h"

#include <gtest/gtest.h>

namespace
{

// Find looks anywhere in the line, MatchesAt here only at its start; both fold ASCII letters
// alone when case does not matter, and neither reads past the end of the line.
TEST(SearchRequest, FindsAndComparesByteForByteOrFolded)
{
    struct Row
    {
        const char* mText;
        bool mCaseSensitive;
        const char* mLine;
        bool mFound;
        bool mAtStart;
    };
    const Row rows[] = {
        {"abc", false, "xxABCx", true, false},
        {"abc", false, "xxABCx\n", true, false},
        {"abc", false, "ABCd", true, true},
        {"abc", false, "ab\n", false, false},
        {"abc", false, "ab", false, false},
        {"abc", false, "", false, false},
        {"", false, "", false, true}, // ignoring case, an empty line never matches
        {"", false, "x", true, true},
        {"abc", true, "xxABCx", false, false},
        {"abc", true, "ABC", false, false},
        {"abc", true, "abcd", true, true},
        {"abc", true, "ab", false, false},
        {"", true, "", true, true},
        {"x\n", true, "ax\n", true, false},
        {"x\n", true, "ax", false, false},
        {"[", false, "{", false, false}, // differ by the folding bit but are no letters
        {"\xC9t\xE9", false, "\xE9t\xC9", false, false},
        {"\xC9t\xE9", false, "\xC9T\xE9", true, true},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(testing::PrintToString(row.mText) + " in " +
                     testing::PrintToString(row.mLine) +
                     (row.mCaseSensitive ? " with case" : " ignoring case"));
        Vn::SearchRequest request;
        request.SetText(row.mText);
        request.mFlags.CaseSensitive = row.mCaseSensitive;
        EXPECT_EQ(request.Find(row.mLine), row.mFound);
        EXPECT_EQ(request.MatchesAt(row.mLine, 0), row.mAtStart);
    }
}

TEST(SearchRequest, FileTypesCompareExactly)
{
    Vn::SearchRequest request;
    EXPECT_TRUE(request.IsFileTypeSelected("txt"));
    request.mFileTypes = {"txt"};
    EXPECT_TRUE(request.IsFileTypeSelected("txt"));
    EXPECT_FALSE(request.IsFileTypeSelected("TXT"));
    EXPECT_FALSE(request.IsFileTypeSelected("tx"));
}

} // namespace
