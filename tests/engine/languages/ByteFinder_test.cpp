// The byte finder against a plain loop, for sets of every size it treats apart (compared
// 16 bytes at a time in groups of 4, 8 and 16, or looked up byte by byte), at every start
// and end of a text, with and without bytes before the start that it may read.

#include "engine/languages/ByteFinder.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

using namespace std::string_literals;

TEST(ByteFinder, FindsTheFirstByteOfTheSetAsAPlainLoopDoes)
{
    const std::string text = "ab\"cd/ef*gh#ij'kl\n\tmn\x80op\xffqr\0st{u}v(w)x[y]z`$@!,."
                             "      just blanks, then a quote: \" and a slash /"s;
    const std::string bytes = "\"/#'*\n{}()[]`$@!,\x80\xff\t";
    Vn::ByteFinder finder;
    for (size_t size = 1; size <= bytes.size(); size++)
    {
        finder.Add(bytes[size - 1]);
        for (size_t floor = 0; floor <= 2; floor++)
        {
            for (size_t begin = floor; begin <= text.size(); begin++)
            {
                for (size_t end = begin; end <= text.size(); end++)
                {
                    const char* data = text.data();
                    const char* expected = data + begin;
                    while (expected < data + end && !finder.Has(*expected))
                        expected++;
                    ASSERT_EQ(finder.Find(data + begin, data + end, data + floor), expected)
                        << size << " bytes, from " << begin << " to " << end;
                }
            }
        }
    }
}

TEST(ByteFinder, AnEmptySetFindsNothing)
{
    const std::string text(40, 'a');
    EXPECT_EQ(Vn::ByteFinder().Find(text.data(), text.data() + text.size(), text.data()),
              text.data() + text.size());
}

} // namespace
