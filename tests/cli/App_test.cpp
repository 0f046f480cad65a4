// Runs the built varnik-cli on trees made on disk and checks what a user sees: the
// output, the error line and the exit status.

#include "TempTree.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <fstream>
#include <pty.h>
#include <regex>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using Json = nlohmann::ordered_json;
using namespace std::string_literals;
using VarnikTest::TempTree;

namespace
{

struct Outcome
{
    int mStatus = -1;
    std::string mOut;
    std::string mErr;
    bool operator==(const Outcome&) const = default;
    friend void PrintTo(const Outcome& outcome, std::ostream* out)
    {
        *out << outcome.mStatus << ", " << testing::PrintToString(outcome.mOut) << ", "
             << testing::PrintToString(outcome.mErr);
    }
};

struct Row
{
    std::vector<std::string> mArgs;
    int mStatus;
    std::string mOut;
};

// Runs the program through the shell in `dir`, each argument quoted, its output and
// errors in files. The output goes to `outPath` instead when one is given, and is then
// not read back.
Outcome RunIn(const std::string& dir, const std::vector<std::string>& args,
              const std::string& outPath = "")
{
    TempTree capture;
    std::string command = "cd '" + dir + "' && " VARNIK_CLI;
    for (const std::string& arg : args)
        command += " '" + std::regex_replace(arg, std::regex("'"), "'\\''") + "'";
    const int status =
        std::system((command + " >" + (outPath.empty() ? capture.Path("out") : outPath) + " 2>" +
                     capture.Path("err") + " </dev/null")
                        .c_str());
    const auto read = [](const std::string& path)
    {
        std::ostringstream text;
        text << std::ifstream(path, std::ios::binary).rdbuf();
        return text.str();
    };
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
            outPath.empty() ? read(capture.Path("out")) : "", read(capture.Path("err"))};
}

// Runs each row in `dir` and compares the status and the output; nothing goes to errors.
void ExpectRows(const std::string& dir, const std::vector<Row>& rows)
{
    for (const Row& row : rows)
    {
        SCOPED_TRACE(testing::PrintToString(row.mArgs));
        EXPECT_EQ(RunIn(dir, row.mArgs), (Outcome{row.mStatus, row.mOut, ""}));
    }
}

// Runs the program with its output on a pseudo-terminal and returns what it showed. The
// terminal is an xterm, with NO_COLOR unset, unless `environment` says otherwise.
std::string RunOnTerminal(const std::vector<std::string>& args,
                          const std::vector<std::pair<const char*, const char*>>& environment = {})
{
    int master = -1;
    const pid_t child = forkpty(&master, nullptr, nullptr, nullptr);
    if (child == 0)
    {
        setenv("TERM", "xterm", 1);
        unsetenv("NO_COLOR");
        for (const auto& [name, value] : environment)
            setenv(name, value, 1);
        std::vector<char*> argv = {const_cast<char*>(VARNIK_CLI)};
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(VARNIK_CLI, argv.data());
        _exit(127);
    }
    std::string shown;
    char buffer[4096];
    for (ssize_t got; (got = read(master, buffer, sizeof buffer)) > 0;)
        shown.append(buffer, got);
    close(master);
    waitpid(child, nullptr, 0);
    return shown;
}

// "path:line" for each line of flat search output, the path below "proj/".
std::vector<std::string> MatchedLines(const std::string& flat)
{
    std::vector<std::string> lines;
    std::istringstream in(flat);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.substr(5, line.find(':', line.find(':') + 1) - 5));
    return lines;
}

// A small C++ project: a text file, two sources with "#if" tests, a header one level down.
void MakeProject(TempTree& tree, const std::string& root)
{
    tree.File(root + "/a.txt", "abc\n\n  \t\nx\n")
        .File(root + "/src/m.cpp", "int x; // c\n#if A\n#endif\n#ifdef B\n#endif\n#if A\n#endif\n")
        .File(root + "/src/lib/d.h", "/* x */\n#ifndef A\n#endif\n");
}

} // namespace

