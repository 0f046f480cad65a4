#include "engine/parsers/LineReader.h"

#include "TempTree.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

using VarnikTest::TempTree;
using Vn::LineReader;

namespace
{

std::vector<std::string> ReadAll(const std::string& path)
{
    LineReader reader;
    EXPECT_TRUE(reader.Open(path.c_str()));
    std::vector<std::string> pieces;
    while (const char* piece = reader.Next())
        pieces.emplace_back(piece);
    return pieces;
}

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

// Lines of many lengths, around the piece size and across several read blocks.
std::string MixedLines()
{
    std::mt19937 random(7);
    std::string text;
    for (size_t length : {0, 1, 4094, 4095, 4096, 8190, 8191, 100000})
        text += std::string(length, 'a') + '\n';
    while (text.size() < 5 * LineReader::BLOCK_SIZE)
        text += std::string(random() % 9000, 'b') + (random() % 5 == 0 ? "\r\n" : "\n");
    return text + "last line without a line feed";
}

TEST(LineReader, CutsPiecesExactlyAsFgetsDoes)
{
    TempTree tree;
    tree.File("mixed.txt", MixedLines());
    const auto pieces = ReadAll(tree.Path("mixed.txt"));
    const auto expected = ReadWithFgets(tree.Path("mixed.txt"));
    ASSERT_EQ(pieces.size(), expected.size());
    for (size_t i = 0; i < pieces.size(); i++)
        ASSERT_TRUE(pieces[i] == expected[i]) << "piece " << i;
}

TEST(LineReader, CountsPiecesOfLongLinesAndTheLastLine)
{
    struct Row
    {
        std::string content;
        size_t pieces;
    };
    const Row rows[] = {
        {"", 0},
        {"x", 1},
        {"x\n", 1},
        {"\n\n", 2},
        {std::string(4094, 'x') + "\n", 1},
        {std::string(4095, 'x') + "\n", 2},
        {std::string(5000, 'x') + "\n", 2},
        {std::string(100000, 'x'), 25},
    };
    TempTree tree;
    for (const Row& row : rows)
    {
        tree.File("f", row.content);
        EXPECT_EQ(ReadAll(tree.Path("f")).size(), row.pieces) << row.content.size() << " bytes";
    }
}

TEST(LineReader, NulEndsTheTextSeenButNotThePiece)
{
    TempTree tree;
    tree.File("binary", std::string("ab\0cd\n\0\nxy", 11));
    EXPECT_EQ(ReadAll(tree.Path("binary")), (std::vector<std::string>{"ab", "", "xy"}));
}

TEST(LineReader, OpensOnlyRegularFiles)
{
    TempTree tree;
    tree.Fifo("pipe").Folder("folder").File("file", "x\n");
    LineReader reader;
    EXPECT_FALSE(reader.Open(tree.Path("pipe").c_str())); // must not block either
    EXPECT_FALSE(reader.Open(tree.Path("folder").c_str()));
    EXPECT_FALSE(reader.Open(tree.Path("missing").c_str()));
    EXPECT_EQ(reader.Next(), nullptr);
    EXPECT_TRUE(reader.Open(tree.Path("file").c_str()));
}

} // namespace
