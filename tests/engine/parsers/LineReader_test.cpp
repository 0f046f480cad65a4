#include "engine/parsers/LineReader.h"

#include "TempTree.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

using Vn::LineReader;

namespace
{

// What a loop of fgets with a 4,096-byte buffer reads.
std::vector<std::string> ReadWithFgets(const std::string& path)
{
    std::vector<std::string> pieces;
    FILE* file = std::fopen(path.c_str(), "rb");
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, file) != nullptr)
        pieces.emplace_back(buffer);
    std::fclose(file);
    return pieces;
}

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
    LineReader reader;
    for (const char* file : {"mixed", "mixed"}) // a second file reuses the buffer
    {
        ASSERT_TRUE(reader.Open(tree.Path(file).c_str()));
        std::vector<std::string> pieces;
        while (const char* piece = reader.Next())
            pieces.emplace_back(piece);
        const auto expected = ReadWithFgets(tree.Path(file));
        ASSERT_EQ(pieces.size(), expected.size());
        for (size_t i = 0; i < pieces.size(); i++)
            ASSERT_TRUE(pieces[i] == expected[i]) << "piece " << i;
    }
}

} // namespace
