#include "ParserTest.h"
#include "engine/parsers/FileParser_Cpp.h"

#include <gtest/gtest.h>

#include <random>

using VarnikTest::LineSummary;
using Vn::FileParser_State;

namespace
{

// The state machine's tables walked entry by entry, as they read.
class TableWalk
{
public:
    using State_Info = Vn::FileParser_State::State_Info;
    using Transition_Info = Vn::FileParser_State::Transition_Info;

    TableWalk(const State_Info* states, const Transition_Info* const* transitions)
        : mStates(states), mTransitions(transitions)
    {
    }

    // Where a search compares: the place of every token of a line, with the zones of the
    // state it is read in. Leaves the line's flags, and whether it ended in error.
    struct Place
    {
        size_t mOffset;
        uint32_t mZones;
    };
    std::vector<Place> Line(const char* line)
    {
        std::vector<Place> places;
        mFlags = 0;
        for (const char* p = line; *p != '\0'; p = Step(p))
            places.push_back(Place{static_cast<size_t>(p - line), mStates[mState].mZones});
        mLineError = mStates[mState].mError_EndOfLine;
        mState = mStates[mState].mNext_EndOfLine;
        return places;
    }

    bool EndsFileInError() const { return mStates[mState].mError_EndOfFile; }

    uint32_t mState = 0;
    uint32_t mFlags = 0;
    bool mLineError = false;

private:
    static bool Same(char a, char b, bool ignoreCase)
    {
        const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return ignoreCase ? fold(a) == fold(b) : a == b;
    }

    const char* Step(const char* p)
    {
        for (const Transition_Info* entry = mTransitions[mState];; entry++)
        {
            bool equal = entry->mLength != 0;
            for (uint32_t i = 0; equal && i < entry->mLength; i++)
                equal = p[i] != '\0' && Same(p[i], entry->mToken[i], entry->mIgnoreCase);
            if (equal || entry->mLength == 0)
            {
                mFlags |= entry->mLineFlags;
                mState = entry->mNext;
                return p + (entry->mLength == 0 ? 1 : entry->mLength);
            }
        }
    }