// A trailing separator on the root would leave it without a name: it is dropped. A name
// outside UTF-8 gets U+FFFD so that the output stays valid JSON, and its exact bytes in hex
// beside. The header says how the scan was made.
TEST(App, ScanJsonHoldsEveryNode)
{
    TempTree tree;
    tree.File("proj/caf\xE9.txt", "abc\n")
        .File("proj/q\"\\\x01\t.txt", "x\n")
        .File("proj/src/m.cpp", "int x;\n\n")
        .Folder("proj/empty");

    const Outcome outcome =
        RunIn(".", {"scan", "--json", "--common-types", "--exclude", "x", tree.Path("proj/")});
    ASSERT_EQ(outcome.mStatus, 0);
    EXPECT_EQ(outcome.mErr, "");
    EXPECT_EQ(Json::parse(outcome.mOut).at("header"),
              Json({{"version", VARNIK_VERSION},
                    {"kind", "scan"},
                    {"root", tree.Path("proj")},
                    {"mode", "options"},
                    {"options", {"--common-types", "--exclude=x"}}}));
    const Json root = Json::parse(outcome.mOut).at("root");
    EXPECT_EQ(root.at("name"), tree.Path("proj"));
    ASSERT_EQ(root.at("nodes").size(), 4u);
    EXPECT_EQ(root["nodes"][0].at("name"), tree.Path("proj/caf\xEF\xBF\xBD.txt"));
    EXPECT_TRUE(root["nodes"][0].at("nameHex").get<std::string>().ends_with("2f636166e92e747874"));
    EXPECT_EQ(root["nodes"][1], Json::parse(R"({"name": "empty", "kind": "folder",
        "counters": [], "nodes": []})"));
    EXPECT_EQ(root["nodes"][3]["nodes"][0].at("name"), tree.Path("proj/src/m.cpp"));
    EXPECT_EQ(root.at("counters")[0], Json::parse(R"({"type": "Count", "name": "File", "count": 3,
        "counters": [{"type": "Count", "name": "txt", "count": 2, "counters": []},
                     {"type": "Count", "name": "cpp", "count": 1, "counters": []}]})"));
    EXPECT_EQ(root.at("counters")[3], Json::parse(R"({"type": "Histogram", "name": "File Length",
        "unitX": "lines", "unitY": "files", "values": [[1, 2], [2, 1]]})"));
}

