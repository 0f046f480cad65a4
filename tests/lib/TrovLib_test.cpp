// The utility library: exceptions, ignore lists and the folder walker, on trees made on disk.

#include "lib/Exception.h"
#include "lib/FolderHandle.h"
#include "lib/IgnoreList.h"
#include "lib/Walker.h"

#include "ReadOverrideDropped.h"
#include "TempTree.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using TrovLib::IgnoreList;
using TrovLib::Walker;
using VarnikTest::TempTree;
using Events = std::vector<std::string>;

namespace
{

// The exception that the call raises; a failure when it raises none.
template <typename Call> TrovLib::Exception Raised(Call call)
{
    try
    {
        call();
    }
    catch (const TrovLib::Exception& exception)
    {
        return exception;
    }
    ADD_FAILURE() << "no exception";
    return TrovLib::Exception(0, "", nullptr, "", "", 0, 0);
}

std::string Written(unsigned code, const char* message = nullptr)
{
    const TrovLib::Exception exception(code, "Buffer too short", message, "Walker.cpp",
                                       "TrovLib::Walker::GetFolder", 103, 2100);
    char* buffer = nullptr;
    size_t size = 0;
    FILE* stream = open_memstream(&buffer, &size);
    exception.Write(stream);
    std::fclose(stream);
    std::string text(buffer, size);
    std::free(buffer);
    return text;
}

const std::string TAIL = "        File       : Walker.cpp (line 103)\n"
                         "        Function   : TrovLib::Walker::GetFolder\n"
                         "        Info A     : 2100 (0x00000834)\n"
                         "        Last error : 0 (0x00000000)\n";

// A path asked about is relative to the root; "/" at its end marks a folder.
struct Rule
{
    std::string mIgnoreFile; // contents of the list's ".gitignore"
    const char* mListFolder; // relative to the root; null for the root itself
    std::vector<std::string> mIgnored;
    std::vector<std::string> mKept;
};

const std::string LONG_LINE(3000, 'x');

// Each row reads the text of an ignore file into a list and asks about the paths.
const Rule RULES[] = {
    {"*.obj\n", nullptr, {"x.obj", "a/b/x.obj"}, {"x.obj/", "x.obj.txt"}},
    {"build/\n", nullptr, {"build/", "a/build/"}, {"build", "rebuild/"}},
    {"/build/\n", nullptr, {"build/"}, {"a/build/"}},
    {"build\n", nullptr, {"build", "a/b/build"}, {"build/"}},
    {"tmp\n", "sub", {"sub/tmp", "sub/x/tmp"}, {"tmp", "other/tmp", "sub2/tmp"}},
    {"/tmp\n", "sub", {"sub/tmp"}, {"sub/x/tmp"}},
    {"#x\n", nullptr, {}, {"#x"}},
    {" #x\n", nullptr, {" #x"}, {"#x"}},
    {"!keep.txt\n", nullptr, {"!keep.txt"}, {"keep.txt"}},
    {"a.txt  \t \r\n", nullptr, {"a.txt"}, {}},
    {"out/ \r\n/a/b/ \r\nx?/\n", nullptr, {"out/", "a/b/", "xy/"}, {"x/a/b/", "xy"}},
    {"d/ e\n", nullptr, {"d/ e"}, {}},
    {"doc/gen\n", nullptr, {"doc/gen", "x/doc/gen"}, {"gen", "doc/gen/x"}},
    {"*\n", nullptr, {"a", "d/e/f"}, {"d/"}},
    {"a*b\n", nullptr, {"a/x/b"}, {}},
    {"Makefile\n", nullptr, {}, {"makefile"}},
    {"x\n\n# comment\n   \n/\n/ \r\n#\n*.log", nullptr, {"y/z.log"}, {"# comment", "#", ""}},
    // A long line is read in pieces of 2,047 characters, each a pattern of its own.
    {LONG_LINE + "\n", nullptr, {LONG_LINE.substr(0, 2047), LONG_LINE.substr(2047)}, {LONG_LINE}},
};

bool IsIgnored(const IgnoreList& list, const std::string& path)
{
    return path.ends_with('/') ? list.IsFolderIgnored(path.substr(0, path.size() - 1).c_str())
                               : list.IsFileIgnored(path.c_str());
}

// Records one line per callback: "F path" for a file, "D path" for a folder ("D ." for the
// root), followed by the number of ignore lists in force when there are any.
class Recorder : public TrovLib::Walker_Smart
{
public:
    std::vector<std::string> mEvents;

protected:
    void OnFile_Accepted(const char* relative, const timespec*) override { Record("F ", relative); }

