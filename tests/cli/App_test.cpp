// Runs the built varnik-cli on trees made on disk and checks what a user sees: the
// output, the error line and the exit status.

#include "TempTree.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace
{

using Json = nlohmann::ordered_json;

struct Outcome
{
    int mStatus = -1;
    std::string mOut;
    std::string mErr;
};

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// Runs the program with the arguments, its output and errors caught in files.
Outcome RunCli(std::vector<std::string> args)
{
    VarnikTest::TempTree capture;
    const std::string out = capture.Path("out");
    const std::string err = capture.Path("err");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    args.insert(args.begin(), VARNIK_CLI);
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, VARNIK_CLI, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
    {
        ADD_FAILURE() << "cannot run " << VARNIK_CLI;
        return {};
    }
    return {WEXITSTATUS(status), ReadFile(out), ReadFile(err)};
}

// The matching lines of a JSON result tree, as "file:line" with the path below the root.
std::vector<std::string> MatchedLines(const Json& result, const std::string& root)
{
    std::vector<std::string> lines;
    if (result.is_null())
        return lines;
    for (const Json& child : result.value("results", Json::array()))
    {
        const auto below = MatchedLines(child, root);
        lines.insert(lines.end(), below.begin(), below.end());
    }
    const std::string name = result["name"];
    for (const Json& line : result.value("lines", Json::array()))
        lines.push_back(name.substr(root.size() + 1) + ":" + line["line"].dump());
    return lines;
}

// A project with matches for "x" in every zone of a C++ file, in a text file with
// CRLF line ends, and, in upper case only, in a header below a sub-folder.
class SearchTree : public testing::Test
{
protected:
    SearchTree()
    {
        mTree
            .File("proj/m.cpp", "int x = 1; // x counter\n"
                                "const char* s = \"x\";\n"
                                "#define xmax 2\n"
                                "/* the x */\n"
                                "int y;\n")
            .File("proj/notes.txt", "x marks\r\nnothing\r\n")
            .File("proj/sub/deep.h", "// X upper\n");
    }

    std::string Root() const { return mTree.Path("proj"); }

    VarnikTest::TempTree mTree;
};

} // namespace

TEST(App, ScanPrintsTheCounterTreeOfTheRoot)
{
    VarnikTest::TempTree tree;
    tree.File("proj/a.txt", "abc\n\n  \t\nx\n")
        .File("proj/src/m.cpp", "int x; // c\n#if A\n#endif\n");

    const Outcome outcome = RunCli({"scan", tree.Path("proj")});
    EXPECT_EQ(outcome.mStatus, 0);
    EXPECT_EQ(outcome.mErr, "");
    EXPECT_EQ(outcome.mOut, "proj\n"
                            "  File = 2\n"
                            "    50.0% txt (1)\n"
                            "    50.0% cpp (1)\n"
                            "  Line = 7\n"
                            "    28.6% Blank (2)\n"
                            "    71.4% Code (5)\n"
                            "    0.0% Comment (0)\n"
                            "  txt = 4\n"
                            "    50.0% Blank (2)\n"
                            "    50.0% Code (2)\n"
                            "    0.0% Comment (0)\n"
                            "  File Length (Histogram)\n"
                            "  cpp = 3\n"
                            "    0.0% Blank (0)\n"
                            "    100.0% Code (3)\n"
                            "      66.7% Directive (2)\n"
                            "    0.0% Comment (0)\n"
                            "  #if = 1\n"
                            "    100.0% A (1)\n");
}