// The counter tree, tables and the census in every format.
TEST(App, ScanPrintsEveryForm)
{
    TempTree tree;
    MakeProject(tree, "proj");
    const std::string head = "type   files  lines  blank  code  comment  directive  errors\n";
    ExpectRows(
        tree.Root(),
        {{{"scan", "proj"},
          0,
          "proj\n  File = 3\n    33.3% txt (1)\n    33.3% h (1)\n    33.3% cpp (1)\n"
          "  Line = 14\n    14.3% Blank (2)\n    78.6% Code (11)\n    7.1% Comment (1)\n"
          "  txt = 4\n    50.0% Blank (2)\n    50.0% Code (2)\n    0.0% Comment (0)\n"
          "  File Length (Histogram)\n  h = 3\n    0.0% Blank (0)\n    66.7% Code (2)\n"
          "      100.0% Directive (2)\n    33.3% Comment (1)\n  #if = 4\n    75.0% A (3)\n"
          "    25.0% B (1)\n  cpp = 7\n    0.0% Blank (0)\n    100.0% Code (7)\n"
          "      85.7% Directive (6)\n    0.0% Comment (0)\n"},
         {{"scan", "--table", "types", "proj"},
          0,
          head + "txt        1      4      2     2        0          0       0\n"
                 "h          1      3      0     2        1          2       0\n"
                 "cpp        1      7      0     7        0          6       0\n"
                 "total      3     14      2    11        1          8       0\n"},
         {{"scan", "--table", "types", "--format", "csv", "--sort", "comment", "--top", "2",
           "proj"},
          0,
          "type,files,lines,blank,code,comment,directive,errors\nh,1,3,0,2,1,2,0\ntxt,1,4,2,2,0,0,"
          "0\n"},
         {{"scan", "--table", "files", "--format", "tsv", "--sort", "file", "proj"},
          0,
          "file\ttype\tlines\tblank\tcode\tcomment\tdirective\terrors\n"
          "a.txt\ttxt\t4\t2\t2\t0\t0\t0\nsrc/lib/d.h\th\t3\t0\t2\t1\t2\t0\n"
          "src/m.cpp\tcpp\t7\t0\t7\t0\t6\t0\n"},
         {{"scan", "--table", "folders", "--depth", "1", "--format", "md", "proj"},
          0,
          "| folder | files | lines | blank | code | comment | directive | errors |\n"
          "| --- | --: | --: | --: | --: | --: | --: | --: |\n"
          "| . | 3 | 14 | 2 | 11 | 1 | 8 | 0 |\n| src | 2 | 10 | 0 | 9 | 1 | 8 | 0 |\n"},
         {{"scan", "--census", "proj"},
          0,
          "name  count   share\nA         3  75.00%\nB         1  25.00%\n"},
         {{"scan", "--census", "--min-count", "2", "--format", "csv", "proj"},
          0,
          "name,count,share\nA,3,75.00\n"},
         {{"scan", "--census", "--sort", "name", "--top", "1", "--format", "json", "proj"},
          0,
          "[{\"name\":\"A\",\"count\":3,\"share\":75.0}]\n"}});
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
    ExpectRows(tree.Root(), {{{"search", "proj", "x"},
                              0,
                              "proj/ (5)\n"
                              "  m.cpp (4)\n"
                              "    Line 1 : int x = 1; // x counter\n"
                              "    Line 2 : const char* s = \"x\";\n"
                              "    Line 3 : #define xmax 2\n"
                              "    Line 4 : /* the x */\n"
                              "  notes.txt (1)\n"
                              "    Line 1 : x \xFF\xFE\n"},
                             {{"search", "-l", "--ignore-case", "proj", "X"},
                              0,
                              "proj/m.cpp\nproj/notes.txt\nproj/sub/deep.h\n"},
                             {{"search", "-c", "proj", "x"}, 0, "proj/m.cpp:4\nproj/notes.txt:1\n"},
                             {{"search", "--flat", "--color", "always", "proj", "X"},
                              0,
                              "proj/sub/deep.h:1:// \x1b[1;31mX\x1b[0m upper\n"},
                             {{"search", "--flat", "-A", "1", "--types", "cpp", "proj", "x"},
                              0,
                              "proj/m.cpp:1:int x = 1; // x counter\n"
                              "proj/m.cpp:2:const char* s = \"x\";\n"
                              "proj/m.cpp:3:#define xmax 2\n"
                              "proj/m.cpp:4:/* the x */\n"
                              "proj/m.cpp-5-int y;\n"},
                             {{"search", "-c", "proj", "absent"}, 1, ""},
                             {{"search", "--json", "proj", "absent"}, 1, "{\"root\":null}\n"}});
    ExpectRows(tree.Root(), {{{"search", "-l", "--null", "-i", "proj", "X"},
                              0,
                              "proj/m.cpp\0proj/notes.txt\0proj/sub/deep.h\0"s},
                             {{"search", "--flat", "-C", "1", "-A", "2", "-e", "^#|g\r$", "proj"},
                              0,
                              "proj/m.cpp-2-const char* s = \"x\";\n"
                              "proj/m.cpp:3:#define xmax 2\n"
                              "proj/m.cpp-4-/* the x */\n"
                              "proj/m.cpp-5-int y;\n"
                              "--\n"
                              "proj/notes.txt-1-x \xFF\xFE\n"
                              "proj/notes.txt:2:nothing\n"}});
    const Outcome json = RunIn(tree.Root(), {"search", "--json", "--types", "txt", "proj", "x"});
    EXPECT_EQ(Json::parse(json.mOut).dump() + "\n", json.mOut);
    EXPECT_EQ(Json::parse(json.mOut)["root"]["results"][0]["lines"][0],
              Json::parse(R"({"line": 1, "text": "x \ufffd\ufffd\r\n"})"));

    const struct
    {
        std::vector<std::string> mOptions;
        std::string mText;
        std::vector<std::string> mLines;
    } rows[] = {
        {{}, "x", {"m.cpp:1", "m.cpp:2", "m.cpp:3", "m.cpp:4", "notes.txt:1"}},
        {{"--zones", "code"}, "x", {"m.cpp:1", "notes.txt:1"}},
        {{"--zones", "comment"}, "x", {"m.cpp:1", "m.cpp:4", "notes.txt:1"}},
        {{"--zones", "directive"}, "x", {"m.cpp:3", "notes.txt:1"}},
        {{"--zones", "string"}, "x", {"m.cpp:2", "notes.txt:1"}},
        {{"--zones", "code,string"}, "x", {"m.cpp:1", "m.cpp:2", "notes.txt:1"}},
        {{"--zones", "none"}, "x", {}},
        {{"--jobs", "1", "--zones", "code"}, "x", {"m.cpp:1", "notes.txt:1"}},
        {{"--types", "cpp"}, "x", {"m.cpp:1", "m.cpp:2", "m.cpp:3", "m.cpp:4"}},
        {{"--types", "txt,h"}, "x", {"notes.txt:1"}},
        {{"--ignore-case", "--types", "h,txt"}, "X", {"notes.txt:1", "sub/deep.h:1"}},
        {{"-w"}, "x", {"m.cpp:1", "m.cpp:2", "m.cpp:4", "notes.txt:1"}},
        {{"-w", "-i", "--zones", "comment"},
         "x",
         {"m.cpp:1", "m.cpp:4", "notes.txt:1", "sub/deep.h:1"}},
        {{"-m", "1"}, "x", {"m.cpp:1", "notes.txt:1"}},
        {{"-e", "^x"}, "", {"notes.txt:1"}},
        {{"--zones", "string", "-e", "x\""}, "", {"m.cpp:2"}},
        {{"-w", "-e", "x|xmax"}, "", {"m.cpp:1", "m.cpp:2", "m.cpp:3", "m.cpp:4", "notes.txt:1"}},
        {{"-i", "-e", "^// x", "-m", "1"}, "", {"sub/deep.h:1"}},
        {{"-i", "-g", "*.h", "-g", "*.txt"}, "x", {"notes.txt:1", "sub/deep.h:1"}},
        {{"-i", "-g", "!*.h", "-g", "sub/*"}, "x", {"sub/deep.h:1"}},
        {{"-g", "!*.txt", "-g", "!sub/*"}, "x", {"m.cpp:1", "m.cpp:2", "m.cpp:3", "m.cpp:4"}},
    };
    for (const auto& row : rows)
    {
        std::vector<std::string> args = {"search", "--flat"};
        args.insert(args.end(), row.mOptions.begin(), row.mOptions.end());
        args.push_back("proj");
        if (!row.mText.empty()) // else the options hold a pattern
            args.push_back(row.mText);
        SCOPED_TRACE(testing::PrintToString(args));
        const Outcome outcome = RunIn(tree.Root(), args);
        EXPECT_EQ(outcome.mStatus, row.mLines.empty() ? 1 : 0);
        EXPECT_EQ(outcome.mErr, "");
        EXPECT_EQ(MatchedLines(outcome.mOut), row.mLines);
    }
}

