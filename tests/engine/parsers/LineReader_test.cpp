#include "engine/parsers/LineReader.h"

#include "TableWalk.h"
#include "TempTree.h"
#include "engine/search/TextFinder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using VarnikTest::ReadWithFgets;
using Vn::LineReader;

namespace
{

TEST(LineReader, CutsPiecesExactlyAsFgetsDoes)
{
    // Lines around the piece size and lines of random length across several read blocks,
    // and a last line without a line feed.
    std::string text;
    for (size_t length : {0, 1, 4094, 4095, 4096, 8190, 8191, 100000})
        text += std::string(length, 'a') + '\n';
    std::mt19937 random(7);
    while (text.size() < 5 * LineReader::BLOCK_SIZE)
        text += std::string(random() % 9000, 'b') + (random() % 5 == 0 ? "\r\n" : "\n");
    text += "last";

    VarnikTest::TempTree tree;
    tree.File("mixed", text);
    const Vn::SearchRequest request;
    const Vn::TextFinder finder(request);
    LineReader reader;
    // A second file reuses the buffer; looking for a text reads a whole file at once.
    const Vn::TextFinder* const lookingFor[] = {nullptr, nullptr, &finder};
    for (const Vn::TextFinder* finderOrNull : lookingFor)
    {
        ASSERT_TRUE(reader.Open(tree.Path("mixed").c_str(), finderOrNull));
        std::vector<std::string> pieces;
        while (const char* piece = reader.Next())
            pieces.emplace_back(piece);
        const auto expected = ReadWithFgets(tree.Path("mixed"));
        ASSERT_EQ(pieces.size(), expected.size());
        for (size_t i = 0; i < pieces.size(); i++)
            ASSERT_TRUE(pieces[i] == expected[i]) << "piece " << i;
    }
}

} // namespace