// A trailing separator on the root would leave it without a name: it is dropped.
TEST(App, ScanJsonHoldsEveryNode)
{
    VarnikTest::TempTree tree;
    tree.File("proj/a.txt", "abc\n").File("proj/src/m.cpp", "int x;\n\n").Folder("proj/empty");

    const Outcome outcome = RunCli({"scan", "--json", tree.Path("proj/")});
    ASSERT_EQ(outcome.mStatus, 0);
    EXPECT_EQ(outcome.mErr, "");
    const Json root = Json::parse(outcome.mOut).at("root");
    EXPECT_EQ(root.at("name"), tree.Path("proj"));
    EXPECT_EQ(root.at("kind"), "folder");
    ASSERT_EQ(root.at("nodes").size(), 3u);
    EXPECT_EQ(root["nodes"][0].at("name"), tree.Path("proj/a.txt"));
    EXPECT_EQ(root["nodes"][0].at("kind"), "file");
    EXPECT_FALSE(root["nodes"][0].contains("nodes"));
    EXPECT_EQ(root["nodes"][1].at("name"), "empty");
    EXPECT_EQ(root["nodes"][1].at("nodes"), Json::array());
    EXPECT_EQ(root["nodes"][2]["nodes"][0].at("name"), tree.Path("proj/src/m.cpp"));
    EXPECT_EQ(root.at("counters")[0], Json::parse(R"({"type": "Count", "name": "File", "count": 2,
        "counters": [{"type": "Count", "name": "txt", "count": 1, "counters": []},
                     {"type": "Count", "name": "cpp", "count": 1, "counters": []}]})"));
    EXPECT_EQ(root.at("counters")[3], Json::parse(R"({"type": "Histogram", "name": "File Length",
        "unitX": "lines", "unitY": "files", "values": [[1, 1], [2, 1]]})"));
}

TEST_F(SearchTree, SearchPrintsTheResultTreeOrNothing)
{
    const Outcome outcome = RunCli({"search", Root(), "x"});
    EXPECT_EQ(outcome.mStatus, 0);
    EXPECT_EQ(outcome.mErr, "");
    EXPECT_EQ(outcome.mOut, "proj/ (5)\n"
                            "  m.cpp (4)\n"
                            "    Line 1 : int x = 1; // x counter\n"
                            "    Line 2 : const char* s = \"x\";\n"
                            "    Line 3 : #define xmax 2\n"
                            "    Line 4 : /* the x */\n"
                            "  notes.txt (1)\n"
                            "    Line 1 : x marks\n");

    const Outcome none = RunCli({"search", Root(), "absent"});
    EXPECT_EQ(none.mStatus, 1);
    EXPECT_EQ(none.mOut, "");
    EXPECT_EQ(none.mErr, "");
}

struct FilterRow
{
    std::vector<std::string> mOptions;
    std::string mText;
    std::vector<std::string> mLines;
};

class SearchFilters : public SearchTree, public testing::WithParamInterface<FilterRow>
{
};

TEST_P(SearchFilters, FindOnlyTheSelectedLines)
{
    std::vector<std::string> args = {"search", "--json"};
    args.insert(args.end(), GetParam().mOptions.begin(), GetParam().mOptions.end());
    args.insert(args.end(), {Root(), GetParam().mText});

    const Outcome outcome = RunCli(args);
    EXPECT_EQ(outcome.mStatus, GetParam().mLines.empty() ? 1 : 0);
    EXPECT_EQ(outcome.mErr, "");
    const Json root = Json::parse(outcome.mOut).at("root");
    EXPECT_EQ(root.is_null(), GetParam().mLines.empty());
    EXPECT_EQ(MatchedLines(root, Root()), GetParam().mLines);
}

// A text file has no zones: any selected zone searches its non-blank lines.
INSTANTIATE_TEST_SUITE_P(
    App, SearchFilters,
    testing::Values(
        FilterRow{{}, "x", {"m.cpp:1", "m.cpp:2", "m.cpp:3", "m.cpp:4", "notes.txt:1"}},
        FilterRow{{}, "absent", {}},
        FilterRow{{"--zones", "code"}, "x", {"m.cpp:1", "notes.txt:1"}},
        FilterRow{{"--zones", "comment"}, "x", {"m.cpp:1", "m.cpp:4", "notes.txt:1"}},
        FilterRow{{"--zones", "directive"}, "x", {"m.cpp:3", "notes.txt:1"}},
        FilterRow{{"--zones", "string"}, "x", {"m.cpp:2", "notes.txt:1"}},
        FilterRow{{"--zones", "code,string"}, "x", {"m.cpp:1", "m.cpp:2", "notes.txt:1"}},
        FilterRow{{"--zones", "none"}, "x", {}},
        FilterRow{{"--jobs", "1", "--zones", "code"}, "x", {"m.cpp:1", "notes.txt:1"}},
        FilterRow{{"--types", "cpp"}, "x", {"m.cpp:1", "m.cpp:2", "m.cpp:3", "m.cpp:4"}},
        FilterRow{{"--types", "txt,h"}, "x", {"notes.txt:1"}}, FilterRow{{}, "X", {"sub/deep.h:1"}},
        FilterRow{{"--ignore-case", "--types", "h,txt"}, "X", {"notes.txt:1", "sub/deep.h:1"}}));