// --color marks exactly the spans that matched: in the chosen zones only, as case, whole
// words and expressions find them, by each kind of parser (a C++ machine, a text file,
// the language table). "[" and "]" stand for the colour's start and end; lines around a
// match, shown for context, are never coloured.
TEST(App, SearchColoursTheSpansThatMatched)
{
    TempTree tree;
    tree.File("proj/m.cpp", "foo(); // foo\n"
                            "foobar foo; /* Foo */\n"
                            "const char* s = \"x1\"; int x2;\n")
        .File("proj/notes.txt", "ab ab\n")
        .File("proj/s.py", "x = 1  # x\n");
    const auto marked = [](const std::string& text)
    {
        std::string colored;
        for (const char c : text)
            colored += c == '[' ? "\x1b[1;31m" : c == ']' ? "\x1b[0m" : std::string(1, c);
        return colored;
    };
    const struct
    {
        std::vector<std::string> mArgs;
        std::string mOut;
    } rows[] = {
        {{"--flat", "--zones", "comment", "--types", "cpp", "proj", "foo"},
         "proj/m.cpp:1:foo(); // [foo]\n"},
        {{"--flat", "--zones", "code", "--types", "cpp", "proj", "foo"},
         "proj/m.cpp:1:[foo](); // foo\nproj/m.cpp:2:[foo]bar [foo]; /* Foo */\n"},
        {{"--flat", "-i", "--zones", "comment", "--types", "cpp", "proj", "foo"},
         "proj/m.cpp:1:foo(); // [foo]\nproj/m.cpp:2:foobar foo; /* [Foo] */\n"},
        {{"--flat", "-w", "--types", "cpp", "proj", "foo"},
         "proj/m.cpp:1:[foo](); // [foo]\nproj/m.cpp:2:foobar [foo]; /* Foo */\n"},
        {{"--flat", "--zones", "string", "--types", "cpp", "-e", "x[0-9]", "proj"},
         "proj/m.cpp:3:const char* s = \"[x1]\"; int x2;\n"},
        {{"--flat", "--types", "txt", "-e", "^|b", "proj"}, "proj/notes.txt:1:a[b] a[b]\n"},
        {{"--flat", "--languages", "--zones", "comment", "-g", "*.py", "proj", "x"},
         "proj/s.py:1:x = 1  # [x]\n"},
        {{"--flat", "-C", "1", "--zones", "comment", "--types", "cpp", "proj", "foo"},
         "proj/m.cpp:1:foo(); // [foo]\nproj/m.cpp-2-foobar foo; /* Foo */\n"},
        {{"-i", "--zones", "comment", "--types", "cpp", "proj", "FOO"},
         "proj/ (2)\n  m.cpp (2)\n    Line 1 : foo(); // [foo]\n"
         "    Line 2 : foobar foo; /* [Foo] */\n"},
    };
    for (const auto& row : rows)
    {
        std::vector<std::string> args = {"search", "--color", "always"};
        args.insert(args.end(), row.mArgs.begin(), row.mArgs.end());
        SCOPED_TRACE(testing::PrintToString(args));
        EXPECT_EQ(RunIn(tree.Root(), args), (Outcome{0, marked(row.mOut), ""}));
    }
}

