#include "ParserTest.h"
#include "engine/parsers/FileParser_Cmd.h"
#include "engine/parsers/FileParser_Cpp.h"
#include "engine/parsers/FileParser_Script.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <typeinfo>

using VarnikTest::CounterText;
using VarnikTest::Lines;
using VarnikTest::ParserTest;
using VarnikTest::Request;
using Vn::FileParser_List;

namespace
{

TEST(FileParser_List, RegistersThirteenParsers)
{
    struct Row
    {
        const char* type;
        const std::type_info& parser;
    };
    const Row rows[] = {
        {"c", typeid(Vn::FileParser_Cpp)},
        {"cmd", typeid(Vn::FileParser_Cmd)},
        {"cpp", typeid(Vn::FileParser_Cpp)},
        {"filters", typeid(Vn::FileParser)},
        {"gitignore", typeid(Vn::FileParser_Script)},
        {"h", typeid(Vn::FileParser_Cpp)},
        {"hpp", typeid(Vn::FileParser_Cpp)},
        {"txt", typeid(Vn::FileParser_Text)},
        {"resx", typeid(Vn::FileParser)},
        {"sh", typeid(Vn::FileParser_Script)},
        {"sln", typeid(Vn::FileParser)},
        {"user", typeid(Vn::FileParser)},
        {"vcxproj", typeid(Vn::FileParser)},
    };
    FileParser_List parsers;
    parsers.CreateParsers();
    EXPECT_EQ(parsers.mParsers.size(), std::size(rows));
    std::set<const Vn::FileParser*> objects;
    for (const Row& row : rows)
    {
        const Vn::FileParser* parser = parsers.GetParser((std::string("a.") + row.type).c_str());
        ASSERT_NE(parser, nullptr) << row.type;
        EXPECT_STREQ(parser->mType, row.type);
        EXPECT_EQ(typeid(*parser), row.parser) << row.type;
        objects.insert(parser);
    }
    EXPECT_EQ(objects.size(), std::size(rows));
}

TEST(FileParser_List, TypeIsTheTextAfterTheLastDotOfThePath)
{
    struct Row
    {
        const char* path;
        const char* type; // empty: no parser
    };
    const Row rows[] = {
        {"main.cpp", "cpp"},
        {"/x/.gitignore", "gitignore"},
        {"a.vcxproj.filters", "filters"},
        {"a.vcxproj.user", "user"},
        {"MAIN.CPP", ""},
        {"notes.TXT", ""},
        {"README", ""},
        {"README.", ""},
        {"archive.tar.gz", ""},
        {"a.hh", ""},
        {"src.d/README", ""},
        {"x.NoExtension", ""},
    };
    FileParser_List parsers;
    parsers.CreateParsers();
    for (const Row& row : rows)
    {
        const Vn::FileParser* parser = parsers.GetParser(row.path);
        EXPECT_STREQ(parser != nullptr ? parser->mType : "", row.type) << row.path;
    }
}

TEST(FileParser_List, CountsFilesItDoesNotRead)
{
    ParserTest test;
    for (const char* name : {"README", "notes.TXT", "archive.tar.gz"})
    {
        EXPECT_EQ(CounterText(*test.Parse(name, "find\n")), "File = 1\n  Unknown = 1\n") << name;
        EXPECT_EQ(test.SearchLines(name, "find\n", Request("find", "code")), Lines{}) << name;
    }
    EXPECT_EQ(CounterText(*test.mParsers.Parse(test.mTree.Path("gone.resx").c_str())),
              "File = 1\n  resx = 1\n");
    EXPECT_EQ(CounterText(*test.Parse("a.sln", "find\n")), "File = 1\n  sln = 1\n");
    EXPECT_EQ(test.SearchLines("a.sln", "find\n", Request("find", "code")), Lines{});
}

TEST(FileParser_List, SearchesOnlySelectedTypes)
{
    ParserTest test;
    auto request = Request("find", "code");
    request.mFileTypes = {"cpp"};
    EXPECT_EQ(test.SearchLines("a.txt", "find\n", request), Lines{});
    EXPECT_EQ(test.SearchLines("a.cpp", "find\n", request), (Lines{1}));
    request.mFileTypes = {"CPP"};
    EXPECT_EQ(test.SearchLines("a.cpp", "find\n", request), Lines{});
}

TEST(FileParser_List, OffersTheSearchableTypesInRegistrationOrder)
{
    const std::vector<std::string> types(Vn::FILE_TYPES.begin(), Vn::FILE_TYPES.end());
    EXPECT_EQ(types,
              (std::vector<std::string>{"c", "cmd", "cpp", "gitignore", "h", "hpp", "txt", "sh"}));
    FileParser_List parsers;
    parsers.CreateParsers();
    for (const auto& [type, parser] : parsers.mParsers)
    {
        const bool offered = std::find(types.begin(), types.end(), type) != types.end();
        EXPECT_EQ(offered, dynamic_cast<Vn::FileParser_Text*>(parser.get()) != nullptr) << type;
    }
}

} // namespace
