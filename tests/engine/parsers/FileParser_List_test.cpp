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

namespace
{

// The type is the text after the last dot of the path, compared with case; thirteen
// types have a parser, each its own object.
TEST(FileParser_List, FindsTheParserOfAPathsType)
{
    const std::tuple<const char*, const char*, const std::type_info*> rows[] = {
        {"a.c", "c", &typeid(Vn::FileParser_Cpp)},
        {"a.cmd", "cmd", &typeid(Vn::FileParser_Cmd)},
        {"main.cpp", "cpp", &typeid(Vn::FileParser_Cpp)},
        {"a.vcxproj.filters", "filters", &typeid(Vn::FileParser)},
        {"/x/.gitignore", "gitignore", &typeid(Vn::FileParser_Script)},
        {"a.h", "h", &typeid(Vn::FileParser_Cpp)},
        {"a.hpp", "hpp", &typeid(Vn::FileParser_Cpp)},
        {"a.txt", "txt", &typeid(Vn::FileParser_Text)},
        {"a.resx", "resx", &typeid(Vn::FileParser)},
        {"a.sh", "sh", &typeid(Vn::FileParser_Script)},
        {"a.sln", "sln", &typeid(Vn::FileParser)},
        {"a.vcxproj.user", "user", &typeid(Vn::FileParser)},
        {"a.vcxproj", "vcxproj", &typeid(Vn::FileParser)},
    };
    Vn::FileParser_List parsers;
    parsers.CreateParsers();
    EXPECT_EQ(parsers.mParsers.size(), std::size(rows));
    std::set<const Vn::FileParser*> objects;
    for (const auto& [path, type, parserClass] : rows)
    {
        const Vn::FileParser* parser = parsers.GetParser(path);
        ASSERT_NE(parser, nullptr) << path;
        EXPECT_STREQ(parser->mType, type);
        EXPECT_EQ(typeid(*parser), *parserClass) << path;
        objects.insert(parser);
    }
    EXPECT_EQ(objects.size(), std::size(rows));
    for (const char* path : {"MAIN.CPP", "notes.TXT", "README", "README.", "archive.tar.gz", "a.hh",
                             "src.d/README", "x.NoExtension"})
        EXPECT_EQ(parsers.GetParser(path), nullptr) << path;
}

TEST(FileParser_List, CountsFilesItDoesNotRead)
{
    ParserTest test;
    for (const char* name : {"README", "notes.TXT", "archive.tar.gz"})
    {
        EXPECT_EQ(CounterText(*test.Parse(name, "find\n")), "File = 1\n  Unknown = 1\n") << name;
        EXPECT_EQ(test.SearchLines(name, "find\n", Request("find", VarnikTest::CODE)), Lines{})
            << name;
    }
    EXPECT_EQ(CounterText(*test.mParsers.Parse(test.mTree.Path("gone.resx").c_str())),
              "File = 1\n  resx = 1\n");
    EXPECT_EQ(CounterText(*test.Parse("a.sln", "find\n")), "File = 1\n  sln = 1\n");
    EXPECT_EQ(test.SearchLines("a.sln", "find\n", Request("find", VarnikTest::CODE)), Lines{});
}

TEST(FileParser_List, SearchesOnlySelectedTypes)
{
    ParserTest test;
    auto request = Request("find", VarnikTest::CODE);
    request.mFileTypes = {"cpp"};
    EXPECT_EQ(test.SearchLines("a.txt", "find\n", request), Lines{});
    EXPECT_EQ(test.SearchLines("a.cpp", "find\n", request), (Lines{1}));
    request.mFileTypes = {"CPP"};
    EXPECT_EQ(test.SearchLines("a.cpp", "find\n", request), Lines{});
}

// The searchable types, in the order they were registered, are those of line parsers.
TEST(FileParser_List, OffersTheSearchableTypesInRegistrationOrder)
{
    const std::vector<std::string> types(Vn::FILE_TYPES.begin(), Vn::FILE_TYPES.end());
    EXPECT_EQ(types,
              (std::vector<std::string>{"c", "cmd", "cpp", "gitignore", "h", "hpp", "txt", "sh"}));
    Vn::FileParser_List parsers;
    parsers.CreateParsers();
    for (const auto& [type, parser] : parsers.mParsers)
    {
        const bool offered = std::find(types.begin(), types.end(), type) != types.end();
        EXPECT_EQ(offered, dynamic_cast<Vn::FileParser_Text*>(parser.get()) != nullptr) << type;
    }
}

} // namespace