// Scans compared as folders and as files of scan --json: a project with a file removed, a
// folder added and the "#if" names changed, a line moved between files, a file renamed.
TEST(App, DiffListsWhatChanged)
{
    TempTree tree;
    MakeProject(tree, "old");
    MakeProject(tree, "new");
    tree.File("new/src/lib/d.h", "/* x */\n#ifndef C\n#endif\n").File("new/doc/n.txt", "n\n");
    std::remove(tree.Path("new/a.txt").c_str());
    tree.File("moved1/a.txt", "x\ny\n").File("moved1/b.txt", "z\n");
    tree.File("moved2/a.txt", "x\n").File("moved2/b.txt", "z\ny\n");
    tree.File("renamed1/old.c", "x;\n").File("renamed2/new.c", "x;\n");
    ASSERT_EQ(RunIn(tree.Root(), {"scan", "--json", "old"}, tree.Path("old.json")).mStatus, 0);
    ASSERT_EQ(RunIn(tree.Root(), {"scan", "--json", "new"}, tree.Path("new.json")).mStatus, 0);
    const std::string files = "- a.txt Line 4 -> 0\n+ doc/n.txt Line 0 -> 1\n"
                              "~ src/lib/d.h #if/A 1 -> 0\n~ src/lib/d.h #if/C 0 -> 1\n";
    const std::string folders = ".\n  Line 14 -> 11 (-3)\n  Line/Blank 2 -> 0 (-2)\n"
                                "  Line/Code 11 -> 10 (-1)\n  txt 4 -> 1 (-3)\n"
                                "  txt/Blank 2 -> 0 (-2)\n  txt/Code 2 -> 1 (-1)\n"
                                "  #if/A 3 -> 2 (-1)\n  + #if C\n  + doc/\n  - a.txt\n"
                                "src\n  #if/A 3 -> 2 (-1)\n  + #if C\n"
                                "src/lib\n  + #if C\n  - #if A\n";
    ExpectRows(
        tree.Root(),
        {{{"diff", "old", "new"}, 1, files},
         {{"diff", "old.json", "new.json"}, 1, files},
         {{"diff", "old", "new.json"}, 1, files},
         {{"diff", "old.json", "new"}, 1, files},
         {{"diff", "--folders", "old.json", "new"}, 1, folders},
         {{"diff", "--format", "csv", "new", "old"},
          1,
          "change,file,counter,old,new\n+,a.txt,Line,0,4\n-,doc/n.txt,Line,1,0\n"
          "~,src/lib/d.h,#if/C,1,0\n~,src/lib/d.h,#if/A,0,1\n"},
         {{"diff", "old.json", "old"}, 0, ""},
         {{"diff", "--folders", "new", "new.json"}, 0, ""},
         {{"diff", "moved1", "moved2"},
          1,
          "~ a.txt Line 2 -> 1\n~ a.txt Line/Code 2 -> 1\n~ a.txt txt 2 -> 1\n"
          "~ a.txt txt/Code 2 -> 1\n~ b.txt Line 1 -> 2\n~ b.txt Line/Code 1 -> 2\n"
          "~ b.txt txt 1 -> 2\n~ b.txt txt/Code 1 -> 2\n"},
         {{"diff", "renamed1", "renamed2"}, 1, "+ new.c Line 0 -> 1\n- old.c Line 1 -> 0\n"}});
    const Json json =
        Json::parse(RunIn(tree.Root(), {"diff", "--folders", "--json", "old", "new.json"}).mOut);
    EXPECT_EQ(json.at("changed"), true);
    EXPECT_EQ(json.at("folders")[2].dump(),
              R"({"name":"src/lib","counters":[],"appeared":["C"],"vanished":["A"],"added":[],)"
              R"("removed":[]})");
    const Outcome mixed = RunIn(tree.Root(), {"diff", "--common-types", "old.json", "old"});
    EXPECT_EQ(mixed.mErr, "varnik-cli: warning: the scans were made with different options: "
                          "classic and options --common-types\n");
}

// Merges of three scans in any grouping write the same bytes, and a merged tree compares
// with its scan as it is.
TEST(App, MergeIsAssociative)
{
    TempTree tree;
    MakeProject(tree, "a");
    tree.File("b/n.txt", "x\n\n").File("c/x/h.h", "#if Q\n#endif\n");
    for (const char* name : {"a", "b", "c"})
        ASSERT_EQ(
            RunIn(tree.Root(), {"scan", "--json", name}, tree.Path(name + std::string(".json")))
                .mStatus,
            0);
    const auto merge = [&tree](const std::vector<std::string>& scans, const std::string& out)
    {
        std::vector<std::string> args = {"merge", "--json"};
        args.insert(args.end(), scans.begin(), scans.end());
        EXPECT_EQ(RunIn(tree.Root(), args, tree.Path(out)), (Outcome{0, "", ""}));
    };
    merge({"a.json", "b.json", "c.json"}, "abc.json");
    merge({"a.json", "b.json"}, "ab.json");
    merge({"b.json", "c.json"}, "bc.json");
    merge({"ab.json", "c.json"}, "ab_c.json");
    merge({"a.json", "bc.json"}, "a_bc.json");
    const auto read = [&tree](const char* name)
    {
        std::ostringstream text;
        text << std::ifstream(tree.Path(name)).rdbuf();
        return text.str();
    };
    EXPECT_EQ(read("ab_c.json"), read("abc.json"));
    EXPECT_EQ(read("a_bc.json"), read("abc.json"));
    ExpectRows(tree.Root(),
               {{{"merge", "b.json", "renamed=c.json"},
                 0,
                 ".\n  File = 2\n    50.0% txt (1)\n    50.0% h (1)\n  Line = 4\n"
                 "    25.0% Blank (1)\n    75.0% Code (3)\n    0.0% Comment (0)\n"
                 "  txt = 2\n    50.0% Blank (1)\n    50.0% Code (1)\n    0.0% Comment (0)\n"
                 "  File Length (Histogram)\n  h = 2\n    0.0% Blank (0)\n    100.0% Code (2)\n"
                 "      100.0% Directive (2)\n    0.0% Comment (0)\n  #if = 1\n    100.0% Q (1)\n"},
                {{"diff", "abc.json", "a_bc.json"}, 0, ""},
                {{"diff", "ab.json", "abc.json"}, 1, "+ c/x/h.h Line 0 -> 2\n"}});
    const Outcome twice = RunIn(tree.Root(), {"merge", "a.json", "a.json"});
    EXPECT_EQ(twice.mStatus, 2);
    EXPECT_EQ(twice.mErr,
              "varnik-cli: a.json: a second tree named \"a\"; name it as NAME=a.json\n");
}