    bool OnFolder_Accepted(const char* relative) override
    {
        Record("D ", relative == nullptr ? "." : relative);
        return true;
    }

    void OnIgnoreFile_Unreadable(const char* relative, int error) override
    {
        EXPECT_EQ(error, EFBIG);
        mEvents.push_back("! " + std::string(relative));
    }

private:
    void Record(const char* kind, const char* path)
    {
        int lists = 0;
        for (auto list = GetIgnoreList(); list != nullptr; list = list->GetParent())
            lists++;
        mEvents.push_back(kind + std::string(path) +
                          (lists == 0 ? "" : " [" + std::to_string(lists) + "]"));
    }
};

Events Walk(const std::string& root, const char* ignoreFile = ".gitignore",
            const TrovLib::WalkOptions& options = {})
{
    Recorder recorder;
    recorder.IgnoreFile_Add(ignoreFile);
    recorder.SetOptions(options);
    recorder.Start(root.c_str());
    EXPECT_EQ(recorder.GetIgnoreList(), nullptr);
    return recorder.mEvents;
}

} // namespace

TEST(Exception, WritesEveryFieldInItsLayout)
{
    const std::string what = "        What       : Buffer too short\n\n";
    EXPECT_EQ(Written(TrovLib::CODE_INVALID_BUFFER_SIZE),
              "    Exception - CODE_INVALID_BUFFER_SIZE\n" + TAIL + what);
    EXPECT_EQ(Written(38, "mkdir( /x, ) failed"), "    Exception - 38 (0x00000026)\n" + TAIL +
                                                      "        Message    : mkdir( /x, ) failed\n" +
                                                      what);
    EXPECT_EQ(Written(0, ""), "    Exception - CODE_IO_ERROR\n" + TAIL + what);
    EXPECT_EQ(Written(37).rfind("    Exception - CODE_STRUCTURED_EXCEPTION\n", 0), 0u);
    EXPECT_EQ(Written(0xFFFFFFFFu).rfind("    Exception - 4294967295 (0xffffffff)\n", 0), 0u);
}

TEST(IgnoreList, AnswersAsTheLinesSay)
{
    for (const Rule& rule : RULES)
    {
        SCOPED_TRACE(rule.mIgnoreFile.substr(0, 40) + " in " +
                     (rule.mListFolder ? rule.mListFolder : "root"));
        IgnoreList list(nullptr, rule.mListFolder);
        list.ReadFromText(rule.mIgnoreFile);
        for (const std::string& path : rule.mIgnored)
            EXPECT_TRUE(IsIgnored(list, path)) << path;
        for (const std::string& path : rule.mKept)
            EXPECT_FALSE(IsIgnored(list, path)) << path;
    }
}

TEST(IgnoreList, MatchesStarsAndQuestionMarks)
{
    const std::tuple<const char*, const char*, bool> rows[] = {
        {"", "", true},           {"", "a", false},       {"*", "", true},
        {"a*b", "ab", true},      {"a*b", "axb", true},   {"a*b", "abx", false},
        {"a*b*", "abx", true},    {"a?", "ab", true},     {"a?", "a", false},
        {"?", "/", true},         {"*.c", "x.c.c", true}, {"*x*y", "axbyzy", true},
        {"*x*y", "axbyz", false}, {"A*", "abc", false},   {"**a", "a", true}};
    for (const auto& [pattern, text, matches] : rows)
        EXPECT_EQ(IgnoreList::MatchWildcard(pattern, text), matches) << pattern << " on " << text;
    // Backtracking over every star would take ages here.
    EXPECT_FALSE(
        IgnoreList::MatchWildcard("*a*a*a*a*a*a*a*a*a*a*a*a*b", std::string(52, 'a').c_str()));
}

// Only the ignore files named to the walker are read.
TEST(Walker, ReportsDepthFirstInNameOrder)
{
    TempTree tree;
    tree.File("t.txt").File("b.txt").File("s/.gitignore", "*\n").File("a.txt").Folder("s/empty");
    EXPECT_EQ(
        Walk(tree.Root(), ".varnikignore"),
        (Events{"D .", "F a.txt", "F b.txt", "D s", "F s/.gitignore", "D s/empty", "F t.txt"}));
    EXPECT_EQ(Walk(tree.Path("missing")), (Events{"D ."}));
}