struct ErrorRow
{
    std::vector<std::string> mArgs;
    std::string mMessage;
};

class Errors : public testing::TestWithParam<ErrorRow>
{
};

TEST_P(Errors, PrintOneLineAndNothingElse)
{
    VarnikTest::TempTree tree;
    tree.File("proj/a.txt", "x\n");
    std::vector<std::string> args;
    for (const std::string& arg : GetParam().mArgs)
        args.push_back(arg == "ROOT"   ? tree.Path("proj")
                       : arg == "FILE" ? tree.Path("proj/a.txt")
                                       : arg);

    const Outcome outcome = RunCli(args);
    EXPECT_EQ(outcome.mStatus, 2);
    EXPECT_EQ(outcome.mOut, "");
    EXPECT_EQ(outcome.mErr.rfind("varnik-cli: ", 0), 0u) << outcome.mErr;
    EXPECT_EQ(std::count(outcome.mErr.begin(), outcome.mErr.end(), '\n'), 1) << outcome.mErr;
    EXPECT_NE(outcome.mErr.find(GetParam().mMessage), std::string::npos) << outcome.mErr;
}

INSTANTIATE_TEST_SUITE_P(
    App, Errors,
    testing::Values(ErrorRow{{"scan", "/nonexistent/varnik"}, "not an existing folder"},
                    ErrorRow{{"search", "FILE", "x"}, "not an existing folder"},
                    ErrorRow{{"search", "--zones", "code,strings", "ROOT", "x"}, "strings"},
                    ErrorRow{{"scan", "--fast", "ROOT"}, "--fast"},
                    ErrorRow{{"scan", "--jobs", "0", "ROOT"}, "--jobs"},
                    ErrorRow{{"search", "ROOT"}, "TEXT"}, ErrorRow{{"scan"}, "ROOT"},
                    ErrorRow{{}, "command is required"}, ErrorRow{{"count", "ROOT"}, "count"}));

TEST(App, AFolderThatCannotBeReadIsAnError)
{
    if (VarnikTest::IgnoresPermissions())
        GTEST_SKIP() << "running as root: every folder can be read";
    VarnikTest::TempTree tree;
    tree.Folder("proj").Mode("proj", 0);

    const Outcome outcome = RunCli({"scan", tree.Path("proj")});
    EXPECT_EQ(outcome.mStatus, 2);
    EXPECT_EQ(outcome.mOut, "");
    EXPECT_NE(outcome.mErr.find("Permission denied"), std::string::npos) << outcome.mErr;
}

// JSON gets U+FFFD for bytes outside UTF-8 and keeps line ends; text passes bytes through.
TEST(App, NamesAndLinesOutsideUtf8GiveValidJson)
{
    VarnikTest::TempTree tree;
    tree.File("proj/caf\xE9.txt", "x \xFF\xFE\r\n");

    const Outcome scan = RunCli({"scan", "--json", tree.Path("proj")});
    ASSERT_EQ(scan.mStatus, 0);
    EXPECT_EQ(Json::parse(scan.mOut)["root"]["nodes"][0]["name"],
              tree.Path("proj/caf\xEF\xBF\xBD.txt"));

    const Outcome search = RunCli({"search", "--json", tree.Path("proj"), "x"});
    ASSERT_EQ(search.mStatus, 0);
    const Json file = Json::parse(search.mOut)["root"]["results"][0];
    EXPECT_EQ(file["lines"][0], Json::parse(R"({"line": 1, "text": "x \ufffd\ufffd\r\n"})"));

    const Outcome text = RunCli({"search", tree.Path("proj"), "x"});
    EXPECT_EQ(text.mOut, "proj/ (1)\n  caf\xE9.txt (1)\n    Line 1 : x \xFF\xFE\n");
}

TEST(App, VersionAndHelpGoToTheOutput)
{
    const Outcome version = RunCli({"--version"});
    EXPECT_EQ(version.mStatus, 0);
    EXPECT_EQ(version.mOut, "varnik-cli " VARNIK_VERSION "\n");
    const Outcome help = RunCli({"search", "--help"});
    EXPECT_EQ(help.mStatus, 0);
    EXPECT_NE(help.mOut.find("--zones"), std::string::npos) << help.mOut;
    EXPECT_EQ(help.mErr, "");
}
