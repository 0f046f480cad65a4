// Runs the built varnik-cli on trees made on disk and checks what a user sees: the
// output, the error line and the exit status.

#include "TempTree.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <sys/wait.h>
#include <vector>

using Json = nlohmann::ordered_json;
using VarnikTest::TempTree;

namespace
{

struct Outcome
{
    int mStatus = -1;
    std::string mOut;
    std::string mErr;
    bool operator==(const Outcome&) const = default;
};

// Runs the program through the shell, each argument quoted, its output and errors in files.
Outcome RunCli(const std::vector<std::string>& args)
{
    TempTree capture;
    std::string command = VARNIK_CLI;
    for (const std::string& arg : args)
        command += " '" + std::regex_replace(arg, std::regex("'"), "'\\''") + "'";
    const int status = std::system(
        (command + " >" + capture.Path("out") + " 2>" + capture.Path("err") + " </dev/null")
            .c_str());
    const auto read = [&](const char* name)
    {
        std::ostringstream text;
        text << std::ifstream(capture.Path(name), std::ios::binary).rdbuf();
        return text.str();
    };
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read("out"), read("err")};
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
    for (const Json& line : result.value("lines", Json::array()))
        lines.push_back(result["name"].get<std::string>().substr(root.size() + 1) + ":" +
                        line["line"].dump());
    return lines;
}

} // namespace

TEST(App, ScanPrintsTheCounterTree)
{
    TempTree tree;
    tree.File("proj/a.txt", "abc\n\n  \t\nx\n")
        .File("proj/src/m.cpp", "int x; // c\n#if A\n#endif\n");

    const Outcome outcome = RunCli({"scan", tree.Path("proj")});
    EXPECT_EQ(outcome.mStatus, 0);
    EXPECT_EQ(outcome.mErr, "");
    EXPECT_EQ(outcome.mOut,
              "proj\n"
              "  File = 2\n    50.0% txt (1)\n    50.0% cpp (1)\n"
              "  Line = 7\n    28.6% Blank (2)\n    71.4% Code (5)\n    0.0% Comment (0)\n"
              "  txt = 4\n    50.0% Blank (2)\n    50.0% Code (2)\n    0.0% Comment (0)\n"
              "  File Length (Histogram)\n"
              "  cpp = 3\n    0.0% Blank (0)\n    100.0% Code (3)\n      66.7% Directive (2)\n"
              "    0.0% Comment (0)\n"
              "  #if = 1\n    100.0% A (1)\n");
}

