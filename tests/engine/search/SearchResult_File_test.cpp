#include "engine/search/SearchResult_File.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace
{

struct PlainLine
{
    uint64_t mNumber;
    std::string mText;
    std::vector<std::pair<uint32_t, uint32_t>> mSpans;
};

void ExpectHits(Vn::SearchHits hits, const std::vector<PlainLine>& plain)
{
    EXPECT_STREQ(hits.GetName(), "f.c");
    ASSERT_EQ(hits.GetLineCount(), plain.size());
    for (size_t index = 0; index < plain.size(); index++)
    {
        EXPECT_EQ(hits.GetLineNumber(index), plain[index].mNumber);
        EXPECT_EQ(hits.GetLineText(index), plain[index].mText);
        std::vector<std::pair<uint32_t, uint32_t>> spans;
        for (const Vn::SearchHits::Span& span : hits.GetSpans(index))
            spans.emplace_back(span.mOffset, span.mLength);
        EXPECT_EQ(spans, plain[index].mSpans);
    }
}

// A file's lines read back as they were added, whether their fields fit in 32 bits or a
// line number past them widens the block, and a copy of the block reads the same.
TEST(SearchResult_File, PacksItsLinesAndReadsThemBack)
{
    std::mt19937 random(7);
    const auto upTo = [&random](uint32_t most)
    { return std::uniform_int_distribution<uint32_t>(0, most)(random); };
    for (const uint64_t firstLine : {uint64_t{1}, uint64_t{1} << 32, uint64_t{0xFFFFFFF0}})
    {
        for (int trial = 0; trial < 50; trial++)
        {
            SCOPED_TRACE(testing::Message() << firstLine << " " << trial);
            Vn::SearchResult_File file("/root/dir/f.c");
            std::vector<PlainLine> plain;
            uint64_t number = firstLine;
            for (uint32_t lines = upTo(5) + 1; lines > 0; lines--)
            {
                number += upTo(20);
                PlainLine line{number++, std::string(upTo(40), 'x') + "\n", {}};
                file.AddLine(line.mNumber, line.mText);
                for (uint32_t spans = upTo(3); spans > 0; spans--)
                {
                    line.mSpans.emplace_back(upTo(40), upTo(5));
                    file.AddSpan(line.mSpans.back().first, line.mSpans.back().second);
                }
                plain.push_back(line);
            }
            file.Pack();
            ExpectHits(file.GetHits(), plain);
            const auto block = file.GetHits().GetBlock();
            const auto copy = std::make_unique<uint64_t[]>(block.size() / 8 + 1);
            std::memcpy(copy.get(), block.data(), block.size());
            ExpectHits(Vn::SearchHits(reinterpret_cast<const std::byte*>(copy.get())), plain);
            const Vn::PackedHits taken = file.TakeHits();
            EXPECT_EQ(file.GetHits().GetLineCount(), 0u);
            EXPECT_EQ(file.GetCount(), plain.size()) << "the file keeps its count";
            ExpectHits(taken.Get(), plain);
        }
    }
}

} // namespace