TEST(Walker, AppliesAnIgnoreFileBelowItsFolderAndPopsItAfterwards)
{
    TempTree tree;
    tree.File(".gitignore", "*.o\n/gen/\n").File("a.tmp").File("gen/a.c").File("z.tmp");
    tree.File("sub/.gitignore", "*.tmp\nbuild/\n").File("sub/x.tmp").File("sub/y.o");
    tree.File("sub/deep/z.tmp").File("sub/build/w.c").File("sub/gen/b.c").File("sub2/v.tmp");
    tree.File("sub/keep/.gitignore", "keep/\n").File("sub/keep/c.c");
    EXPECT_EQ(Walk(tree.Root()),
              (Events{"D . [1]", "F .gitignore [1]", "F a.tmp [1]", "D sub [2]",
                      "F sub/.gitignore [2]", "D sub/deep [2]", "D sub/gen [2]",
                      "F sub/gen/b.c [2]", "D sub/keep [3]", "F sub/keep/.gitignore [3]",
                      "F sub/keep/c.c [3]", "D sub2 [1]", "F sub2/v.tmp [1]", "F z.tmp [1]"}));
}

TEST(Walker, SkipsLinksToFoldersFifosAndDanglingLinks)
{
    TempTree tree;
    tree.File("a.txt").Link("s/up", "..").Link("s/self", ".").Link("s/text", "../a.txt");
    tree.Link("s/gone", "missing").Fifo("s/pipe").Fifo("f/.gitignore").File("f/b.txt");
    tree.Link("s/.gitignore", "pipe"); // as a link to /proc/kmsg would, were it not refused
    EXPECT_EQ(Walk(tree.Root()), (Events{"D .", "F a.txt", "D f", "F f/b.txt", "D s", "F s/text"}));
    TrovLib::WalkOptions noLinks;
    noLinks.mFollowFileLinks = false;
    EXPECT_EQ(Walk(tree.Root(), ".gitignore", noLinks),
              (Events{"D .", "F a.txt", "D f", "F f/b.txt", "D s"}));

    // A FIFO swapped in after the walker's check is refused without blocking.
    const TrovLib::FolderHandle folder(open(tree.Path("s").c_str(), O_RDONLY | O_DIRECTORY));
    IgnoreList list(nullptr, "s");
    EXPECT_EQ(list.ReadFromFile(folder.Get(), tree.Path("s").c_str(), ".gitignore"),
              IgnoreList::FileRead::Refused);
}

// Git never follows a linked ignore file, and one that never ends, such as a link to
// /proc/self/pagemap, must not fill the memory. A long one is read up to its last line
// within the cap, with a warning.
TEST(Walker, ReadsNoLinkedIgnoreFileAndCutsALongOne)
{
    TempTree tree;
    tree.File("rules", "*.c\n").Link("l/.gitignore", "../rules").File("l/a.c");
    tree.Link("pm/.gitignore", "/proc/self/pagemap").File("pm/b.c");
    const std::string cutInY = "x.c\n" + std::string(IgnoreList::FILE_SIZE_MAX - 6, '\n') + "y.c\n";
    tree.File("long/.gitignore", cutInY).File("long/x.c").File("long/y.c");
    EXPECT_EQ(Walk(tree.Root()),
              (Events{"D .", "D l", "F l/.gitignore", "F l/a.c", "! long/.gitignore", "D long [1]",
                      "F long/.gitignore [1]", "F long/y.c [1]", "D pm", "F pm/.gitignore",
                      "F pm/b.c", "F rules"}));
}

// A read that fails is told, with the lines that ended before it: reading the memory of a
// process at address 0 fails with EIO.
TEST(Walker, TellsOfAnIgnoreFileWhoseReadFails)
{
    const TrovLib::FolderHandle proc(open("/proc/self", O_RDONLY | O_DIRECTORY));
    IgnoreList list(nullptr, nullptr);
    int error = 0;
    const IgnoreList::FileRead read = list.ReadFromFile(proc.Get(), "/proc/self", "mem", &error);
    if (error == 0)
        GTEST_SKIP() << "reading /proc/self/mem gives no error on this kernel";
    EXPECT_EQ(read, IgnoreList::FileRead::Failed);
    EXPECT_EQ(error, EIO);
    EXPECT_TRUE(list.GetEntries().empty());
}

TEST(Walker, TakesAnyBytesInNames)
{
    TempTree tree;
    tree.File("with space.txt").File("#hash").File("!bang").File("\xff\xfe.txt");
    EXPECT_EQ(Walk(tree.Root()),
              (Events{"D .", "F !bang", "F #hash", "F with space.txt", "F \xff\xfe.txt"}));
}