// A trailing separator on the root would leave it without a name: it is dropped. A name
// outside UTF-8 gets U+FFFD so that the output stays valid JSON.
TEST(App, ScanJsonHoldsEveryNode)
{
    TempTree tree;
    tree.File("proj/caf\xE9.txt", "abc\n")
        .File("proj/src/m.cpp", "int x;\n\n")
        .Folder("proj/empty");

    const Outcome outcome = RunCli({"scan", "--json", tree.Path("proj/")});
    ASSERT_EQ(outcome.mStatus, 0);
    EXPECT_EQ(outcome.mErr, "");
    const Json root = Json::parse(outcome.mOut).at("root");
    EXPECT_EQ(root.at("name"), tree.Path("proj"));
    EXPECT_EQ(root.at("kind"), "folder");
    ASSERT_EQ(root.at("nodes").size(), 3u);
    EXPECT_EQ(root["nodes"][0].at("name"), tree.Path("proj/caf\xEF\xBF\xBD.txt"));
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

// Matches for "x" in every zone of a C++ file, in a text file with CRLF line ends and bytes
// outside UTF-8, and, in upper case only, in a header below a sub-folder. A text file has
// no zones: any selected zone searches its non-blank lines.
TEST(App, SearchFindsTheSelectedLines)
{
    TempTree tree;
    tree.File("proj/m.cpp", "int x = 1; // x counter\n"
                            "const char* s = \"x\";\n"
                            "#define xmax 2\n"
                            "/* the x */\n"
                            "int y;\n")
        .File("proj/notes.txt", "x \xFF\xFE\r\nnothing\r\n")
        .File("proj/sub/deep.h", "// X upper\n");
    const std::string root = tree.Path("proj");

    const Outcome text = RunCli({"search", root, "x"});
    EXPECT_EQ(text.mStatus, 0);
    EXPECT_EQ(text.mErr, "");
    EXPECT_EQ(text.mOut, "proj/ (5)\n"
                         "  m.cpp (4)\n"
                         "    Line 1 : int x = 1; // x counter\n"
                         "    Line 2 : const char* s = \"x\";\n"
                         "    Line 3 : #define xmax 2\n"
                         "    Line 4 : /* the x */\n"
                         "  notes.txt (1)\n"
                         "    Line 1 : x \xFF\xFE\n");
    const Outcome json = RunCli({"search", "--json", "--types", "txt", root, "x"});
    EXPECT_EQ(Json::parse(json.mOut)["root"]["results"][0]["lines"][0],
              Json::parse(R"({"line": 1, "text": "x \ufffd\ufffd\r\n"})"));

    const struct
    {
        std::vector<std::string> mOptions;
        std::string mText;
        std::vector<std::string> mLines;
    } rows[] = {
        {{}, "x", {"m.cpp:1", "m.cpp:2", "m.cpp:3", "m.cpp:4", "notes.txt:1"}},
        {{}, "absent", {}},
        {{"--zones", "code"}, "x", {"m.cpp:1", "notes.txt:1"}},
        {{"--zones", "comment"}, "x", {"m.cpp:1", "m.cpp:4", "notes.txt:1"}},
        {{"--zones", "directive"}, "x", {"m.cpp:3", "notes.txt:1"}},
        {{"--zones", "string"}, "x", {"m.cpp:2", "notes.txt:1"}},
        {{"--zones", "code,string"}, "x", {"m.cpp:1", "m.cpp:2", "notes.txt:1"}},
        {{"--zones", "none"}, "x", {}},
        {{"--jobs", "1", "--zones", "code"}, "x", {"m.cpp:1", "notes.txt:1"}},
        {{"--types", "cpp"}, "x", {"m.cpp:1", "m.cpp:2", "m.cpp:3", "m.cpp:4"}},
        {{"--types", "txt,h"}, "x", {"notes.txt:1"}},
        {{}, "X", {"sub/deep.h:1"}},
        {{"--ignore-case", "--types", "h,txt"}, "X", {"notes.txt:1", "sub/deep.h:1"}},
    };
    for (const auto& row : rows)
    {
        std::vector<std::string> args = {"search", "--json"};
        args.insert(args.end(), row.mOptions.begin(), row.mOptions.end());
        args.insert(args.end(), {root, row.mText});
        SCOPED_TRACE(testing::PrintToString(args));
        const Outcome outcome = RunCli(args);
        EXPECT_EQ(outcome.mStatus, row.mLines.empty() ? 1 : 0);
        EXPECT_EQ(outcome.mErr, "");
        const Json result = Json::parse(outcome.mOut).at("root");
        EXPECT_EQ(result.is_null(), row.mLines.empty());
        EXPECT_EQ(MatchedLines(result, root), row.mLines);
    }

    EXPECT_EQ(RunCli({"search", root, "absent"}), (Outcome{1, "", ""}));
}

// ROOT stands for a folder that exists, FILE for a file, LOCKED for a folder no one may read.
TEST(App, ErrorsPrintOneLineAndNothingElse)
{
    TempTree tree;
    tree.File("proj/a.txt", "x\n").Folder("locked").Mode("locked", 0);
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"scan", "/nonexistent/varnik"}, "not an existing folder"},
        {{"search", "FILE", "x"}, "not an existing folder"},
        {{"search", "--zones", "code,strings", "ROOT", "x"}, "strings"},
        {{"scan", "--fast", "ROOT"}, "--fast"},
        {{"scan", "--jobs", "0", "ROOT"}, "--jobs"},
        {{"search", "ROOT"}, "TEXT"},
        {{"scan"}, "ROOT"},
        {{}, "command is required"},
        {{"count", "ROOT"}, "count"},
        {{"scan", "LOCKED"}, "Permission denied"}};
    for (const auto& [words, message] : rows)
    {
        std::vector<std::string> args;
        for (const std::string& arg : words)
            args.push_back(arg == "ROOT"     ? tree.Path("proj")
                           : arg == "FILE"   ? tree.Path("proj/a.txt")
                           : arg == "LOCKED" ? tree.Path("locked")
                                             : arg);
        if (!words.empty() && words.back() == "LOCKED" && VarnikTest::IgnoresPermissions())
            continue; // root may read every folder
        SCOPED_TRACE(testing::PrintToString(args));
        const Outcome outcome = RunCli(args);
        EXPECT_EQ(outcome.mStatus, 2);
        EXPECT_EQ(outcome.mOut, "");
        EXPECT_EQ(outcome.mErr.rfind("varnik-cli: ", 0), 0u) << outcome.mErr;
        EXPECT_EQ(std::count(outcome.mErr.begin(), outcome.mErr.end(), '\n'), 1) << outcome.mErr;
        EXPECT_NE(outcome.mErr.find(message), std::string::npos) << outcome.mErr;
    }
}

TEST(App, VersionAndHelpGoToTheOutput)
{
    EXPECT_EQ(RunCli({"--version"}), (Outcome{0, "varnik-cli " VARNIK_VERSION "\n", ""}));
    const Outcome help = RunCli({"search", "--help"});
    EXPECT_EQ(help.mStatus, 0);
    EXPECT_NE(help.mOut.find("--zones"), std::string::npos) << help.mOut;
    EXPECT_EQ(help.mErr, "");
}