// Any mix of files and folders, each a pass of its own in the order given. A file named
// as a root is read even where an ignore file would leave it out, and several roots write
// what merge writes of their scans.
TEST(App, ScansAndSearchesSeveralRoots)
{
    TempTree tree;
    MakeProject(tree, "a");
    tree.File("b/.gitignore", "*.txt\n").File("b/n.txt", "x\n\n").File("b/m.c", "x;\n");
    tree.File("b/data.qqq", "x\n");
    const std::string totals = "  File = 6\n    16.7% txt (1)\n    16.7% h (1)\n";
    ExpectRows(tree.Root(),
               {{{"search", "-c", "b/n.txt", "a", "x"},
                 0,
                 "b/n.txt:1\na/a.txt:1\na/src/lib/d.h:1\na/src/m.cpp:1\n"},
                {{"search", "-l", "-e", "x;", "b", "a/src/m.cpp"}, 0, "b/m.c\na/src/m.cpp\n"},
                {{"search", "b/n.txt", "b/m.c", "x"},
                 0,
                 "./ (2)\n  n.txt/ (1)\n    n.txt (1)\n      Line 1 : x\n"
                 "  m.c/ (1)\n    m.c (1)\n      Line 1 : x;\n"},
                {{"scan", "--languages", "--table", "unknown", "a/src", tree.Path("b")},
                 0,
                 "name   files  bytes\n"
                 ".qqq       1      2\n"
                 "total      1      2\n"},
                {{"scan", "--table", "files", "a/src/lib/d.h"},
                 0,
                 "file   type  lines  blank  code  comment  directive  errors\n"
                 "d.h    h         3      0     2        1          2       0\n"
                 "total            3      0     2        1          2       0\n"},
                {{"scan", "--table", "folders", "--depth", "2", "a/src", "b/n.txt"},
                 0,
                 "folder     files  lines  blank  code  comment  directive  errors\n"
                 ".              3     12      1    10        1          8       0\n"
                 "a/src          2     10      0     9        1          8       0\n"
                 "a/src/lib      1      3      0     2        1          2       0\n"
                 "b/n.txt        1      2      1     1        0          0       0\n"}});
    for (const char* name : {"a", "b"})
        ASSERT_EQ(
            RunIn(tree.Root(), {"scan", "--json", name}, tree.Path(name + std::string(".json")))
                .mStatus,
            0);
    EXPECT_EQ(RunIn(tree.Root(), {"scan", "--json", "a", "b"}),
              RunIn(tree.Root(), {"merge", "--json", "a.json", "b.json"}));
    EXPECT_EQ(RunIn(tree.Root(), {"scan", "a", "b"}).mOut.substr(0, 2 + totals.size()),
              ".\n" + totals);
}

