// The line reader against a 4,096-byte fgets loop: the same pieces, in a file read in
// blocks and in one read whole for a search. With a search text, the reader never
// rules out a piece or the rest of a file that holds the text.

#include "Fuzz.h"
#include "TempTree.h"
#include "engine/parsers/LineReader.h"
#include "engine/search/TextFinder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using VarnikFuzz::Require;
    static VarnikTest::TempTree tree;
    static Vn::LineReader reader; // reused, as the parsers reuse theirs
    VarnikFuzz::Input input(data, size);
    const bool search = input.Byte() % 2 == 0;
    Vn::SearchRequest request;
    request.SetText(input.Take(input.Byte() % 8).c_str());
    const Vn::TextFinder finder(request);
    const std::string path = tree.File("f", input.RepeatedRest()).Path("f");

    const std::vector<std::string> expected = VarnikFuzz::ReadWithFgets(path);
    Require(reader.Open(path.c_str(), search ? &finder : nullptr), "a regular file opens");
    size_t count = 0;
    bool textAhead = true;
    while (const char* piece = reader.Next())
    {
        Require(count < expected.size() && expected[count++] == piece, "pieces as fgets cuts");
        const bool found = request.Find(piece);
        Require(!found || (textAhead && reader.PieceHoldsText()),
                "no piece that holds the text is skipped");
        textAhead = reader.TextAhead();
    }
    Require(count == expected.size(), "as many pieces as fgets");
    reader.Close();
    return 0;
}