    const State_Info* mStates;
    const Transition_Info* const* mTransitions;
};

// A small language the C/C++ tables do not exercise: a case-insensitive keyword opens a
// line comment, and "--" is never taken because the shorter "-" is tried first.
using S = FileParser_State;
constexpr uint32_t CODE = 0, REMARK = 1;
constexpr S::Transition_Info IN_CODE[] = {
    {"rem", 3, true, REMARK, S::FLAG_COMMENT},
    {"-", 1, false, CODE, S::FLAG_CODE},
    {"--", 2, false, REMARK, S::FLAG_COMMENT},
    {"%%", 2, false, REMARK, S::FLAG_COMMENT},
    {" ", 1, false, CODE, 0},
    {"\n", 1, false, CODE, 0},
    {nullptr, 0, false, CODE, S::FLAG_CODE},
};
// A remark runs to the end of the line, and a line must not end inside one.
constexpr S::Transition_Info IN_REMARK[] = {{nullptr, 0, false, REMARK, S::FLAG_COMMENT}};
constexpr S::State_Info STATES[] = {
    {false, CODE, false, S::ZONE_CODE},
    {true, CODE, true, S::ZONE_COMMENT},
};
constexpr const S::Transition_Info* TRANSITIONS[] = {IN_CODE, IN_REMARK};

TEST(FileParser_State, RunsAnyTableInEntryOrder)
{
    const char* const COMMENT = "blank 0, code 0, comment 1, errors 1";
    const char* const CODE_LINE = "blank 0, code 1, comment 0, errors 0";
    const std::pair<const char*, const char*> rows[] = {
        {"REM x\n", COMMENT},  {"  rEm\n", COMMENT},
        {"re x\n", CODE_LINE}, {"r\n", CODE_LINE},
        {"-- x\n", CODE_LINE}, {"%% x\n", COMMENT},
        {"% x\n", CODE_LINE},  {"x rem\n", "blank 0, code 1, comment 0, errors 1"},
    };
    VarnikTest::TempTree tree;
    FileParser_State parser("toy", STATES, TRANSITIONS);
    for (const auto& [line, summary] : rows)
    {
        tree.File("a.toy", line);
        EXPECT_EQ(LineSummary(*parser.Parse(tree.Path("a.toy").c_str())), summary) << line;
    }

    static constexpr S::Transition_Info TO_NOWHERE[] = {{nullptr, 0, false, 7, 0}};
    const S::Transition_Info* const BAD[] = {IN_CODE, TO_NOWHERE};
    EXPECT_THROW(FileParser_State("toy", STATES, BAD), std::out_of_range);
    EXPECT_THROW(FileParser_State("toy", std::span(STATES, 1), TRANSITIONS), std::invalid_argument);
}

// Files that drive a machine through every state with every byte value, and random
// lines of the bytes that matter to the C/C++ tables, long ones cut into pieces among
// them, with CRLF ends, NULs and constructs left open at the end of the file.
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

// Runs the walk of the tables beside the compiled machine, noting the first line after
// which their flags or states differ, the errors the walk finds, and each line's pieces
// and places where a search compares.
template <class Parser> class Probe : public Parser
{
public:
    template <class... Args>
    explicit Probe(const Args&... args) : Parser(args...), mWalk(this->mStates, this->mTransitions)
    {
    }

    void Check(const std::string& path)
    {
        mWalk.mState = mErrors = 0;
        mPieces.clear();
        mPlaces.clear();
        const auto node = this->Parse(path.c_str());
        mErrors += mWalk.EndsFileInError();
        EXPECT_EQ(mFirstMismatch, "");
        EXPECT_EQ(VarnikTest::CountAt(*node, {"Parsing Error"}), mErrors);
    }

    void ParseLine(const char* line) override
    {
        mPieces.emplace_back(line);
        mPlaces.push_back(mWalk.Line(line));
        mErrors += mWalk.mLineError;
        Parser::ParseLine(line);
        if (mFirstMismatch.empty() &&
            (this->mLineFlags != mWalk.mFlags || this->mState != mWalk.mState))
            mFirstMismatch = testing::PrintToString(std::string(line));
    }

    TableWalk mWalk;
    uint32_t mErrors = 0;
    std::string mFirstMismatch;
    std::vector<std::string> mPieces;
    std::vector<std::vector<TableWalk::Place>> mPlaces;
};

// The compiled machine takes the transitions of the tables, and a search finds the lines
// in which the request's Compare succeeds at a token of a selected zone: for every zone
// combination, both case modes, and texts that begin inside tokens, span pieces, end
// with a line feed or hold bytes above 127.
TEST(FileParser_State, AgreesWithTheWalkOfTheTables)
{
    VarnikTest::ParserTest test;
    Probe<Vn::FileParser_Cpp> cpp("c");
    Probe<FileParser_State> toy("toy", std::span(STATES), std::span(TRANSITIONS));
    const char* texts[] = {"", "z", "/", "*", "*/", "//", "\"a", "'", "\\", "#", "a\n", "\x80/*"};
    for (const std::string& content : AdversarialFiles())
    {
        const std::string path = test.mTree.File("a.c", content).Path("a.c");
        toy.Check(path);
        cpp.Check(path);
        for (const char* text : texts)
        {
            for (unsigned bits = 0; bits < 32; bits++)
            {
                const auto request = VarnikTest::Request(text, bits);
                const uint32_t zones =
                    (bits & 1 ? S::ZONE_CODE : 0) | (bits & 2 ? S::ZONE_COMMENT : 0) |
                    (bits & 4 ? S::ZONE_DIRECTIVE : 0) | (bits & 8 ? S::ZONE_STRING : 0);
                VarnikTest::Lines expected;
                for (size_t line = 0; line < cpp.mPieces.size(); line++)
                {
                    for (const TableWalk::Place& place : cpp.mPlaces[line])
                    {
                        if ((place.mZones & zones) != 0 &&
                            request.Compare(cpp.mPieces[line].c_str() + place.mOffset))
                        {
                            expected.push_back(static_cast<uint32_t>(line + 1));
                            break;
                        }
                    }
                }
                ASSERT_EQ(VarnikTest::FoundLines(test.mParsers, path, request), expected)
                    << "text " << testing::PrintToString(std::string(text)) << ", bits " << bits
                    << ", file " << testing::PrintToString(content.substr(0, 30));
            }
        }
    }
}

} // namespace
