#include "ParserTest.h"
#include "TableWalk.h"
#include "engine/parsers/FileParser_Cpp.h"
#include "engine/parsers/FileParser_State.h"

#include <gtest/gtest.h>

#include <random>

using VarnikTest::CountAt;
using VarnikTest::LineSummary;
using VarnikTest::TableWalk;
using VarnikTest::TempTree;
using Vn::FileParser_State;

namespace
{

// A small language that the C/C++ tables do not exercise: a case-insensitive keyword
// opens a line comment, and two tokens share their first character with an earlier,
// shorter one, which must win because entries are tried in order.
using S = FileParser_State;
constexpr uint32_t CODE = 0, REMARK = 1;

constexpr S::Transition_Info IN_CODE[] = {
    {"rem", 3, true, REMARK, S::FLAG_COMMENT},
    {"-", 1, false, CODE, S::FLAG_CODE},
    {"--", 2, false, REMARK, S::FLAG_COMMENT}, // never taken: "-" comes first
    {"%%", 2, false, REMARK, S::FLAG_COMMENT},
    {" ", 1, false, CODE, 0},
    {"\n", 1, false, CODE, 0},
    {nullptr, 0, false, CODE, S::FLAG_CODE},
};
// A remark runs to the end of the line, and a line must not end inside one.
constexpr S::Transition_Info IN_REMARK[] = {
    {nullptr, 0, false, REMARK, S::FLAG_COMMENT},
};
constexpr S::State_Info STATES[] = {
    {false, CODE, false, S::ZONE_CODE},
    {true, CODE, true, S::ZONE_COMMENT},
};
constexpr const S::Transition_Info* TRANSITIONS[] = {IN_CODE, IN_REMARK};

TEST(FileParser_State, RunsAnyTableInEntryOrder)
{
    struct Row
    {
        const char* line;
        const char* summary;
    };
    const Row rows[] = {
        {"REM x\n", "blank 0, code 0, comment 1, errors 1"},
        {"  rEm\n", "blank 0, code 0, comment 1, errors 1"},
        {"re x\n", "blank 0, code 1, comment 0, errors 0"},
        {"r\n", "blank 0, code 1, comment 0, errors 0"},
        {"-- x\n", "blank 0, code 1, comment 0, errors 0"},
        {"%% x\n", "blank 0, code 0, comment 1, errors 1"},
        {"% x\n", "blank 0, code 1, comment 0, errors 0"},
        {"x rem\n", "blank 0, code 1, comment 0, errors 1"},
    };
    TempTree tree;
    FileParser_State parser("toy", STATES, TRANSITIONS);
    for (const Row& row : rows)
    {
        tree.File("a.toy", row.line);
        EXPECT_EQ(LineSummary(*parser.Parse(tree.Path("a.toy").c_str())), row.summary) << row.line;
    }
}

TEST(FileParser_State, RejectsTablesItCannotRun)
{
    static constexpr S::Transition_Info TO_NOWHERE[] = {{nullptr, 0, false, 7, 0}};
    const S::Transition_Info* const BAD[] = {IN_CODE, TO_NOWHERE};
    EXPECT_THROW(FileParser_State("toy", STATES, BAD), std::out_of_range);
    EXPECT_THROW(FileParser_State("toy", std::span(STATES, 1), TRANSITIONS), std::invalid_argument);
}

// Files that drive a machine through every state with every byte value, and random
// lines of the bytes that matter to the C/C++ tables, long ones cut into pieces among
// them, with CRLF ends, NULs and constructs left open.
std::vector<std::string> AdversarialFiles()
{
    std::string everyByte;
    for (const char* prefix : {"", "'", "'\\", "\"", "\"\\", "/*", "/* *", "//", "#", "re", "-"})
    {
        for (int byte = 0; byte < 256; byte++)
            everyByte += prefix + std::string(1, char(byte)) + "/x*/'\"rEm\n";
    }
    std::vector<std::string> files = {everyByte};
    const std::string alphabet("/*'\"\\#\n\r\t aZrem-%\x80\xff\0", 20);
    std::mt19937 random(2024);
    for (int file = 0; file < 3; file++)
    {
        std::string text;
        for (int line = 0; line < 200; line++)
        {
            const size_t length = random() % 60 == 0 ? 4000 + random() % 5000 : random() % 40;
            for (size_t i = 0; i < length; i++)
                text += alphabet[random() % alphabet.size()];
            text += random() % 4 == 0 ? "\r\n" : "\n";
        }
        files.push_back(text + (file % 2 == 0 ? "/* open" : "x"));
    }
    return files;
}

// Checks after every line that the compiled machine left the flags and the state that
// the walk of the tables gives, and counts the parsing errors that the walk finds.
template <class Parser> class Probe : public Parser
{
public:
    template <class... Args>
    explicit Probe(const Args&... args) : Parser(args...), mWalk(this->mStates, this->mTransitions)
    {
    }

    std::unique_ptr<Vn::Data_Node> ParseFile(const std::string& path)
    {
        mWalk.mState = 0;
        mErrors = 0;
        auto node = this->Parse(path.c_str());
        mErrors += mWalk.EndsFileInError();
        return node;
    }

    void ParseLine(const char* line) override
    {
        mErrors += mWalk.Line(line);
        Parser::ParseLine(line);
        if (mFirstMismatch.empty() &&
            (this->mLineFlags != mWalk.mFlags || this->mState != mWalk.mState))
            mFirstMismatch = testing::PrintToString(std::string(line));
    }

    TableWalk mWalk;
    uint32_t mErrors = 0;
    std::string mFirstMismatch;
};

template <class Parser> void ExpectSameAsWalk(Probe<Parser>& probe, const std::string& path)
{
    const auto node = probe.ParseFile(path);
    EXPECT_EQ(probe.mFirstMismatch, "");
    EXPECT_EQ(CountAt(*node, {"Parsing Error"}), probe.mErrors);
}

TEST(FileParser_State, CompiledMachineTakesTheTransitionsOfTheTables)
{
    TempTree tree;
    Probe<Vn::FileParser_Cpp> cpp("c");
    Probe<FileParser_State> toy("toy", std::span(STATES), std::span(TRANSITIONS));
    for (const std::string& content : AdversarialFiles())
    {
        tree.File("a.c", content);
        ExpectSameAsWalk(cpp, tree.Path("a.c"));
        ExpectSameAsWalk(toy, tree.Path("a.c"));
    }
}

VarnikTest::Lines FoundLines(const Vn::FileParser_List& parsers, const std::string& path,
                             const Vn::SearchRequest& request)
{
    VarnikTest::Lines lines;
    if (const auto result = parsers.Search(path.c_str(), request))
    {
        for (const auto& line : result->mLines)
            lines.push_back(line.mLine);
    }
    return lines;
}

uint32_t Zones(const Vn::SearchRequest& request)
{
    return (request.mFlags.InCode ? S::ZONE_CODE : 0) |
           (request.mFlags.InComment ? S::ZONE_COMMENT : 0) |
           (request.mFlags.InDirective ? S::ZONE_DIRECTIVE : 0) |
           (request.mFlags.InString ? S::ZONE_STRING : 0);
}

// Every zone combination, both case modes, and texts that begin inside tokens, span
// pieces, end with a line feed or hold bytes above 127: the lines found are those in
// which the request's Compare succeeds at a token of a selected zone, as the walk of
// the tables reads the file.
TEST(FileParser_State, SearchFindsWhatTheWalkOfTheTablesFinds)
{
    VarnikTest::ParserTest test;
    Probe<Vn::FileParser_Cpp> cppTables("c");
    const char* texts[] = {"", "z", "/", "*", "*/", "//", "\"a", "'", "\\", "#", "a\n", "\x80/*"};
    for (const std::string& content : AdversarialFiles())
    {
        const std::string path = test.mTree.File("a.c", content).Path("a.c");
        const auto pieces = VarnikTest::ReadWithFgets(path);
        std::vector<std::vector<TableWalk::Place>> places;
        cppTables.mWalk.mState = 0;
        for (const std::string& piece : pieces)
            places.push_back(cppTables.mWalk.Places(piece.c_str()));

        for (const char* text : texts)
        {
            for (unsigned flags = 0; flags < 32; flags++) // four zones, and case ignored
            {
                auto request = VarnikTest::Request(text, "");
                request.mFlags.InCode = flags & 1;
                request.mFlags.InComment = flags & 2;
                request.mFlags.InDirective = flags & 4;
                request.mFlags.InString = flags & 8;
                request.mFlags.CaseSensitive = (flags & 16) == 0;

                const uint32_t zones = Zones(request);
                VarnikTest::Lines expected;
                for (size_t line = 0; line < pieces.size(); line++)
                {
                    for (const TableWalk::Place& place : places[line])
                    {
                        if ((place.mZones & zones) != 0 &&
                            request.Compare(pieces[line].c_str() + place.mOffset))
                        {
                            expected.push_back(static_cast<uint32_t>(line + 1));
                            break;
                        }
                    }
                }
                ASSERT_EQ(FoundLines(test.mParsers, path, request), expected)
                    << "text " << testing::PrintToString(std::string(text)) << ", flags " << flags
                    << ", file " << testing::PrintToString(content.substr(0, 30));
            }
        }
    }
}

} // namespace