// Files that scan --json never writes are refused whole, with the place of the fault.
TEST(App, DiffRefusesWhatScanNeverWrites)
{
    const std::string file = R"({"root":{"name":"r","kind":"folder","counters":[],"nodes":[)"
                             R"({"name":"r/a","kind":"file","counters":[)";
    const auto count = [&file](const std::string& value) {
        return file + R"({"type":"Count","name":"Line","count":)" + value +
               R"(,"counters":[]}]}]}})";
    };
    std::string deep = file;
    for (int i = 0; i < 60000; ++i)
        deep += R"({"type":"Count","name":"x","count":1,"counters":[)";
    const std::pair<std::string, std::string> rows[] = {
        {count("1.9"), "at root.nodes[0].counters[0].count (byte 137): expected a whole number "
                       "from 0 to 18446744073709551615, found 1.9"},
        {count("true"), "found true"},
        {count("-1"), "found -1"},
        {count("1e10"), "found 1e+10"},
        {count("18446744073709551616"), "found 18446744073709551616"},
        {count("\"1\""), "found a string"},
        {deep, "counters nest deeper than 8 levels"},
        {file + "{}]}]}}", "\"type\" missing"},
        {R"({"root":{"name":"r","kind":"folder","counters":{}}})", "expected an array"},
        {R"({"root":{"name":"r","kind":"link","counters":[]}})", "unknown kind \"link\""},
        {R"({"root":{"name":"r","kind":"file","counters":[]}})", "the root is not a folder"},
        {R"({"root":{"name":"r","kind":"folder","counters":[],"nodes":[)"
         R"({"name":"r/a","kind":"file","counters":[]},{"name":"r/a","kind":"file","counters":[]}]}})",
         "two nodes named \"a\" in one folder"},
        {R"({"root":{"name":"r","kind":"folder","counters":[],"nodes":[)"
         R"({"name":"r/a\u0000b","kind":"file","counters":[]}]}})",
         "NUL"},
        {R"({"root":{"name":"r\udc00","kind":"folder","counters":[]}})", "a lone surrogate"},
        {R"({"root":{"name":"r","kind":"folder","counters":[],"nodes":[)"
         R"({"name":"elsewhere/a","kind":"file","counters":[]}]}})",
         "\"elsewhere/a\" is not a name in the folder \".\""},
        // Below a root that ends with a separator, as "/" does, a file's path holds two.
        {R"({"root":{"name":"r/","kind":"folder","counters":[],"nodes":[)"
         R"({"name":"r/a","kind":"file","counters":[]}]}})",
         "\"r/a\" is not a name in the folder \".\""},
        {R"({"root":{"name":"r","kind":"folder","counters":[],"nodes":[]},"root":{}})",
         "a second \"root\""},
        {R"({"header":{"version":"1"},"root":{}})", "the header lacks \"kind\""},
        {R"({"root":{"name":"r","kind":"folder","counters":[],"nodes":[]}} x)",
         "at the end (byte 63): The document root must not be followed"},
    };
    TempTree tree;
    for (const auto& [json, message] : rows)
    {
        SCOPED_TRACE(json.substr(0, 200));
        tree.File("bad.json", json);
        const Outcome outcome = RunIn(tree.Root(), {"diff", "bad.json", "bad.json"});
        EXPECT_EQ(outcome.mStatus, 2);
        EXPECT_EQ(outcome.mOut, "");
        EXPECT_NE(outcome.mErr.find("varnik-cli: bad.json: not a scan written by scan --json: at "),
                  std::string::npos);
        EXPECT_NE(outcome.mErr.find(message), std::string::npos) << outcome.mErr;
    }
}

// On a terminal, control characters from the tree are shown escaped and matches coloured.
TEST(App, TerminalOutputIsEscaped)
{
    TempTree tree;
    tree.File("proj/bell\x07\x1b[2J.txt", "x\x1b]0;title\x07\r\n");
    const std::string scan = RunOnTerminal({"scan", "--table", "files", tree.Path("proj")});
    EXPECT_NE(scan.find("bell\\x07\\x1b[2J.txt"), std::string::npos) << scan;
    EXPECT_EQ(scan.find('\x1b'), std::string::npos) << scan;
    const std::string search = RunOnTerminal({"search", "--flat", tree.Path("proj"), "x"});
    EXPECT_NE(search.find(":1:\x1b[1;31mx\x1b[0m\\x1b]0;title\\x07\r\n"), std::string::npos)
        << search;
    for (const auto& plain : {std::pair{"NO_COLOR", "1"}, std::pair{"TERM", "dumb"}})
        EXPECT_NE(RunOnTerminal({"search", "--flat", tree.Path("proj"), "x"}, {plain})
                      .find(":1:x\\x1b]0;title"),
                  std::string::npos)
            << plain.first;
}

