// What the language commands show a user: the list that docs/languages.md holds, a scan
// and a search of a small polyglot tree under --languages, and explain.

#include "TempTree.h"
#include "cli/App.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace
{

using VarnikTest::TempTree;

struct Answer
{
    int mStatus;
    std::string mOut;
    std::string mErr;
};

Answer RunCli(std::vector<const char*> args)
{
    std::ostringstream out;
    std::ostringstream err;
    args.insert(args.begin(), "varnik-cli");
    VarnikCli::App app(out, err, {});
    const int status = app.Run(static_cast<int>(args.size()), args.data());
    return {status, out.str(), err.str()};
}

// docs/languages.md is the list in Markdown under a title: regenerate it with
//   (printf '# Languages\n\n'; varnik-cli languages --format md) > docs/languages.md
TEST(Languages, TheDocumentedListIsTheTable)
{
    std::ifstream in(std::string(VARNIK_SOURCE_DIR) + "/docs/languages.md");
    std::ostringstream documented;
    documented << in.rdbuf();
    EXPECT_EQ(documented.str(), "# Languages\n\n" + RunCli({"languages", "--format", "md"}).mOut);
}

TEST(Languages, ScanSearchAndExplainReadEveryLanguage)
{
    TempTree tree;
    tree.File("app.py", "'''Doc.'''\nx = \"# not a comment\"  # note\n\n")
        .File("web/main.js", "// hi\nconst s = 'hello';\n")
        .File("tool", "#!/usr/bin/env bash\necho hello # hi\n")
        .File("notes", "hello there\n")
        .File("census.c",
              "#if defined(A) && B > 2 || __has_include(<x.h>) || C(1)\n#elif defined D\n#endif\n")
        .File("blob.bin", std::string_view("hello\0\1", 7));
    const Answer scan =
        RunCli({"scan", "--languages", "--table", "types", "--format", "csv", tree.Root().c_str()});
    for (const char* row : {"Python,1,3,1,1,1,", "JavaScript,1,2,0,1,1,", "Shell,1,2,0,1,1,",
                            "C,1,3,0,3,0,3,0", "Unknown,1,", "Binary,1,"})
        EXPECT_NE(scan.mOut.find(row), std::string::npos) << row << "\n" << scan.mOut;

    const Answer census =
        RunCli({"scan", "--languages", "--census", "--format", "csv", tree.Root().c_str()});
    EXPECT_EQ(census.mOut, "name,count,share\nA,1,50.00\nB,1,50.00\nC,1,50.00\nD,1,50.00\n")
        << "identifiers only: no defined, number, operator or header";
    const Answer unknownFiles = RunCli(
        {"scan", "--languages", "--table", "unknown", "--format", "csv", tree.Root().c_str()});
    EXPECT_EQ(unknownFiles.mOut, "name,files,bytes\nnotes,1,12\n");

    const Answer search = RunCli({"search", "--languages", "--flat", tree.Root().c_str(), "hello"});
    EXPECT_EQ(search.mErr, "varnik-cli: 1 binary file not searched\n");
    for (const char* hit : {"tool:2:", "notes:1:", "main.js:2:"})
        EXPECT_NE(search.mOut.find(hit), std::string::npos) << hit << "\n" << search.mOut;
    const Answer strings = RunCli({"search", "--languages", "--flat", "--zones", "comment",
                                   "--types", "python", tree.Root().c_str(), "a comment"});
    EXPECT_EQ(strings.mStatus, 1) << strings.mOut;
    const Answer unknown =
        RunCli({"search", "--languages", "--types", "pyton", tree.Root().c_str(), "x"});
    EXPECT_EQ(unknown.mStatus, 2);
    EXPECT_NE(unknown.mErr.find("did you mean python"), std::string::npos) << unknown.mErr;

    const Answer explain =
        RunCli({"explain", tree.Path("tool").c_str(), tree.Path("app.py").c_str()});
    EXPECT_EQ(explain.mOut, tree.Path("tool") + ": Shell (interpreter bash)\n" +
                                tree.Path("app.py") + ": Python (extension .py)\n");
}

// Labelled files show in the table of files and in the root's groups; --only-own drops them.
TEST(Languages, LabelsTellOwnCodeFromTheRestAndOnlyOwnCountsOwnCodeAlone)
{
    TempTree tree;
    tree.File(".gitattributes", "ours/** -linguist-vendored\n*.md linguist-documentation\nNEWS.md "
                                "linguist-documentation=false\n")
        .File("gen/.gitattributes", "made.c linguist-generated\n/top.c linguist-generated\n")
        .File("gen/top.c", "int t;\n")
        .File("gen/sub/top.c", "int s;\n")
        .File("NEWS.md", "news\n")
        .File("gen/made.c", "int m;\n")
        .File("gen/x.gen.c", "int g;\n")
        .File("src/main.c", "int main;\n")
        .File("vendor/lib/v.c", "int v;\n")
        .File("ours/vendor/o.c", "int o;\n")
        .File("web/bundle.js", std::string(6000, ';') + "\n")
        .File("Cargo.lock", "x\n")
        .File("README.md", "# Doc\n")
        .File("labels", "[label:generated]\nfile.glob = *.gen.c\n");
    const std::string labels = tree.Path("labels");
    const Answer files = RunCli({"scan", "--language-file", labels.c_str(), "--table", "files",
                                 "--format", "csv", tree.Root().c_str()});
    for (const char* row :
         {"gen/made.c,C,1,0,1,0,0,0,generated\n", "gen/x.gen.c,C,1,0,1,0,0,0,generated",
          "src/main.c,C,1,0,1,0,0,0,\n", "vendor/lib/v.c,C,1,0,1,0,0,0,vendored",
          "ours/vendor/o.c,C,1,0,1,0,0,0,\n", "web/bundle.js,JavaScript,1,0,1,0,0,0,minified",
          "Cargo.lock,Unknown,0,0,0,0,0,0,lock", "gen/top.c,C,1,0,1,0,0,0,generated",
          "gen/sub/top.c,C,1,0,1,0,0,0,\n", "NEWS.md,Markdown,1,0,1,0,0,0,\n",
          "README.md,Markdown,1,0,1,0,0,0,documentation"})
        EXPECT_NE(files.mOut.find(row), std::string::npos) << row << "\n" << files.mOut;

    const Answer own =
        RunCli({"scan", "--language-file", labels.c_str(), "--only-own", tree.Root().c_str()});
    for (const char* text :
         {"File = 8\n", "Generated\n    File = 0\n    Line = 0\n    Skipped = 3\n",
          "Minified\n    File = 0\n    Line = 0\n    Skipped = 1\n",
          "Documentation\n    File = 1\n    Line = 1\n"})
        EXPECT_NE(own.mOut.find(text), std::string::npos) << text << "\n" << own.mOut;
    const Answer search = RunCli({"search", "--only-own", "-l", tree.Root().c_str(), "m;"});
    EXPECT_EQ(search.mStatus, 1) << search.mOut;
    EXPECT_EQ(RunCli({"explain", tree.Path("vendor/lib/v.c").c_str()}).mOut,
              tree.Path("vendor/lib/v.c") + ": C (extension .c); vendored (folder vendor)\n");
}

TEST(Languages, AFaultyLanguageFileStopsThePass)
{
    TempTree tree;
    tree.File("bad.lang", "[x]\nname = X\nkind = nonsense\n").File("a.c", "int a;\n");
    const std::string file = tree.Path("bad.lang");
    const Answer scan = RunCli({"scan", "--language-file", file.c_str(), tree.Root().c_str()});
    EXPECT_EQ(scan.mStatus, 2);
    EXPECT_EQ(scan.mErr, "varnik-cli: " + file + ":3: unknown kind \"nonsense\"\n");
    EXPECT_EQ(scan.mOut, "");
}

} // namespace