TEST(Walker, EndsAtAnIgnoreFileThatCannotBeOpenedAndIsFitForTheNextWalk)
{
    TempTree broken;
    broken.File(".gitignore", "*.c\n").File("a.txt").File("sub/.gitignore", "x\n");
    broken.Mode("sub/.gitignore", 0);
    Recorder recorder;
    recorder.IgnoreFile_Add(".gitignore");
    {
        const VarnikTest::ReadOverrideDropped dropped;
        if (!dropped.Dropped())
            GTEST_SKIP() << "only root can make a file pass the read check and fail to open";
        const auto exception = Raised([&] { recorder.Start(broken.Root().c_str()); });
        EXPECT_EQ(exception.mCode, TrovLib::CODE_IO_ERROR);
        EXPECT_STREQ(exception.what(), "open failed");
        EXPECT_EQ(exception.mMessage, broken.Path("sub/.gitignore") + ": Permission denied");
    }
    EXPECT_EQ(recorder.mEvents, (Events{"D . [1]", "F .gitignore [1]", "F a.txt [1]"}));
    EXPECT_EQ(recorder.GetIgnoreList(), nullptr);

    TempTree clean;
    clean.File("b.c");
    recorder.mEvents.clear();
    recorder.Start(clean.Root().c_str());
    EXPECT_EQ(recorder.mEvents, (Events{"D .", "F b.c"}));
}

TEST(Walker, GetsAndCreatesFolders)
{
    EXPECT_EQ(Walker::GetFolder("/a/b"), "/a");
    EXPECT_EQ(Walker::GetFolder("a/"), "a");
    EXPECT_EQ(Walker::GetFolder("/a"), "");
    EXPECT_EQ(Walker::GetFolder("ab"), std::nullopt);
    EXPECT_EQ(Walker::GetFolder((std::string(2047, 'x') + "/y").c_str())->size(), 2047u);
    const auto tooLong = Raised([] { Walker::GetFolder((std::string(2048, 'x') + "/y").c_str()); });
    EXPECT_EQ(tooLong.mCode, TrovLib::CODE_INVALID_BUFFER_SIZE);
    EXPECT_EQ(tooLong.mInfoA, 2048u);

    TempTree tree;
    Walker::CreateFolder(tree.Root().c_str(), "a/b\x1b/c");
    EXPECT_TRUE(Walker::Exists(tree.Root().c_str(), "a/b\x1b/c"));
    EXPECT_FALSE(Walker::Exists(tree.Root().c_str(), "a/c"));
    // The reason is given once, and a control character in the path is escaped.
    const auto existing = Raised([&] { Walker::CreateFolder(tree.Root().c_str(), "a/b\x1b"); });
    EXPECT_STREQ(existing.what(), "mkdir failed");
    EXPECT_EQ(existing.mMessage, tree.Path("a/b") + "\\x1b: File exists");
}

