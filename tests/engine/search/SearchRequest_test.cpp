#include "engine/search/SearchRequest.h"

#include <gtest/gtest.h>

using Vn::SearchRequest;

namespace
{

SearchRequest Request(const char* text, bool caseSensitive)
{
    SearchRequest request;
    request.SetText(text);
    request.mFlags.CaseSensitive = caseSensitive;
    return request;
}

struct FindRow
{
    const char* mText;
    bool mCaseSensitive;
    const char* mLine;
    bool mFound;
};

class SearchRequestFind : public testing::TestWithParam<FindRow>
{
};

TEST_P(SearchRequestFind, Line)
{
    const FindRow& row = GetParam();
    EXPECT_EQ(Request(row.mText, row.mCaseSensitive).Find(row.mLine), row.mFound)
        << "text '" << row.mText << "' in '" << row.mLine << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SearchRequestFind,
    testing::Values(FindRow{"abc", false, "xxABCx", true}, FindRow{"abc", false, "xxABCx\n", true},
                    FindRow{"abc", false, "ab\n", false}, FindRow{"abc", false, "", false},
                    FindRow{"", false, "", false}, FindRow{"", false, "x", true},
                    FindRow{"abc", true, "xxABCx", false}, FindRow{"abc", true, "abc", true},
                    FindRow{"", true, "", true}, FindRow{"abc", true, "xab", false},
                    FindRow{"x\n", true, "ax\n", true}, FindRow{"x\n", true, "ax", false},
                    FindRow{"\xC9t\xE9", false, "\xE9t\xC9", false},
                    FindRow{"\xC9t\xE9", false, "\xC9T\xE9", true}));

TEST(SearchRequest, DefaultsTakeEverything)
{
    const SearchRequest request;
    EXPECT_TRUE(request.mFlags.CaseSensitive);
    EXPECT_TRUE(request.mFlags.InCode);
    EXPECT_TRUE(request.mFlags.InComment);
    EXPECT_TRUE(request.mFlags.InDirective);
    EXPECT_TRUE(request.mFlags.InString);
    EXPECT_TRUE(request.mFlags.InContent);
    EXPECT_TRUE(request.mText.empty());
    EXPECT_TRUE(request.IsFileTypeSelected("anything"));
    EXPECT_TRUE(request.Find(""));
    EXPECT_TRUE(request.Compare(""));
}

TEST(SearchRequest, FileTypesCompareExactly)
{
    SearchRequest request;
    EXPECT_TRUE(request.IsFileTypeSelected("txt"));
    request.mFileTypes = {"txt"};
    EXPECT_TRUE(request.IsFileTypeSelected("txt"));
    request.mFileTypes = {"cpp"};
    EXPECT_FALSE(request.IsFileTypeSelected("txt"));
    request.mFileTypes = {"TXT"};
    EXPECT_FALSE(request.IsFileTypeSelected("txt"));
}

TEST(SearchRequest, CompareStopsAtTheEndOfTheLine)
{
    for (bool caseSensitive : {true, false})
    {
        const SearchRequest request = Request("abc", caseSensitive);
        EXPECT_FALSE(request.Compare("ab")) << caseSensitive;
        EXPECT_TRUE(request.Compare("abcd")) << caseSensitive;
        EXPECT_EQ(request.Compare("ABC"), !caseSensitive);
    }
}

} // namespace
