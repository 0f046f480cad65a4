#include "ParserTest.h"
#include "TreeText.h"
#include "engine/parsers/FileParser_Text.h"
#include "engine/scan/FolderParser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <stdexcept>
#include <typeinfo>

using namespace VarnikTest;

namespace
{

// Lines on which the classic and the precise analysis part ways, among ordinary ones.
// clang-format off
const char* const LINES[] = {
    "int x = 1; // note\n\n", "/* open\n", "still */ y++;\n", "#if defined(A) && B > 2\n",
    "# if C\n#  ifdef D // d\n", "#elif E\n#elifndef F\n#endif\n", "auto s = R\"x(// raw /* \n",
    ")x\"; t = u8R\"(a)\";\n", "int n = 1'000'000; long m = 0x7FFF'FFFF;\nchar c = u8'a';\n",
    "// continued \\\n", "rem a command comment\r\n# a script comment\n", "s = \"unterminated\n"};
// clang-format on
const char* const NAMES[] = {"a.c",  "b.h",   "c.cpp", "d.cc",  "e.hh", "f.tcc", "g.C",
                             "h.py", "i.bat", "j.md",  "k.txt", "l.sh", "m.sln", "README"};
// What makes a file without an extension C++, a script or nothing.
const char* const FIRST_LINES[] = {"// <vector> -*- C++ -*-\n", "#!/bin/sh\n", "\n"};

using Names = std::vector<std::string>;

// A tree of a few hundred files in "tree", the same for every run, with dotted folders.
void BuildTree(TempTree& tree)
{
    std::mt19937 random(20261207);
    for (int file = 0; file < 240; file++)
    {
        const std::string name = NAMES[random() % std::size(NAMES)];
        std::string content = name == "README" ? FIRST_LINES[random() % 3] : "";
        for (unsigned line = random() % 40; line > 0; line--)
            content += LINES[random() % std::size(LINES)];
        const char* folder = file % 7 == 0 ? "tree/lib.d/" : file % 5 == 0 ? "tree/src/" : "tree/";
        tree.File(folder + std::to_string(file) + name, content);
    }
}

// A scan and two searches of "tree", as a user reads them.
std::string Answer(Vn::FolderParser& folderParser)
{
    std::string out = Describe(*folderParser.Parse("tree"));
    for (const auto& request : {Request("raw", STRING), Request("/", COMMENT | IGNORE_CASE)})
        out += Describe(*folderParser.Search("tree", request));
    return out;
}

uint64_t Digest(std::string_view text)
{
    uint64_t hash = 14695981039346656037u; // FNV-1a
    for (char c : text)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211u;
    return hash;
}

TEST(FileParser_Precise, TheClassicAnswerStaysWithEveryOptionOff)
{
    TempTree tree;
    BuildTree(tree);
    std::filesystem::current_path(tree.Root()); // so that the names are those of every run
    Vn::FileParser_List classic;
    classic.CreateParsers();
    Vn::FolderParser plain(&classic);
    const std::string answer = Answer(plain);
    // What Varnik answered before the options came.
    EXPECT_EQ(Digest(answer), 0xc3064d7c68a15c58u) << answer.size();

    const auto byDefault = Vn::FileParser_List::CreateFilled({});
    Vn::FolderParser threaded(byDefault.get());
    threaded.SetJobs(3);
    EXPECT_EQ(Answer(threaded), answer);

    const auto precise = Vn::FileParser_List::CreateFilled(Vn::AnalysisOptions::Precise());
    Vn::FolderParser preciseParser(precise.get());
    EXPECT_NE(Answer(preciseParser), answer) << "the tree exercises no option";
}

// A registry made with options, and a throw-away folder for the files it reads.
struct Registry
{
    explicit Registry(const Vn::AnalysisOptions& options) { mParsers->CreateParsers(options); }
    std::unique_ptr<Vn::Data_Node> Parse(std::string_view name, std::string_view content = {})
    {
        if (!content.empty())
            mTree.File(name, content);
        return mParsers->Parse(mTree.Path(name).c_str(), mContext);
    }
    Names SearchTypes() const
    {
        const std::vector<const char*> types = mParsers->GetSearchTypes();
        return Names(types.begin(), types.end());
    }