namespace
{

// Each case has a folder of its own holding its ignore file, another one in "sub" when
// given, and its files, separated by "|". Lines marked C++ or Node come from the default
// ignore files of such projects. Every case also sees "*.log" excluded at the root.
struct GitCase
{
    const char* mIgnore;
    const char* mSubIgnore;
    const char* mFiles;
};
const GitCase GIT_CASES[] = {
    {"*.o\n!keep.o\n", "", "a.o|keep.o|sub/b.o|sub/keep.o|c.c"},
    {"build/\n!build/keep.c\n", "", "build/a.c|build/keep.c|sub/build/x.c|buildx"},
    {"node_modules\n", "", "node_modules/a.js|sub/node_modules/b.js|node_modules.js"},
    {"[Dd]ebug/\n[Rr]elease/\n", "", "Debug/a.obj|debug/b|Release/c|sub/release/d|ReleaseNotes"},
    {"**/gen\n", "", "gen/a.c|sub/gen/b.c|sub/x/gen|gen.c"},
    {"/out\nfoo/\n", "", "out/a.c|sub/out/b.c|foo|bar/foo/x.c"},
    {"doc/*.txt\ndoc/**/*.pdf\n", "", "doc/a.txt|doc/x/b.txt|sub/doc/c.txt|doc/x/y/b.pdf|c.pdf"},
    {"logs/**\n!logs/keep\n", "", "logs/a|logs/keep|logs/x/y|logs.c"},
    {"a/**/b\n", "", "a/b|a/x/b|a/x/y/b|b"},
    {"\\#hash\n\\!bang\n", "", "#hash|!bang|plain"},
    {"trailing   \nspace\\ \n", "", "trailing|space |space"},
    {"*.py[cod]\n[!a]*.c\n[a-c]x\n", "", "a.pyc|a.pyd|a.py|a.c|b.c|ax|bx|dx"},
    {"npm-debug.log*\n.env\n.env*.local\n/coverage\n.nyc_output\ndist/\n", "", // Node
     "npm-debug.log.1|.env|.env.dev.local|.envrc|coverage/a|sub/coverage/b|dist/c|distx"},
    {"*.so\n*.a\nCMakeCache.txt\nCMakeFiles/\ncmake_install.cmake\n", "", // C++
     "x.so|lib.a|CMakeCache.txt|CMakeFiles/x.c|sub/cmake_install.cmake|a.cpp"},
    {"*.tmp\n", "!keep.tmp\n", "a.tmp|keep.tmp|sub/keep.tmp|sub/b.tmp"},
    {"sub/x/\n", "!x/\n", "sub/x/a.c|x/b.c"},
    {"a?c\nf\\*o\n", "", "abc|a/c|axxc|f*o|fxo"},
    {"*\n!*/\n!*.c\n", "", "a.c|b.h|sub/c.c|sub/d.h"},
    {"crlf.txt\r\n\xEF\xBB\xBF"
     "bom\n",
     "", "crlf.txt|bom"},
    {"#comment\n\n  \n!keep.log\n", "/a\n", "a.log|keep.log|sub/a|sub/b/a"},
    {"x/**\n", "**/y/\n", "x/a|x/b/c|xa|sub/y/z/a|sub/q/y/b|y/c"},
    {"[[:digit:]][[:upper:]]\n[[:alpha:]][![:alnum:]]\n[[:xdigit:]]x\n", "",
     "1A|1a|aA|b_|b1|b-|fx|Fx|gx"},
    {"a[[:space:]]\nb[[:blank:]]\nc[[:cntrl:]]\nd[[:punct:]]\n", "",
     "a |a\t|a\n|a\v|a\f|b\t|b\v|c\x1f|c\x7f|c |d~|d_|d0"},
    {"e[[:graph:]]\nf[[:print:]]\ng[[:lower:]]\n[[:nope:]]\nh[[:digit]]\n", "",
     "e |e!|f |f\x7f|gb|gB|n|h1|h:]|hd]"},
    {"a\\/b\nx\\/**\\/y\nm/***/n\nq[/]r\n", "",
     "a/b|a/c|sub/a/b|ab|x/y|x/q/y|x/q/r/y|sub/x/y|m/n|m/o/p/n|qr|q/r"},
};

// What "git ls-files --others --exclude-standard" lists in a fresh repository there.
std::set<std::string> ListedByGit(const std::string& root, const TempTree& outside)
{
    const std::string command = "cd '" + root + "' && git init -q && git -c core.excludesFile='" +
                                outside.Path("excludes") +
                                "' ls-files -z --others --exclude-standard > " +
                                outside.Path("listed");
    EXPECT_EQ(std::system(command.c_str()), 0);
    std::ifstream listed(outside.Path("listed"));
    std::set<std::string> files;
    for (std::string name; std::getline(listed, name, '\0');)
        files.insert(name);
    return files;
}

} // namespace

TEST(IgnoreList_Git, AgreesWithGitItself)
{
    TempTree tree;
    TempTree outside;
    outside.File("excludes", "*.log\n");
    for (size_t row = 0; row < std::size(GIT_CASES); row++)
    {
        const std::string folder = "case" + std::to_string(row) + "/";
        tree.File(folder + ".gitignore", GIT_CASES[row].mIgnore);
        if (*GIT_CASES[row].mSubIgnore != '\0')
            tree.File(folder + "sub/.gitignore", GIT_CASES[row].mSubIgnore);
        std::istringstream files(GIT_CASES[row].mFiles);
        for (std::string file; std::getline(files, file, '|');)
            tree.File(folder + file);
    }
    const std::set<std::string> git = ListedByGit(tree.Root(), outside);
    TrovLib::WalkOptions options;
    options.mIgnoreRules = TrovLib::IgnoreRules::Git;
    options.mExcludes = {"*.log"};
    std::set<std::string> walked;
    for (const std::string& event : Walk(tree.Root(), ".gitignore", options))
    {
        if (event.starts_with("F ") && !event.starts_with("F .git/"))
            walked.insert(event.substr(2, event.rfind(" [") - 2));
    }
    for (size_t row = 0; row < std::size(GIT_CASES); row++)
    {
        SCOPED_TRACE(GIT_CASES[row].mIgnore);
        const std::string folder = "case" + std::to_string(row) + "/";
        const auto inCase = [&folder](const std::set<std::string>& files)
        { return std::set(files.lower_bound(folder), files.lower_bound(folder + '\x7f')); };
        EXPECT_EQ(inCase(walked), inCase(git));
    }
}