// "locked" is a folder that no one may read.
TEST(App, ErrorsPrintOneLineAndNothingElse)
{
    TempTree tree;
    tree.File("proj/a.txt", "x\n").Folder("locked").Mode("locked", 0);
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"scan", "/nonexistent/varnik"}, "not an existing file or folder"},
        {{"search", "proj", "absent", "x"}, "absent: not an existing file or folder"},
        {{"search", "--zones", "code,strings", "proj", "x"}, "strings"},
        {{"search", "--zones", "code,none", "proj", "x"}, "\"none\" cannot be combined"},
        {{"search", "--types", "C", "proj", "x"}, "unknown file type \"C\" (known: c, cmd, cpp,"},
        {{"search", "--types", "", "proj", "x"}, "unknown file type \"\""},
        {{"search", "--null", "proj", "x"}, "--null needs --flat, -l or -c"},
        {{"search", "-e", "(a", "proj"}, "bad regular expression: missing ): (a"},
        {{"search", "proj"}, "put -- before a text that begins with \"-\""},
        {{"search", "proj", "-x"}, "put -- before a text that begins with \"-\""},
        {{"scan", "--count-as", "cc", "proj"}, "EXT:TYPE"},
        {{"scan", "--count-as", "cc:cobol", "proj"}, "unknown file type \"cobol\""},
        {{"scan", "--sort", "code", "proj"}, "--sort needs --table or --census"},
        {{"scan", "--table", "types", "--sort", "size", "proj"}, "columns: type, files,"},
        {{"scan", "--table", "types", "--depth", "1", "proj"}, "--depth needs --table folders"},
        {{"scan", "--table", "folders", "--depth", "-1", "proj"}, "at least 0, not \"-1\""},
        {{"scna", "proj"}, "unknown command \"scna\" (did you mean scan?)"},
        {{"search", "--zone", "code", "proj", "x"}, "\"--zone\" (did you mean --zones?)"},
        {{"diff", "proj", "proj/a.txt"}, "not a scan written by scan --json"},
        {{"scan"}, "ROOT is required"},
        {{}, "command is required"},
        {{"scan", "locked"}, "Permission denied"}};
    for (const auto& [args, message] : rows)
    {
        if (!args.empty() && args.back() == "locked" && VarnikTest::IgnoresPermissions())
            continue; // root may read every folder
        SCOPED_TRACE(testing::PrintToString(args));
        const Outcome outcome = RunIn(tree.Root(), args);
        EXPECT_EQ(outcome.mStatus, 2);
        EXPECT_EQ(outcome.mOut, "");
        EXPECT_EQ(outcome.mErr.rfind("varnik-cli: ", 0), 0u) << outcome.mErr;
        EXPECT_EQ(std::count(outcome.mErr.begin(), outcome.mErr.end(), '\n'), 1) << outcome.mErr;
        EXPECT_NE(outcome.mErr.find(message), std::string::npos) << outcome.mErr;
    }
    const Outcome all = RunIn(tree.Root(), {"scan", "."}); // an unreadable folder is no error
    EXPECT_EQ(all.mStatus, 0);
    EXPECT_EQ(all.mErr, VarnikTest::IgnoresPermissions()
                            ? ""
                            : "varnik-cli: 1 folder could not be read (permission denied)\n");
}

TEST(App, VersionAndHelpGoToTheOutput)
{
    EXPECT_EQ(RunIn(".", {"--version"}), (Outcome{0, "varnik-cli " VARNIK_VERSION "\n", ""}));
    EXPECT_NE(RunIn(".", {"search", "--help"}).mOut.find("--zones"), std::string::npos);
}

// Every command and form, its output on a full disk: the failure is an error with its
// message, never a success. (A search without a match and a diff without a change write
// nothing, so they cannot fail.)
TEST(App, EveryFormFailsOnAFullDisk)
{
    TempTree tree;
    MakeProject(tree, "proj");
    ASSERT_EQ(RunIn(tree.Root(), {"scan", "--json", "proj"}, tree.Path("old.json")).mStatus, 0);
    tree.File("proj/new.txt", "x\n");
    const std::vector<std::vector<std::string>> rows = {
        {"scan", "proj"},
        {"scan", "--json", "proj"},
        {"scan", "--table", "types", "proj"},
        {"scan", "--table", "files", "--format", "csv", "proj"},
        {"scan", "--table", "folders", "--format", "tsv", "proj"},
        {"scan", "--table", "unknown", "--format", "md", "--languages", "proj"},
        {"scan", "--table", "types", "--format", "json", "proj"},
        {"scan", "--census", "proj"},
        {"scan", "--census", "--format", "json", "proj"},
        {"search", "proj", "x"},
        {"search", "--json", "proj", "x"},
        {"search", "--json", "proj", "absent"},
        {"search", "--flat", "proj", "x"},
        {"search", "-l", "proj", "x"},
        {"search", "-c", "proj", "x"},
        {"diff", "old.json", "proj"},
        {"diff", "--json", "old.json", "proj"},
        {"diff", "--json", "proj", "proj"},
        {"languages"},
        {"languages", "--format", "csv"},
        {"languages", "--format", "json"},
        {"explain", "proj/a.txt"},
        {"--help"},
        {"--version"},
        {"scan", "--help"},
        {"--generate", "bash"},
        {"--generate", "zsh"},
        {"--generate", "fish"},
        {"--generate", "man"},
    };
    for (const auto& args : rows)
    {
        SCOPED_TRACE(testing::PrintToString(args));
        EXPECT_EQ(RunIn(tree.Root(), args, "/dev/full"),
                  (Outcome{2, "", "varnik-cli: cannot write the output\n"}));
    }
}