    TempTree mTree;
    std::unique_ptr<Vn::FileParser_List> mParsers = std::make_unique<Vn::FileParser_List>();
    Vn::ReadingContext mContext;
};

TEST(FileParser_Precise, ModernCppReadsRawStringsSeparatorsAndContinuedComments)
{
    const std::tuple<std::string, const char*, const char*> rows[] = {
        // content, modern summary, classic summary
        {"auto s = R\"x(\n// no comment\n/* nor )\" this\n)x\";\nint a;\n",
         "blank 0, code 5, comment 0, errors 0", "blank 0, code 1, comment 4, errors 2"},
        {"s = LR\"q(a)\" b)q\"; // c\nt = u8R\"(\n\n)\";\n", "blank 1, code 3, comment 0, errors 0",
         "blank 1, code 3, comment 0, errors 3"},
        {"R\"(open\n\nx\n", "blank 1, code 2, comment 0, errors 1",
         "blank 1, code 2, comment 0, errors 1"},
        {"int n = 1'000; // one thousand\nlong m = 0x7FFF'FFFF;\n",
         "blank 0, code 2, comment 0, errors 0", "blank 0, code 2, comment 0, errors 2"},
        // Character literals after a prefix or a name, and a string after a name ending in R.
        {"char c = u8'a', d = x1'b', e = L'c';\nint f = FOOR\"(\";\n",
         "blank 0, code 2, comment 0, errors 0", "blank 0, code 2, comment 0, errors 0"},
        {"s = \"a\\\nb\";\n", "blank 0, code 2, comment 0, errors 0",
         "blank 0, code 2, comment 0, errors 2"},
        {"// a \\\nstill comment\nint x;\n// b \\\r\nc\r\n", "blank 0, code 1, comment 4, errors 0",
         "blank 0, code 3, comment 2, errors 0"},
    };
    Vn::AnalysisOptions options;
    options.mModernCpp = true;
    Registry modern(options);
    Registry classic({});
    for (const auto& [content, modernSummary, classicSummary] : rows)
    {
        SCOPED_TRACE(content);
        EXPECT_EQ(LineSummary(*modern.Parse("a.cpp", content)), modernSummary);
        EXPECT_EQ(LineSummary(*classic.Parse("a.cpp", content)), classicSummary);
    }
    // The text of a raw string is a string, whatever it looks like.
    const std::string file = modern.mTree.Path("a.cpp");
    modern.mTree.File("a.cpp", "auto s = R\"(\n// no\n)\";\n");
    EXPECT_EQ(FoundLines(*modern.mParsers, file, Request("no", COMMENT)), Lines{});
    EXPECT_EQ(FoundLines(*modern.mParsers, file, Request("no", STRING)), (Lines{2}));

    // Blanks after "#" and the conditions of "#elif" and its kin reach the census.
    const auto node = modern.Parse("a.h", "# if A\n#  ifdef B // b\n#elif C || defined(D)\n"
                                          "#elifdef E\n#elifndef F\n#iffy G\n#else\n#endif\n");
    EXPECT_EQ(CountAt(*node, {"#if"}), 5u);
    EXPECT_EQ(CountAt(*node, {"#if", "D"}) + CountAt(*node, {"#if", "F"}), 2u);
    EXPECT_EQ(CountAt(*node, {"h", "Code", "Directive"}), 8u);
}

TEST(FileParser_Precise, CommonTypesNameFilesByExtensionAndFirstLine)
{
    Vn::AnalysisOptions options;
    options.mCommonTypes = true;
    Registry common(options);
    // Extensionless C++ is found also in a dotted folder, which classically makes up a type.
    // clang-format off
    const std::pair<const char*, const char*> files[] = {
        {"a.cc", "#ifdef X\n"}, {"b.hh", "\n"}, {"c.C", "\n"}, {"run.bat", "REM x\n"},
        {"notes.md", "# x\n"}, {"s.py", "# x\n"}, {"README", "text\n"}, {"bin/tool", "#!/bin/sh\n# x\n"},
        {"lib.d/vector", "// <vector> -*- C++ -*-\n#if Y\n"},
        {"mode", "/* -*- mode: c++; tab-width: 4 -*- */\n"}};
    // clang-format on
    for (const auto& [name, content] : files)
        common.mTree.File(name, content);
    Vn::FolderParser folderParser(common.mParsers.get());
    const auto root = folderParser.Parse(common.mTree.Root().c_str());
    const std::pair<const char*, uint32_t> expected[] = {
        {"cc", 1}, {"hh", 1},  {"C", 1},      {"bat", 1},     {"md", 1},
        {"py", 1}, {"C++", 2}, {"script", 1}, {"Unknown", 1}, {"Comment", 6}};
    for (const auto& [type, count] : expected)
        EXPECT_EQ(CountAt(*root, {"File", type}) + CountAt(*root, {"Line", type}), count) << type;
    EXPECT_EQ(CountAt(*root, {"#if", "X"}) + CountAt(*root, {"#if", "Y"}), 2u);

    const Names types = common.SearchTypes();
    ASSERT_EQ(types.size(),
              Vn::FILE_TYPES.size() + std::size(Vn::COMMON_TYPES) + std::size(Vn::FIRSTLINE_TYPES));
    EXPECT_EQ(types.back(), Vn::TYPE_FIRSTLINE_SCRIPT);
}

// A count-as type is a new name for the compiled parser of the type it names.
TEST(FileParser_Precise, CountAsRegistersAParserOfTheSameKindUnderANewName)
{
    Vn::AnalysisOptions options = Vn::AnalysisOptions::Precise();
    options.mLanguages = false; // a count-as type takes a parser of the registered types
    options.mCountAs = {{"cu", "cpp"}, {"proj", "sln"}, {"h", "txt"}, {"ii", "cc"}};
    Registry registry(options);
    EXPECT_EQ(CountAt(*registry.Parse("k.cu", "#if X\n"), {"cu", "Code", "Directive"}), 1u);
    EXPECT_EQ(CountAt(*registry.Parse("x.proj", "x\n"), {"File", "proj"}), 1u);
    EXPECT_EQ(typeid(*registry.mParsers->GetParser("x.h")), typeid(Vn::FileParser_Text));
    EXPECT_EQ(registry.mParsers->GetParser("x.h"), registry.mParsers->GetParser("x.txt"));
    EXPECT_EQ(registry.mParsers->GetParser("x.ii"), registry.mParsers->GetParser("x.cpp"));
    const Names types = registry.SearchTypes();
    EXPECT_EQ(Names(types.begin(), types.begin() + 9),
              (Names{"c", "cmd", "cpp", "gitignore", "h", "hpp", "txt", "sh", "cc"}));
    EXPECT_EQ(Names(types.end() - 2, types.end()), (Names{"cu", "ii"}));

    options.mCountAs = {{"x", "nope"}};
    EXPECT_THROW(Vn::FileParser_List::CreateFilled(options), std::invalid_argument);
    options.mCountAs = {{"tar.gz", "txt"}};
    EXPECT_THROW(Vn::FileParser_List::CreateFilled(options), std::invalid_argument);
}

} // namespace
